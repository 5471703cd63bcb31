#include "methods/methodrunner.h"

#include "methods/methodsteps.h"
#include "methods/metodi.h"
#include "methods/ranking.h"
#include "methods/resultfiles.h"
#include "shared/textfile.h"

#include <cmath>
#include <utility>

namespace {

void ensureShape(Table& table, int lastRow, int lastCol) {
    if (table.lastRow() != lastRow || table.lastCol() != lastCol)
        table.dimension(lastRow, lastCol);
}

// Exchanges the result tables of the state with the runner's spare ones.
struct TableSwap {
    SharedState& s;
    Table& trasformata;
    Table& valori;
    Table& graduatoria;
    Table& ranghi;

    void swap() {
        std::swap(s.matTrasformata, trasformata);
        std::swap(s.matValori, valori);
        std::swap(s.matGraduatoria, graduatoria);
        std::swap(s.matRanghi, ranghi);
    }
};

// Fills matRanghi and matGraduatoria from matValori: the units ranked by the
// number their index text reads as.
void classifica(SharedState& s, bool ascending, const Regional& regional) {
    std::vector<double> values(static_cast<std::size_t>(s.nRighe - 1));
    for (int r = 2; r <= s.nRighe; ++r)
        values[static_cast<std::size_t>(r - 2)] = indexTextKey(s.matValori(r, 2), regional);
    const auto ranks = rankValues(values, ascending);
    for (int r = 1; r <= s.nRighe; ++r) {
        s.matRanghi(r, 1) = s.matValori(r, 1);
        s.matGraduatoria(r, 1) = s.matValori(r, 1);
        s.matGraduatoria(r, 2) = s.matValori(r, 2);
    }
    s.matRanghi(1, 2) = s.matValori(1, 2);
    for (int r = 2; r <= s.nRighe; ++r)
        s.matRanghi(r, 2) = static_cast<double>(ranks[static_cast<std::size_t>(r - 2)]);
}

} // namespace

MethodRunResult MethodRunner::run(SharedState& s, int position, const QString& entryText,
                                  const Regional& regional) {
    s.bRisultati = true;
    MethodRunResult result;
    const auto& table = methodTable();
    if (position < 0 || position >= static_cast<int>(table.size()) || s.nRighe < 2 ||
        s.nColonne < 2) {
        result.status = MethodRunResult::Status::Refused;
        result.message = QStringLiteral("Nessuna matrice caricata o metodo sconosciuto.");
        return result;
    }

    // The method works on the spare tables; the state's own are kept aside
    // until the run has succeeded.
    ensureShape(m_trasformata, s.nRighe, s.nColonne);
    ensureShape(m_valori, s.nRighe, 2);
    ensureShape(m_graduatoria, s.nRighe, 2);
    ensureShape(m_ranghi, s.nRighe, s.nColonne);
    TableSwap tables{s, m_trasformata, m_valori, m_graduatoria, m_ranghi};
    tables.swap();
    // Whatever ends the run early, a refusal, a failed write or running out
    // of memory, gives the state its own tables back.
    struct Restore {
        TableSwap& tables;
        bool done = false;
        ~Restore() {
            if (!done)
                tables.swap();
        }
    } restore{tables};

    if (const Refusal refusal = methodStep(s, position, regional)) {
        result.status = MethodRunResult::Status::Refused;
        result.message = *refusal;
        return result;
    }

    classifica(s, table[static_cast<std::size_t>(position)].ascending, regional);

    const QString code = methodCode(entryText);
    result.valuesFile = valuesResultFile(s.strMatrice, code);
    result.ranksFile = ranksResultFile(s.strMatrice, code);
    const QString error =
        writeTextFiles({{result.valuesFile, resultFileLines(s.matValori, s.nRighe, regional)},
                        {result.ranksFile, resultFileLines(s.matRanghi, s.nRighe, regional)}});
    if (!error.isEmpty()) {
        result.status = MethodRunResult::Status::WriteFailed;
        result.message = error;
        return result;
    }
    restore.done = true;
    return result;
}
