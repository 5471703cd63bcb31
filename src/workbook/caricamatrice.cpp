#include "workbook/caricamatrice.h"

#include "stats/statistiche.h"

#include <QFileInfo>

#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <new>

namespace {

const QString kPrefisso = QStringLiteral("L'indicatore definito nella matrice come ");

LoadResult fileError(const QString& message) {
    return {LoadResult::Status::FileError, message};
}

LoadResult refused(const QString& message) {
    return {LoadResult::Status::Refused, message};
}

LoadResult cancelled() {
    return {LoadResult::Status::Cancelled, QStringLiteral("Caricamento della matrice annullato.")};
}

bool isCancelled(const WorkProgress* progress) {
    return progress && progress->cancelled();
}

} // namespace

QString messaggioValoriNulli(const QString& indicatore) {
    return kPrefisso + indicatore +
           QStringLiteral(" risulta avere valori nulli. Verificare la validità della matrice "
                          "selezionata!");
}

QString messaggioValoriAlfanumerici(const QString& indicatore) {
    return kPrefisso + indicatore +
           QStringLiteral(" risulta avere valori alfanumerici. Verificare la validità della "
                          "matrice selezionata!");
}

QString messaggioIndicatoreCostante(const QString& indicatore) {
    return kPrefisso + indicatore +
           QStringLiteral(" risulta essere costante in tutte le osservazioni. Verificare la "
                          "validità della matrice selezionata!");
}

namespace {

// Reads and validates the block into m: nRighe, nColonne, matDati, bNegativi
// and bZeri; the other tables stay undimensioned.
LoadResult leggiMatrice(SharedState& m, const WorkbookReader& reader, const Regional& regional,
                        const QString& name, WorkProgress* progress) {
    if (progress)
        progress->report(QStringLiteral("Controllo della matrice"), 0);
    while (!reader.cell(1, m.nColonne + 1).equalsEmptyText())
        ++m.nColonne;
    while (!reader.cell(m.nRighe + 1, 1).equalsEmptyText())
        ++m.nRighe;

    if (m.nColonne == 0)
        return fileError(QStringLiteral("Il primo foglio di %1 è vuoto nella cella A1: la matrice "
                                        "deve iniziare in A1 con l'etichetta d'angolo.")
                             .arg(name));
    if (m.nColonne == 1)
        return fileError(QStringLiteral("La matrice di %1 non contiene indicatori: la riga 1 "
                                        "deve riportare i nomi degli indicatori a partire da B1.")
                             .arg(name));
    if (m.nRighe == 1)
        return fileError(QStringLiteral("La matrice di %1 non contiene unità: la colonna A deve "
                                        "riportare le etichette delle unità a partire da A2.")
                             .arg(name));

    m.matDati.dimension(m.nRighe, m.nColonne);
    for (int c = 1; c <= m.nColonne; ++c) {
        if (progress) {
            if (progress->cancelled())
                return cancelled();
            progress->setPercent(percentOf(c - 1, m.nColonne));
        }
        for (int r = 1; r <= m.nRighe; ++r) {
            const CellValue& value = reader.cell(r, c);
            if (r == 1 || c == 1) {
                // Texts get storage of their own: sharing the reader's would
                // keep the pages of the workbook's cells, interleaved with
                // them, in the process once the reader is gone.
                m.matDati(r, c) =
                    value.isText()
                        ? CellValue(QString(value.text().constData(), value.text().size()))
                        : value;
                continue;
            }
            // An infinite or undefined number is no value the methods can take.
            if (value.isNumber() && std::isfinite(value.number())) {
                m.matDati(r, c) = value;
                continue;
            }
            const QString indicatore = regional.generalText(m.matDati(1, c));
            if (value.isEmpty() || (value.isText() && value.text().trimmed().isEmpty()))
                return refused(messaggioValoriNulli(indicatore));
            const auto number = value.isText() ? regional.parseNumber(value.text()) : std::nullopt;
            if (!number)
                return refused(messaggioValoriAlfanumerici(indicatore));
            m.matDati(r, c) = *number;
        }
    }

    const auto minimo = minimo_colonne(m);
    const auto massimo = massimo_colonne(m);
    for (int c = 2; c <= m.nColonne; ++c) {
        if (massimo[static_cast<std::size_t>(c)] == minimo[static_cast<std::size_t>(c)])
            return refused(messaggioIndicatoreCostante(regional.generalText(m.matDati(1, c))));
    }

    for (int r = 2; r <= m.nRighe; ++r) {
        for (int c = 2; c <= m.nColonne; ++c) {
            const double x = m.matDati(r, c).number();
            if (x == 0.0)
                m.bZeri = true;
            else if (x < 0.0)
                m.bNegativi = true;
        }
    }

    return {LoadResult::Status::Loaded, QString()};
}

// Puts the matrix read into m in the shared state, with every other table
// dimensioned afresh. The new tables are made first: when memory runs out
// the state keeps the earlier matrix whole.
void installaMatrice(SharedState& s, SharedState& m) {
    m.matTrasformata.dimension(m.nRighe, m.nColonne);
    m.matValori.dimension(m.nRighe, 2);
    m.matGraduatoria.dimension(m.nRighe, 2);
    m.matRanghi.dimension(m.nRighe, m.nColonne);
    s.nRighe = m.nRighe;
    s.nColonne = m.nColonne;
    std::swap(s.matDati, m.matDati);
    std::swap(s.matTrasformata, m.matTrasformata);
    std::swap(s.matValori, m.matValori);
    std::swap(s.matGraduatoria, m.matGraduatoria);
    std::swap(s.matRanghi, m.matRanghi);
    s.bNegativi = m.bNegativi;
    s.bZeri = m.bZeri;
}

} // namespace

LoadResult carica_matrice(SharedState& s, const Regional& regional, WorkProgress* progress) {
    if (progress)
        progress->report(QStringLiteral("Lettura della matrice"), 0);
    QString error;
    auto reader = openWorkbook(s.strMatrice, regional, &error, progress);
    if (isCancelled(progress))
        return cancelled();
    if (!reader)
        return fileError(error);
    SharedState m;
    const LoadResult result =
        leggiMatrice(m, *reader, regional, QFileInfo(s.strMatrice).fileName(), progress);
    // The workbook's cells go before the result tables take their memory:
    // with both, a large matrix would need half as much again at its peak.
    reader->close();
    reader.reset();
#ifdef __GLIBC__
    // Hands the pages of the freed cells back to the system: the labels
    // copied above sit beyond them and keep the heap from shrinking.
    malloc_trim(0);
#endif
    if (!result.loaded())
        return result;
    if (isCancelled(progress))
        return cancelled();
    installaMatrice(s, m);
    return result;
}

LoadResult carica_matrice(SharedState& s, const WorkbookReader& reader, const Regional& regional,
                          WorkProgress* progress) {
    SharedState m;
    const LoadResult result =
        leggiMatrice(m, reader, regional, QFileInfo(s.strMatrice).fileName(), progress);
    if (!result.loaded())
        return result;
    if (isCancelled(progress))
        return cancelled();
    installaMatrice(s, m);
    return result;
}
