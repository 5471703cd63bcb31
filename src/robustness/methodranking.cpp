#include "robustness/methodranking.h"

#include "methods/methodsteps.h"
#include "methods/metodi.h"
#include "methods/ranking.h"

MethodRanking rankByMethod(SharedState& s, int position, const Regional& regional) {
    MethodRanking result;
    if (const Refusal refusal = methodStep(s, position, regional)) {
        result.refused = true;
        result.message = *refusal;
        return result;
    }
    const bool ascending = methodTable()[std::size_t(position)].ascending;
    std::vector<double> keys(std::size_t(s.nRighe - 1));
    for (int r = 2; r <= s.nRighe; ++r)
        keys[std::size_t(r - 2)] = indexValueKey(s.matValori(r, 2), regional);
    result.ranks = rankValues(keys, ascending);
    return result;
}

void matrixWithout(const SharedState& source, int leftOut, SharedState& target) {
    const bool drop = leftOut >= 2 && leftOut <= source.nColonne;
    target.nRighe = source.nRighe;
    target.nColonne = source.nColonne - (drop ? 1 : 0);
    target.matDati.dimensionForFilling(target.nRighe, target.nColonne);
    target.matTrasformata.dimension(target.nRighe, target.nColonne);
    target.matValori.dimension(target.nRighe, 2);
    target.matGraduatoria.dimension(target.nRighe, 2);
    target.matRanghi.clear();
    target.bNegativi = false;
    target.bZeri = false;
    target.matDati.copyLabels(source.matDati);
    for (int c = 2, to = 2; c <= source.nColonne; ++c)
        if (!(drop && c == leftOut))
            target.matDati.header(to++) = source.matDati.header(c);
    for (int r = 2; r <= source.nRighe; ++r) {
        int to = 2;
        for (int c = 2; c <= source.nColonne; ++c) {
            if (drop && c == leftOut)
                continue;
            const double x = source.matDati(r, c);
            target.matDati(r, to++) = x;
            if (x == 0.0)
                target.bZeri = true;
            else if (x < 0.0)
                target.bNegativi = true;
        }
    }
}
