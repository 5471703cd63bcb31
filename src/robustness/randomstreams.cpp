#include "robustness/randomstreams.h"

#include <array>

namespace {

std::uint64_t splitMix64(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

std::mt19937_64 randomStream(std::uint64_t seed, std::uint64_t stream) {
    std::uint64_t state = seed;
    std::uint64_t mixedSeed = splitMix64(state);
    state = mixedSeed ^ (stream * 0xD1B54A32D192ED03ULL + 0x8CB92BA72F3D8DD7ULL);
    std::array<std::uint32_t, 8> words{};
    for (std::size_t i = 0; i < words.size(); i += 2) {
        const std::uint64_t value = splitMix64(state);
        words[i] = static_cast<std::uint32_t>(value);
        words[i + 1] = static_cast<std::uint32_t>(value >> 32);
    }
    std::seed_seq sequence(words.begin(), words.end());
    return std::mt19937_64(sequence);
}

std::uint64_t uniformIndex(std::mt19937_64& generator, std::uint64_t count) {
    if (count <= 1)
        return 0;
    // The largest multiple of count that fits; draws at or above it are
    // thrown away.
    const std::uint64_t limit = (~std::uint64_t{0} / count) * count;
    for (;;) {
        const std::uint64_t draw = generator();
        if (draw < limit)
            return draw % count;
    }
}

double uniformUnit(std::mt19937_64& generator) {
    return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}
