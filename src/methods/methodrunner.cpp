#include "methods/methodrunner.h"

#include "methods/methodsteps.h"
#include "methods/metodi.h"
#include "methods/ranking.h"
#include "methods/resultfiles.h"
#include "shared/textfile.h"

#include <QCoreApplication>
#include <utility>

namespace {

// Exchanges the result tables of the state with a set of the same shape.
struct ResultTables {
    Table trasformata;
    Table valori;
    Table graduatoria;
    Table ranghi;

    // Exchanges them with the state's, and back again when it goes out of
    // scope before keep(): a run that is refused, fails or is cut short by
    // an exception leaves the state's tables.
    class Swap {
    public:
        Swap(SharedState& s, ResultTables& tables) : m_s(s), m_tables(tables) { swap(); }
        ~Swap() {
            if (!m_kept)
                swap();
        }
        Swap(const Swap&) = delete;
        Swap& operator=(const Swap&) = delete;

        void keep() { m_kept = true; }

    private:
        void swap() {
            std::swap(m_s.matTrasformata, m_tables.trasformata);
            std::swap(m_s.matValori, m_tables.valori);
            std::swap(m_s.matGraduatoria, m_tables.graduatoria);
            std::swap(m_s.matRanghi, m_tables.ranghi);
        }

        SharedState& m_s;
        ResultTables& m_tables;
        bool m_kept = false;
    };
};

// Fills matRanghi and matGraduatoria from matValori: the units ranked by
// their index value texts.
void classifica(SharedState& s, bool ascending, const Regional& regional) {
    std::vector<double> keys(static_cast<std::size_t>(s.nRighe - 1));
    for (int r = 2; r <= s.nRighe; ++r)
        keys[static_cast<std::size_t>(r - 2)] = indexValueKey(s.matValori(r, 2), regional);
    const auto ranks = rankValues(keys, ascending);
    s.matRanghi.copyLabels(s.matValori);
    s.matRanghi.header(2) = s.matValori.header(2);
    for (int r = 2; r <= s.nRighe; ++r)
        s.matRanghi(r, 2) = static_cast<double>(ranks[static_cast<std::size_t>(r - 2)]);
    s.matGraduatoria = s.matValori;
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
        result.message = QCoreApplication::translate(
            "Methods", "Nessuna matrice caricata o metodo sconosciuto.");
        return result;
    }

    // The method works on fresh tables; the state's own are kept aside until
    // the run has succeeded, and released then.
    ResultTables tables;
    tables.trasformata.dimension(s.nRighe, s.nColonne);
    tables.valori.dimension(s.nRighe, 2);
    tables.graduatoria.dimension(s.nRighe, 2);
    tables.ranghi.dimension(s.nRighe, 2);
    ResultTables::Swap swap(s, tables);

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
        writeTextFiles({{result.valuesFile, resultFileLines(s.matValori, s.nRighe,
                                                            ResultColumn::IndexValues, regional)},
                        {result.ranksFile,
                         resultFileLines(s.matRanghi, s.nRighe, ResultColumn::Ranks, regional)}});
    if (!error.isEmpty()) {
        result.status = MethodRunResult::Status::WriteFailed;
        result.message = error;
        return result;
    }
    swap.keep();
    return result;
}
