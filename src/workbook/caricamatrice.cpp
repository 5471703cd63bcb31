#include "workbook/caricamatrice.h"

#include "stats/statistiche.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <new>

namespace {

QString prefisso() {
    return QCoreApplication::translate("Workbook", "L'indicatore definito nella matrice come ");
}

LoadResult fileError(const QString& message) {
    return {LoadResult::Status::FileError, message};
}

LoadResult refused(const QString& message) {
    return {LoadResult::Status::Refused, message};
}

LoadResult cancelled() {
    return {LoadResult::Status::Cancelled,
            QCoreApplication::translate("Workbook", "Caricamento della matrice annullato.")};
}

bool isCancelled(const WorkProgress* progress) {
    return progress && progress->cancelled();
}

} // namespace

QString messaggioValoriNulli(const QString& indicatore) {
    return prefisso() + indicatore +
           QCoreApplication::translate(
               "Workbook", " risulta avere valori nulli. Verificare la validità della matrice "
                           "selezionata!");
}

QString messaggioValoriAlfanumerici(const QString& indicatore) {
    return prefisso() + indicatore +
           QCoreApplication::translate(
               "Workbook", " risulta avere valori alfanumerici. Verificare la validità della "
                           "matrice selezionata!");
}

QString messaggioIndicatoreCostante(const QString& indicatore) {
    return prefisso() + indicatore +
           QCoreApplication::translate(
               "Workbook", " risulta essere costante in tutte le osservazioni. Verificare la "
                           "validità della matrice selezionata!");
}

namespace {

// Rows read between two releases of the reader's cells.
constexpr int kRigheTraRilasci = 4096;

// Reads and validates the block into m: nRighe, nColonne, matDati, bNegativi
// and bZeri; the other tables stay undimensioned. With `releasing` (the
// reader itself), the rows read are released as the matrix grows, so that the
// sheet and the matrix are never held whole together.
LoadResult leggiMatrice(SharedState& m, const WorkbookReader& reader, const Regional& regional,
                        const QString& name, WorkbookReader* releasing, WorkProgress* progress) {
    if (progress)
        progress->report(QCoreApplication::translate("Workbook", "Controllo della matrice"), 0);
    while (!reader.cell(1, m.nColonne + 1).equalsEmptyText())
        ++m.nColonne;
    while (!reader.cell(m.nRighe + 1, 1).equalsEmptyText())
        ++m.nRighe;

    if (m.nColonne == 0)
        return fileError(QCoreApplication::translate(
                             "Workbook", "Il primo foglio di %1 è vuoto nella cella A1: la matrice "
                                         "deve iniziare in A1 con l'etichetta d'angolo.")
                             .arg(name));
    if (m.nColonne == 1)
        return fileError(QCoreApplication::translate(
                             "Workbook", "La matrice di %1 non contiene indicatori: la riga 1 "
                                         "deve riportare i nomi degli indicatori a partire da B1.")
                             .arg(name));
    if (m.nRighe == 1)
        return fileError(QCoreApplication::translate(
                             "Workbook", "La matrice di %1 non contiene unità: la colonna A deve "
                                         "riportare le etichette delle unità a partire da A2.")
                             .arg(name));

    // Row by row, the order in which the reader holds the cells; the first
    // invalid data cell in column order (lowest column, then lowest row)
    // decides the refusal.
    m.matDati.dimensionForFilling(m.nRighe, m.nColonne);
    for (int c = 1; c <= m.nColonne; ++c)
        m.matDati.header(c) = reader.cell(1, c);
    enum class Difetto { Nullo, Alfanumerico };
    int difettoRiga = 0;
    int difettoColonna = m.nColonne + 1;
    Difetto difetto = Difetto::Nullo;
    for (int r = 2; r <= m.nRighe; ++r) {
        if (r % kRigheTraRilasci == 0) {
            if (releasing)
                releasing->releaseRowsBefore(r);
            if (progress) {
                if (progress->cancelled())
                    return cancelled();
                progress->setPercent(percentOf(r, m.nRighe));
            }
        }
        m.matDati.label(r) = reader.cell(r, 1);
        for (int c = 2; c <= m.nColonne; ++c) {
            const CellValue value = reader.cell(r, c);
            // An infinite or undefined number is no value the methods can take.
            if (value.isNumber() && std::isfinite(value.number())) {
                m.matDati(r, c) = value.number();
                continue;
            }
            const auto number = value.isText() ? regional.parseNumber(value.text()) : std::nullopt;
            if (number) {
                m.matDati(r, c) = *number;
                continue;
            }
            if (c < difettoColonna) {
                difettoColonna = c;
                difettoRiga = r;
                difetto = value.isEmpty() || (value.isText() && value.text().trimmed().isEmpty())
                              ? Difetto::Nullo
                              : Difetto::Alfanumerico;
            }
            break; // later cells of this row come after this one in column order
        }
    }
    if (difettoRiga > 0) {
        const QString indicatore = regional.generalText(m.matDati.header(difettoColonna));
        return refused(difetto == Difetto::Nullo ? messaggioValoriNulli(indicatore)
                                                 : messaggioValoriAlfanumerici(indicatore));
    }

    const auto minimo = minimo_colonne(m);
    const auto massimo = massimo_colonne(m);
    for (int c = 2; c <= m.nColonne; ++c) {
        if (massimo[static_cast<std::size_t>(c)] == minimo[static_cast<std::size_t>(c)])
            return refused(messaggioIndicatoreCostante(regional.generalText(m.matDati.header(c))));
    }

    for (int r = 2; r <= m.nRighe; ++r) {
        for (int c = 2; c <= m.nColonne; ++c) {
            const double x = m.matDati(r, c);
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
    m.matRanghi.dimension(m.nRighe, 2);
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
        progress->report(QCoreApplication::translate("Workbook", "Lettura della matrice"), 0);
    QString error;
    auto reader = openWorkbook(s.strMatrice, regional, &error, progress);
    if (isCancelled(progress))
        return cancelled();
    if (!reader)
        return fileError(error);
    SharedState m;
    const LoadResult result = leggiMatrice(m, *reader, regional, QFileInfo(s.strMatrice).fileName(),
                                           reader.get(), progress);
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
        leggiMatrice(m, reader, regional, QFileInfo(s.strMatrice).fileName(), nullptr, progress);
    if (!result.loaded())
        return result;
    if (isCancelled(progress))
        return cancelled();
    installaMatrice(s, m);
    return result;
}
