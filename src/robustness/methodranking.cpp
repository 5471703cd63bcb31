#include "robustness/methodranking.h"

#include "methods/methodcomputation.h"

MethodRanking rankByMethod(const MatrixView& data, MethodPosition position) {
    MethodRanking result;
    Expected<MethodOutput> output = computeMethod(position, data);
    if (!output) {
        result.refused = true;
        result.message = output.error().message;
        return result;
    }
    result.ranks = std::move(output->ranks);
    return result;
}
