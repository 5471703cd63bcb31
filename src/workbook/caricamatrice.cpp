#include "workbook/caricamatrice.h"

#include "shared/polarity.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <new>
#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

Failure fileError(const QString& message) {
    return failure(FailureKind::File, message);
}

Failure refused(const QString& message) {
    return failure(FailureKind::Refused, message);
}

Failure cancelled() {
    return failure(FailureKind::Cancelled,
                   QCoreApplication::translate("Workbook", "Caricamento della matrice annullato."));
}

bool isCancelled(const WorkProgress* progress) {
    return progress && progress->cancelled();
}

// Rows read between two releases of the reader's cells.
constexpr int kRowsBetweenReleases = 4096;

// Resizes values to size zeros without keeping them in memory: a matrix is
// filled a row at a time, across every column, while the sheet's rows are
// released, so its pages should be taken as the rows arrive, not all before
// the first. The zeros are written a few megabytes at a time and those
// pages given back at once: they read again as zeros.
void resizeUntouched(std::vector<double>& values, std::size_t size) {
#ifdef __linux__
    constexpr std::size_t kStep = std::size_t(4) << 20; // doubles: 32 MB
    if (size <= kStep) {
        values.resize(size);
        return;
    }
    values.reserve(size);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    while (values.size() < size) {
        const std::size_t from = values.size();
        values.resize(std::min(size, from + kStep));
        const auto begin =
            (reinterpret_cast<std::uintptr_t>(values.data() + from) + page - 1) / page * page;
        const auto end =
            reinterpret_cast<std::uintptr_t>(values.data() + values.size()) / page * page;
        if (end > begin)
            madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
    }
#else
    values.resize(size);
#endif
}

// Reads and validates the block of reader into a matrix. With `releasing`
// (the reader itself), the rows read are released as the matrix grows, so
// that the sheet and the matrix are never held whole together.
Expected<Matrix> readMatrix(const WorkbookReader& reader, const Regional& regional,
                            const QString& name, WorkbookReader* releasing, WorkProgress* progress,
                            MissingCells missing) {
    const bool marked = missing == MissingCells::Marked;
    if (progress)
        progress->report(QCoreApplication::translate("Workbook", "Controllo della matrice"), 0);
    int columns = 0; // the label column included
    int rows = 0;    // the header row included
    while (!reader.cell(1, columns + 1).equalsEmptyText())
        ++columns;
    while (!reader.cell(rows + 1, 1).equalsEmptyText())
        ++rows;

    if (columns == 0)
        return fileError(QCoreApplication::translate(
                             "Workbook", "Il primo foglio di %1 è vuoto nella cella A1: la matrice "
                                         "deve iniziare in A1 con l'etichetta d'angolo.")
                             .arg(name));
    if (columns == 1)
        return fileError(QCoreApplication::translate(
                             "Workbook", "La matrice di %1 non contiene indicatori: la riga 1 "
                                         "deve riportare i nomi degli indicatori a partire da B1.")
                             .arg(name));
    if (rows == 1)
        return fileError(QCoreApplication::translate(
                             "Workbook", "La matrice di %1 non contiene unità: la colonna A deve "
                                         "riportare le etichette delle unità a partire da A2.")
                             .arg(name));

    const int n = rows - 1;
    const int m = columns - 1;
    Matrix matrix;
    matrix.corner = reader.cell(1, 1);
    matrix.indicators.reserve(std::size_t(m));
    for (int c = 2; c <= columns; ++c) {
        matrix.indicators.push_back(reader.cell(1, c));
        matrix.negative.push_back(hasNegativePolarity(matrix.indicators.back()) ? 1 : 0);
    }
    matrix.weights.assign(std::size_t(m), 1.0);
    matrix.units.resize(std::size_t(n));
    resizeUntouched(matrix.values, std::size_t(n) * std::size_t(m));

    // Row by row, the order in which the reader holds the cells; the first
    // invalid data cell in column order (lowest column, then lowest row)
    // decides the refusal.
    enum class Defect { Empty, Text };
    // Per sheet column: its invalid cells that come first in their row; for
    // the lowest such column, the one that decides, all of its invalid cells.
    std::vector<int> invalidCells(std::size_t(columns) + 1, 0);
    int defectRow = 0;
    int defectColumn = columns + 1;
    Defect defect = Defect::Empty;
    QString defectText;
    for (int r = 2; r <= rows; ++r) {
        if (r % kRowsBetweenReleases == 0) {
            if (releasing)
                releasing->releaseRowsBefore(r);
            if (progress) {
                if (progress->cancelled())
                    return cancelled();
                progress->setPercent(percentOf(r, rows));
            }
        }
        const int i = r - 2;
        matrix.units[std::size_t(i)] = reader.cell(r, 1);
        for (int c = 2; c <= columns; ++c) {
            const CellValue value = reader.cell(r, c);
            double& target = matrix.value(i, c - 2);
            // An infinite or undefined number is no value the methods can take.
            if (value.isNumber() && std::isfinite(value.number())) {
                target = value.number();
                continue;
            }
            const auto number = value.isText() ? regional.parseNumber(value.text()) : std::nullopt;
            if (number) {
                target = *number;
                continue;
            }
            if (marked) {
                const bool empty =
                    value.isEmpty() || (value.isText() && value.text().trimmed().isEmpty());
                if (matrix.missing.empty())
                    matrix.missing.assign(matrix.values.size(), 0);
                target = 0.0;
                const unsigned char mark = empty ? kMissingEmpty
                                           : value.isText() && isNotAvailableText(value.text())
                                               ? kMissingText
                                               : kInvalidValue;
                matrix.missing[std::size_t(c - 2) * std::size_t(n) + std::size_t(i)] = mark;
                if (mark == kInvalidValue && value.isText()) {
                    matrix.invalidTexts.resize(std::size_t(m));
                    if (matrix.invalidTexts[std::size_t(c - 2)].isEmpty())
                        matrix.invalidTexts[std::size_t(c - 2)] = value.text();
                }
                continue;
            }
            ++invalidCells[std::size_t(c)];
            if (c < defectColumn) {
                defectColumn = c;
                defectRow = r;
                defect = value.isEmpty() || (value.isText() && value.text().trimmed().isEmpty())
                             ? Defect::Empty
                             : Defect::Text;
                defectText = value.isText() ? value.text() : QString();
            }
            break; // later cells of this row come after this one in column order
        }
    }
    const auto indicatorText = [&](int j) {
        return regional.generalText(matrix.indicators[std::size_t(j)]);
    };
    if (defectRow > 0)
        return refusedAt(
            defect == Defect::Empty ? nullValuesMessage(indicatorText(defectColumn - 2))
                                    : textValuesMessage(indicatorText(defectColumn - 2)),
            defectRow, defectColumn, regional.generalText(matrix.units[std::size_t(defectRow - 2)]),
            invalidCells[std::size_t(defectColumn)], defectText, regional);

    if (marked)
        return matrix;
    for (int j = 0; j < m; ++j) {
        const std::span<const double> x = matrix.column(j);
        const auto [least, most] = std::minmax_element(x.begin(), x.end());
        if (*least == *most)
            return refused(constantIndicatorMessage(indicatorText(j)));
    }
    return matrix;
}

} // namespace

