#pragma once

#include <cstdint>
#include <random>

// Random numbers that do not depend on how work is shared among threads:
// every run draws from its own stream, a std::mt19937_64 whose state is
// filled from (seed, stream) through SplitMix64. The same seed and stream
// give the same numbers on every machine.
std::mt19937_64 randomStream(std::uint64_t seed, std::uint64_t stream);

// A whole number uniform over [0, count), count >= 1, by rejection (no
// modulo bias), so that it does not depend on the standard library's
// distributions, which may differ between implementations.
std::uint64_t uniformIndex(std::mt19937_64& generator, std::uint64_t count);

// A double uniform over [0, 1) from the generator's top 53 bits.
double uniformUnit(std::mt19937_64& generator);
