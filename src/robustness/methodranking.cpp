#include "robustness/methodranking.h"

#include "methods/methodsteps.h"
#include "methods/metodi.h"
#include "methods/ranking.h"

MethodRanking rankByMethod(SharedState& s, int position, const Regional& regional) {
    MethodRanking result;
    // Only the method of rankings works in matRanghi: the table is there for
    // its run alone, so that other runs do not carry a table of the
    // matrix's size.
    const bool ranghi =
        methodCode(methodTable()[std::size_t(position)].entryText) == QLatin1String("GRAD");
    if (ranghi)
        s.matRanghi.dimension(s.nRighe, s.nColonne);
    const Refusal refusal = methodStep(s, position, regional);
    if (ranghi)
        s.matRanghi.clear();
    if (refusal) {
        result.refused = true;
        result.message = *refusal;
        return result;
    }
    const bool ascending = methodTable()[std::size_t(position)].ascending;
    std::vector<double> keys(std::size_t(s.nRighe - 1));
    for (int r = 2; r <= s.nRighe; ++r)
        keys[std::size_t(r - 2)] = indexTextKey(s.matValori(r, 2), regional);
    result.ranks = rankValues(keys, ascending);
    return result;
}

void matrixWithout(const SharedState& source, int leftOut, SharedState& target) {
    const bool drop = leftOut >= 2 && leftOut <= source.nColonne;
    target.nRighe = source.nRighe;
    target.nColonne = source.nColonne - (drop ? 1 : 0);
    target.matDati.dimension(target.nRighe, target.nColonne);
    target.matTrasformata.dimension(target.nRighe, target.nColonne);
    target.matValori.dimension(target.nRighe, 2);
    target.matGraduatoria.dimension(target.nRighe, 2);
    target.matRanghi.clear();
    target.bNegativi = false;
    target.bZeri = false;
    for (int r = 1; r <= source.nRighe; ++r) {
        int to = 1;
        for (int c = 1; c <= source.nColonne; ++c) {
            if (drop && c == leftOut)
                continue;
            const CellValue& cell = source.matDati(r, c);
            target.matDati(r, to) = cell;
            if (r >= 2 && to >= 2 && cell.isNumber()) {
                if (cell.number() == 0.0)
                    target.bZeri = true;
                else if (cell.number() < 0.0)
                    target.bNegativi = true;
            }
            ++to;
        }
    }
}