Expected<Matrix> carica_matrice(const QString& path, const Regional& regional,
                                WorkProgress* progress, QStringList* sheetNames,
                                MissingCells missing) {
    if (progress)
        progress->report(QCoreApplication::translate("Workbook", "Lettura della matrice"), 0);
    QString error;
    auto reader = openWorkbook(path, regional, &error, progress);
    if (isCancelled(progress))
        return cancelled();
    if (!reader)
        return fileError(error);
    Expected<Matrix> result =
        readMatrix(*reader, regional, QFileInfo(path).fileName(), reader.get(), progress, missing);
    if (sheetNames)
        *sheetNames = reader->sheetNames();
    // The workbook's cells go before anything else takes memory: with both,
    // a large matrix would need half as much again at its peak.
    reader->close();
    reader.reset();
#ifdef __GLIBC__
    // Hands the pages of the freed cells back to the system: the labels
    // copied above sit beyond them and keep the heap from shrinking.
    malloc_trim(0);
#endif
    if (result && isCancelled(progress))
        return cancelled();
    return result;
}

Expected<Matrix> carica_matrice(const WorkbookReader& reader, const QString& path,
                                const Regional& regional, WorkProgress* progress,
                                MissingCells missing) {
    Expected<Matrix> result =
        readMatrix(reader, regional, QFileInfo(path).fileName(), nullptr, progress, missing);
    if (result && isCancelled(progress))
        return cancelled();
    return result;
}

bool isNotAvailableText(const QString& text) {
    static const QStringList kTexts{
        QStringLiteral("na"), QStringLiteral("n/a"), QStringLiteral("n.d."), QStringLiteral("n.a."),
        QStringLiteral(".."), QStringLiteral(":"),   QStringLiteral("-"),    QStringLiteral("nd")};
    return kTexts.contains(text.trimmed().toLower());
}
