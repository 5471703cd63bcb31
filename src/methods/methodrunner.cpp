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

// Exchanges the result tables of the state with the runner's spare ones,
// and back again when it goes out of scope before keep(): a run that is
// refused, fails or is cut short by an exception leaves the state's tables.
class TableSwap {
public:
    TableSwap(SharedState& s, Table& trasformata, Table& valori, Table& graduatoria, Table& ranghi)
        : m_s(s), m_trasformata(trasformata), m_valori(valori), m_graduatoria(graduatoria),
          m_ranghi(ranghi) {
        swap();
    }
    ~TableSwap() {
        if (!m_kept)
            swap();
    }
    TableSwap(const TableSwap&) = delete;
    TableSwap& operator=(const TableSwap&) = delete;

    void keep() { m_kept = true; }

private:
    void swap() {
        std::swap(m_s.matTrasformata, m_trasformata);
        std::swap(m_s.matValori, m_valori);
        std::swap(m_s.matGraduatoria, m_graduatoria);
        std::swap(m_s.matRanghi, m_ranghi);
    }

    SharedState& m_s;
    Table& m_trasformata;
    Table& m_valori;
    Table& m_graduatoria;
    Table& m_ranghi;
    bool m_kept = false;
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
    TableSwap tables(s, m_trasformata, m_valori, m_graduatoria, m_ranghi);

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
    tables.keep();
    return result;
}
