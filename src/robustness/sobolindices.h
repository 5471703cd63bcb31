#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// An estimate with its 90% bootstrap interval.
struct IntervalEstimate {
    double value = 0.0;
    double p5 = 0.0;
    double p95 = 0.0;
};

// One factor's variance-based sensitivity indices.
struct FactorIndices {
    IntervalEstimate first; // Si
    IntervalEstimate total; // STi
};

// The outputs of a Saltelli design: N rows of two independent samples A and
// B of the k factors, and for each factor i the runs of A with factor i
// taken from B.
struct SaltelliOutputs {
    std::vector<double> a;               // Y_A, N values
    std::vector<double> b;               // Y_B, N values
    std::vector<std::vector<double>> ab; // Y_ABi, k vectors of N values
};

// First-order and total indices of each factor: with Y centred on its mean
// over A and B, and V its population variance over A and B together,
// Si = mean(Y_B (Y_ABi - Y_A)) / V and STi = mean((Y_A - Y_ABi)^2) / (2 V).
// The intervals are the 5th and 95th percentiles (nearest rank) over
// `resamples` bootstrap resamples of the N rows, drawn from the seed's own
// stream. Empty when V is 0 (the output never moves) or there is no row.
std::optional<std::vector<FactorIndices>> sobolIndices(const SaltelliOutputs& outputs,
                                                       int resamples, std::uint64_t seed);

// Only the total indices, without intervals (per unit, where thousands are
// wanted): empty when V is 0 or there is no row.
std::optional<std::vector<double>> totalIndices(const SaltelliOutputs& outputs);
