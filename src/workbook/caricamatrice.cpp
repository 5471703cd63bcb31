#include "workbook/caricamatrice.h"

#include "shared/polarita.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <functional>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <new>

namespace {

QString prefisso() {
    return QCoreApplication::translate("Workbook", "L'indicatore definito nella matrice come ");
}

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

// A refusal's first line, then where: the first offending cell (sheet row
// and column, from 1) with its unit's label, and how many cells of the
// indicator are affected; then, for a text that is a number under the other
// decimal separator, how to read it.
Failure refusedAt(const QString& message, int row, int column, const QString& unit, int affected,
                  const QString& text, const Regional& regional) {
    QString located =
        message + u'\n' +
        QCoreApplication::translate("Workbook", "Prima cella: %1 (%2); celle interessate: %3.")
            .arg(cellReference(row, column), unit.simplified(), QString::number(affected));
    if (const QString hint = separatorHint(text, regional); !hint.isEmpty())
        located += u'\n' + hint;
    return refused(located);
}

} // namespace

QString separatorHint(const QString& text, const Regional& regional) {
    if (text.isEmpty())
        return {};
    const bool decimalComma = regional.locale().decimalPoint() == QStringLiteral(",");
    const Regional other{decimalComma ? QLocale::c() : QLocale(QLocale::Italian, QLocale::Italy)};
    if (!other.parseNumber(text))
        return {};
    return decimalComma
               ? QCoreApplication::translate(
                     "Workbook",
                     "«%1» è un numero con il punto decimale, ma le impostazioni internazionali "
                     "in uso leggono la virgola: avviare il programma con LC_NUMERIC=C.UTF-8 per "
                     "leggere i numeri con il punto.")
                     .arg(text.trimmed())
               : QCoreApplication::translate(
                     "Workbook",
                     "«%1» è un numero con la virgola decimale, ma le impostazioni internazionali "
                     "in uso leggono il punto: avviare il programma con LC_NUMERIC=it_IT.UTF-8 per "
                     "leggere i numeri con la virgola.")
                     .arg(text.trimmed());
}

QString cellReference(int row, int column) {
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

QString nullValuesMessage(const QString& indicatore) {
    return prefisso() + indicatore +
           QCoreApplication::translate(
               "Workbook", " risulta avere valori nulli. Verificare la validità della matrice "
                           "selezionata!");
}

QString textValuesMessage(const QString& indicatore) {
    return prefisso() + indicatore +
           QCoreApplication::translate(
               "Workbook", " risulta avere valori alfanumerici. Verificare la validità della "
                           "matrice selezionata!");
}

QString constantIndicatorMessage(const QString& indicatore) {
    return prefisso() + indicatore +
           QCoreApplication::translate(
               "Workbook", " risulta essere costante in tutte le osservazioni. Verificare la "
                           "validità della matrice selezionata!");
}

namespace {

// Rows read between two releases of the reader's cells.
constexpr int kRowsBetweenReleases = 4096;

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
    matrix.values.resize(std::size_t(n) * std::size_t(m));
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

namespace {

// The refusal for the marked cell at (indicator by indicator), naming it
// and counting the cells of its indicator that count tells.
Failure markedRefusal(const Matrix& matrix, std::size_t at, const QString& message,
                      const std::function<bool(unsigned char)>& counts, const Regional& regional) {
    const auto n = std::size_t(matrix.unitCount());
    const std::size_t first = at - at % n;
    const int affected = int(std::count_if(matrix.missing.begin() + qsizetype(first),
                                           matrix.missing.begin() + qsizetype(first + n), counts));
    // The first cell marked invalid of an indicator is the one its text was kept for.
    const std::size_t indicator = at / n;
    const QString text =
        matrix.missing[at] == kInvalidValue && indicator < matrix.invalidTexts.size()
            ? matrix.invalidTexts[indicator]
            : QString();
    return refusedAt(message, int(at % n) + 2, int(indicator) + 2,
                     regional.generalText(matrix.units[at % n]), affected, text, regional);
}

} // namespace

Failure missingCellsRefusal(const Matrix& matrix, const Regional& regional) {
    const auto n = std::size_t(matrix.unitCount());
    for (std::size_t at = 0; at < matrix.missing.size(); ++at) {
        if (!matrix.missing[at])
            continue;
        const QString indicator = regional.generalText(matrix.indicators[at / n]);
        return markedRefusal(
            matrix, at,
            matrix.missing[at] == kMissingEmpty ? nullValuesMessage(indicator)
                                                : textValuesMessage(indicator),
            [](unsigned char mark) { return mark != 0; }, regional);
    }
    return refused(QString());
}

std::optional<Failure> invalidValueRefusal(const Matrix& matrix, const Regional& regional) {
    const auto n = std::size_t(matrix.unitCount());
    for (std::size_t at = 0; at < matrix.missing.size(); ++at)
        if (matrix.missing[at] == kInvalidValue)
            return markedRefusal(
                matrix, at, textValuesMessage(regional.generalText(matrix.indicators[at / n])),
                [](unsigned char mark) { return mark == kInvalidValue; }, regional);
    return std::nullopt;
}
