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

// The extent of the block from A1: the label column and the header row
// included.
struct Block {
    int columns = 0;
    int rows = 0;
};

// Measures the block of reader, refusing one without indicators or units.
Expected<Block> measureBlock(const WorkbookReader& reader, const QString& name) {
    Block block;
    while (!reader.cell(1, block.columns + 1).equalsEmptyText())
        ++block.columns;
    while (!reader.cell(block.rows + 1, 1).equalsEmptyText())
        ++block.rows;

    if (block.columns == 0)
        return fileError(QCoreApplication::translate(
                             "Workbook", "Il primo foglio di %1 è vuoto nella cella A1: la matrice "
                                         "deve iniziare in A1 con l'etichetta d'angolo.")
                             .arg(name));
    if (block.columns == 1)
        return fileError(QCoreApplication::translate(
                             "Workbook", "La matrice di %1 non contiene indicatori: la riga 1 "
                                         "deve riportare i nomi degli indicatori a partire da B1.")
                             .arg(name));
    if (block.rows == 1)
        return fileError(QCoreApplication::translate(
                             "Workbook", "La matrice di %1 non contiene unità: la colonna A deve "
                                         "riportare le etichette delle unità a partire da A2.")
                             .arg(name));
    return block;
}

// The matrix of a block, its corner, indicators and weights read, its units
// and values sized.
Matrix matrixOf(const WorkbookReader& reader, const Block& block) {
    const int n = block.rows - 1;
    const int m = block.columns - 1;
    Matrix matrix;
    matrix.corner = reader.cell(1, 1);
    matrix.indicators.reserve(std::size_t(m));
    for (int c = 2; c <= block.columns; ++c) {
        matrix.indicators.push_back(reader.cell(1, c));
        matrix.negative.push_back(hasNegativePolarity(matrix.indicators.back()) ? 1 : 0);
    }
    matrix.weights.assign(std::size_t(m), 1.0);
    matrix.units.resize(std::size_t(n));
    resizeUntouched(matrix.values, std::size_t(n) * std::size_t(m));
    return matrix;
}

// The first invalid data cell in column order (lowest column, then lowest
// row), which decides the refusal; row 0 when there is none.
struct FirstDefect {
    enum class Kind { Empty, Text };
    int row = 0;
    int column = 0;
    Kind kind = Kind::Empty;
    QString text;
    int cells = 0; // the invalid cells of its column
};

// Marks the cell (row i, sheet column c) missing or invalid.
void markCell(Matrix& matrix, int i, int c, const CellValue& value) {
    const auto n = std::size_t(matrix.unitCount());
    const bool empty = value.isEmpty() || (value.isText() && value.text().trimmed().isEmpty());
    if (matrix.missing.empty())
        matrix.missing.assign(matrix.values.size(), 0);
    matrix.value(i, c - 2) = 0.0;
    const unsigned char mark = empty                                                ? kMissingEmpty
                               : value.isText() && isNotAvailableText(value.text()) ? kMissingText
                                                                                    : kInvalidValue;
    matrix.missing[std::size_t(c - 2) * n + std::size_t(i)] = mark;
    if (mark == kInvalidValue && value.isText()) {
        matrix.invalidTexts.resize(matrix.indicators.size());
        if (matrix.invalidTexts[std::size_t(c - 2)].isEmpty())
            matrix.invalidTexts[std::size_t(c - 2)] = value.text();
    }
}

// Reads the data cells row by row, the order in which the reader holds
// them, into matrix: marked, an invalid cell is marked; otherwise the first
// one in column order goes to *defect. Fails only when cancelled.
Status readValues(const WorkbookReader& reader, const Regional& regional, const Block& block,
                  WorkbookReader* releasing, WorkProgress* progress, bool marked, Matrix& matrix,
                  FirstDefect* defect) {
    const int columns = block.columns;
    const int rows = block.rows;
    // Per sheet column: its invalid cells that come first in their row; for
    // the lowest such column, the one that decides, all of its invalid cells.
    std::vector<int> invalidCells(std::size_t(columns) + 1, 0);
    FirstDefect first;
    first.column = columns + 1;
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
                markCell(matrix, i, c, value);
                continue;
            }
            ++invalidCells[std::size_t(c)];
            if (c < first.column) {
                first.column = c;
                first.row = r;
                first.kind = value.isEmpty() || (value.isText() && value.text().trimmed().isEmpty())
                                 ? FirstDefect::Kind::Empty
                                 : FirstDefect::Kind::Text;
                first.text = value.isText() ? value.text() : QString();
            }
            break; // later cells of this row come after this one in column order
        }
    }
    if (first.row > 0)
        first.cells = invalidCells[std::size_t(first.column)];
    *defect = std::move(first);
    return {};
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
    const Expected<Block> block = measureBlock(reader, name);
    if (!block)
        return block.error();
    Matrix matrix = matrixOf(reader, *block);
    FirstDefect defect;
    if (Status read =
            readValues(reader, regional, *block, releasing, progress, marked, matrix, &defect);
        !read)
        return std::move(read).error();
    const auto indicatorText = [&](int j) {
        return regional.generalText(matrix.indicators[std::size_t(j)]);
    };
    if (defect.row > 0)
        return refusedAt(defect.kind == FirstDefect::Kind::Empty
                             ? nullValuesMessage(indicatorText(defect.column - 2))
                             : textValuesMessage(indicatorText(defect.column - 2)),
                         defect.row, defect.column,
                         regional.generalText(matrix.units[std::size_t(defect.row - 2)]),
                         defect.cells, defect.text, regional);

    if (marked)
        return matrix;
    for (int j = 0; j < matrix.indicatorCount(); ++j) {
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
    Expected<std::unique_ptr<WorkbookReader>> opened = openWorkbook(path, regional, progress);
    if (isCancelled(progress))
        return cancelled();
    if (!opened)
        return std::move(opened).error();
    std::unique_ptr<WorkbookReader>& reader = *opened;
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
