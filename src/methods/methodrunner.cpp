#include "methods/methodrunner.h"

#include "methods/methodsteps.h"
#include "methods/metodi.h"
#include "methods/ranking.h"
#include "methods/resultfiles.h"
#include "shared/textfile.h"

#include <QCoreApplication>

#include <memory>
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
// their index value texts, which go into texts with the ranks.
void classifica(SharedState& s, bool ascending, const Regional& regional,
                MethodResultTexts& texts) {
    const auto units = static_cast<std::size_t>(s.nRighe - 1);
    std::vector<double> keys(units);
    texts.indexText.reserve(units, units * 12);
    for (int r = 2; r <= s.nRighe; ++r) {
        keys[static_cast<std::size_t>(r - 2)] =
            appendIndexValueText(s.matValori(r, 2), regional, texts.indexText.bytes());
        texts.indexText.endText();
    }
    texts.rank = rankValues(keys, ascending);
    s.matRanghi.copyLabels(s.matValori);
    s.matRanghi.header(2) = s.matValori.header(2);
    for (int r = 2; r <= s.nRighe; ++r)
        s.matRanghi(r, 2) = static_cast<double>(texts.rank[static_cast<std::size_t>(r - 2)]);
    s.matGraduatoria = s.matValori;
    if (!regional.plainWholeNumbers()) {
        texts.rankText.reserve(units, units * 8);
        for (const int rank : texts.rank) {
            texts.rankText.bytes() += regional.generalText(CellValue(double(rank))).toStdString();
            texts.rankText.endText();
        }
    }
}

// Runs the method; with deferred given, its texts go there and the tables
// are kept, otherwise the files are written and the tables kept only then.
MethodRunResult runMethod(SharedState& s, int position, const QString& entryText,
                          const Regional& regional, std::shared_ptr<const ResultLabels> labels,
                          MethodResultTexts* deferred) {
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

    MethodResultTexts texts;
    classifica(s, table[static_cast<std::size_t>(position)].ascending, regional, texts);
    texts.labels = labels ? std::move(labels)
                          : std::make_shared<const ResultLabels>(s.matValori, s.nRighe, regional);
    texts.header = regional.generalText(s.matValori.header(2)).toStdString();
    replaceLineBreaks(texts.header);

    const QString code = methodCode(entryText);
    result.valuesFile = valuesResultFile(s.strMatrice, code);
    result.ranksFile = ranksResultFile(s.strMatrice, code);
    if (deferred) {
        *deferred = std::move(texts);
        swap.keep();
        return result;
    }
    const QString error = writeResultFiles(result.valuesFile, result.ranksFile, texts);
    if (!error.isEmpty()) {
        result.status = MethodRunResult::Status::WriteFailed;
        result.message = error;
        return result;
    }
    swap.keep();
    return result;
}

} // namespace

MethodRunResult MethodRunner::run(SharedState& s, int position, const QString& entryText,
                                  const Regional& regional,
                                  std::shared_ptr<const ResultLabels> labels) {
    return runMethod(s, position, entryText, regional, std::move(labels), nullptr);
}

MethodRunResult MethodRunner::compute(SharedState& s, int position, const QString& entryText,
                                      const Regional& regional,
                                      std::shared_ptr<const ResultLabels> labels,
                                      MethodResultTexts& texts) {
    return runMethod(s, position, entryText, regional, std::move(labels), &texts);
}
