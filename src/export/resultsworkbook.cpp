#include "export/resultsworkbook.h"

#include "shared/regional.h"
#include "shared/safefile.h"

#include "export/xlsxworkbookwriter.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t kPositive = 0xC0FFC0; // the data grid's light green
constexpr std::uint32_t kNegative = 0xFFC0C0; // and light red
constexpr std::uint32_t kFilled = 0xD9D9D9;   // a cell a treatment filled
constexpr int kMaxCellText = 32767;           // characters a cell can hold
constexpr char kDecimals[] = "0.0000";

class Writer {
public:
    Writer(XlsxWorkbookWriter& book, const ResultsCollection& results, WorkProgress* progress)
        : m_book(book), m_results(results), m_regional(*results.regional), m_progress(progress) {
        m_header = book.addFormat({.bold = true, .numberFormat = {}});
        m_decimal = book.addFormat({.numberFormat = kDecimals});
        m_whole = book.addFormat({.numberFormat = "0"});
        for (int negative = 0; negative < 2; ++negative) {
            const std::uint32_t colour = negative ? kNegative : kPositive;
            m_polarity[negative] = book.addFormat({.numberFormat = kDecimals, .fill = colour});
            m_polarityHeader[negative] =
                book.addFormat({.bold = true, .numberFormat = {}, .fill = colour});
        }
        // Only with a structure, so that a workbook without one keeps its styles.
        m_sixDecimals =
            results.structure ? book.addFormat({.numberFormat = "0.000000"}) : m_decimal;
        m_filled = book.addFormat({.numberFormat = kDecimals, .fill = kFilled});
        m_totalRows =
            qint64(results.matrix->unitCount() + 1) * (1 + qint64(results.methods.size()));
    }

    void write() {
        dataSheet();
        if (m_results.structure)
            structureSheet(*m_results.structure);
        for (const MethodResults& method : m_results.methods)
            methodSheet(method);
        if (m_results.comparison)
            comparisonSheet(*m_results.comparison);
        if (m_results.robustness)
            tableSheet(QStringLiteral("Robustezza"), *m_results.robustness);
        for (const auto& [code, table] : m_results.sensitivities)
            tableSheet(QStringLiteral("Sensibilità ") + code, table);
        if (m_results.uncertainty)
            tableSheet(QStringLiteral("Incertezza"), *m_results.uncertainty);
        if (m_results.monteCarlo)
            tableSheet(QStringLiteral("Monte Carlo"), *m_results.monteCarlo);
        if (m_results.sobol) {
            // The factors' indices, then each unit's total indices under them.
            tableSheet(QStringLiteral("Sobol"), *m_results.sobol);
            if (m_results.sobolUnits)
                tableAt(*m_results.sobolUnits, m_results.sobol->rowCount() + 2);
        }
        if (m_results.audit)
            auditSheet(*m_results.audit);
        if (m_results.gaps)
            gapsSheet(*m_results.gaps);
    }

    bool cancelled() const { return m_progress && m_progress->cancelled(); }
    // Nothing more to write: cancelled, or the file cannot be written.
    bool stopped() const { return cancelled() || m_book.failed(); }

private:
    void sheet(const QString& name) { m_book.addSheet(name, 1, 1); }

    void text(int row, int col, const QString& value, int format = 0) {
        if (value.isEmpty() && !format)
            return;
        m_book.writeText(row, col, QStringView(value).left(kMaxCellText), format);
    }
    void number(int row, int col, double value, int format) {
        m_book.writeNumber(row, col, value, format);
    }
    void width(int first, int last, double characters) {
        m_book.setColumnWidth(first, last, characters);
    }

    // Width in characters for a column of texts, within reason.
    static double widthOf(qsizetype longest) {
        return double(std::clamp<qsizetype>(longest + 2, 8, 60));
    }
    static double widthOf(const QStringList& texts, qsizetype atLeast = 0) {
        qsizetype longest = atLeast;
        for (const QString& t : texts)
            longest = std::max(longest, t.size());
        return widthOf(longest);
    }
    // A column of numbers shown with four decimals: wide enough for its
    // heading and for values up to the millions.
    static double numberWidth(const QString& heading) {
        return widthOf(std::max<qsizetype>(heading.size(), 12));
    }

    void rowDone() {
        ++m_rowsDone;
        if (m_progress && (m_rowsDone & 1023) == 0)
            m_progress->setPercent(percentOf(m_rowsDone, m_totalRows));
    }

    QString cornerText() const { return m_regional.generalText(m_results.matrix->corner); }

    // The heading of indicator j, with the format of its polarity.
    void indicatorHeading(int row, int col, int j) {
        const Matrix& matrix = *m_results.matrix;
        const bool negative = matrix.negative[std::size_t(j)] != 0;
        const QString heading = m_regional.generalText(matrix.indicators[std::size_t(j)]);
        width(col, col, numberWidth(heading));
        text(row, col, heading, m_polarityHeader[negative]);
    }

    void dataSheet() {
        const Matrix& matrix = *m_results.matrix;
        const int m = matrix.indicatorCount();
        sheet(QStringLiteral("Dati"));
        QStringList labels{cornerText()};
        for (const CellValue& label : matrix.units)
            labels.append(m_regional.generalText(label));
        width(0, 0, widthOf(labels));
        std::vector<int> formats(static_cast<std::size_t>(m), 0);
        for (int j = 0; j < m; ++j) {
            formats[std::size_t(j)] = m_polarity[matrix.negative[std::size_t(j)] != 0];
            indicatorHeading(0, j + 1, j);
        }
        text(0, 0, labels.first());
        const std::vector<unsigned char> filled = filledCells();
        for (int i = 0; i < matrix.unitCount() && !stopped(); ++i) {
            text(i + 1, 0, labels[i + 1]);
            for (int j = 0; j < m; ++j) {
                if (matrix.isMissing(i, j))
                    continue; // left empty, as in the workbook
                const bool wasFilled =
                    !filled.empty() &&
                    filled[std::size_t(j) * matrix.units.size() + std::size_t(i)];
                number(i + 1, j + 1, matrix.value(i, j),
                       wasFilled ? m_filled : formats[std::size_t(j)]);
            }
            rowDone();
        }
    }

    // The structure: a row per element with its parent, its weight and its
    // effective weight in the overall index.
    void structureSheet(const Structure& structure) {
        sheet(QStringLiteral("Struttura"));
        const QStringList headings{QStringLiteral("Elemento"), QStringLiteral("Padre"),
                                   QStringLiteral("Peso"), QStringLiteral("Peso effettivo")};
        QStringList names;
        for (const StructureElement& element : structure.elements)
            names.append(element.name);
        width(0, 1, widthOf(names, 8));
        width(2, 3, widthOf(14));
        for (int k = 0; k < headings.size(); ++k)
            text(0, k, headings[k], m_header);
        const std::vector<double> effective = structure.effectiveWeights();
        for (std::size_t e = 0; e < structure.elements.size(); ++e) {
            const StructureElement& element = structure.elements[e];
            const int row = int(e) + 1;
            text(row, 0, element.name);
            if (element.parent >= 0)
                text(row, 1, structure.elements[std::size_t(element.parent)].name);
            number(row, 2, element.writtenWeight, m_decimal);
            number(row, 3, effective[e], m_sixDecimals);
        }
    }

    std::vector<unsigned char> filledCells() const {
        return m_results.gaps ? filledMask(*m_results.gaps, *m_results.matrix)
                              : std::vector<unsigned char>();
    }

    // The coverage of the matrix as read (indicators, then units) and every
    // cell a treatment filled, side by side.
    void gapsSheet(const GapsRecord& gaps) {
        sheet(QStringLiteral("Mancanti"));
        const QStringList coverageHeaders{QStringLiteral("Elemento"), QStringLiteral("Tipo"),
                                          QStringLiteral("Disponibili"), QStringLiteral("Mancanti"),
                                          QStringLiteral("Copertura")};
        const int filledLeft = 6;
        const QStringList filledHeaders{m_regional.generalText(gaps.corner),
                                        QStringLiteral("Indicatore"), QStringLiteral("Valore"),
                                        QStringLiteral("Trattamento")};
        for (int k = 0; k < 5; ++k)
            text(0, k, coverageHeaders[k], m_header);
        for (int k = 0; k < 4; ++k)
            text(0, filledLeft + k, filledHeaders[k], m_header);
        width(0, 0, 40);
        width(filledLeft, filledLeft + 1, 40);
        int row = 1;
        const auto coverageRow = [&](const CellValue& name, const QString& type,
                                     const CoverageCount& count) {
            text(row, 0, m_regional.generalText(name));
            text(row, 1, type);
            number(row, 2, count.available, m_whole);
            number(row, 3, count.missing, m_whole);
            number(row, 4, count.share(), m_decimal);
            ++row;
        };
        for (std::size_t j = 0; j < gaps.indicators.size() && !stopped(); ++j)
            coverageRow(gaps.indicators[j], QStringLiteral("indicatore"),
                        gaps.coverage.indicators[j]);
        for (std::size_t i = 0; i < gaps.units.size() && !stopped(); ++i)
            coverageRow(gaps.units[i], QStringLiteral("unita"), gaps.coverage.units[i]);
        const QString word = fillWord(gaps.treatment);
        for (std::size_t k = 0; k < gaps.filled.size() && !stopped(); ++k) {
            const FilledCell& cell = gaps.filled[k];
            const int r = int(k) + 1;
            text(r, filledLeft, m_regional.generalText(gaps.units[std::size_t(cell.unit)]));
            text(r, filledLeft + 1,
                 m_regional.generalText(gaps.indicators[std::size_t(cell.indicator)]));
            number(r, filledLeft + 2, cell.value, m_decimal);
            text(r, filledLeft + 3, word);
        }
    }

    void methodSheet(const MethodResults& method) {
        const Matrix& matrix = *m_results.matrix;
        const int m = matrix.indicatorCount();
        const auto n = std::size_t(matrix.unitCount());
        sheet(method.code);
        width(0, 0, widthOf(method.labels, cornerText().size()));
        width(1, 1, numberWidth(method.header));
        width(2, 2, 8);
        text(0, 0, cornerText(), m_header);
        text(0, 1, method.header, m_header);
        text(0, 2, QStringLiteral("Rango"), m_header);
        // Each group's index after the rank, with a structure.
        const DelimitedTable* groups = method.groups ? &*method.groups : nullptr;
        const int g = groups ? groups->columnCount() : 0;
        for (int k = 0; k < g; ++k) {
            width(3 + k, 3 + k, numberWidth(groups->headers[k + 1]));
            text(0, 3 + k, groups->headers[k + 1], m_header);
        }
        const std::vector<double>* t = method.transformed;
        std::vector<int> formats;
        if (t) {
            text(0, 4 + g, QStringLiteral("Matrice trasformata"), m_header);
            for (int j = 0; j < m; ++j) {
                formats.push_back(m_polarity[matrix.negative[std::size_t(j)] != 0]);
                indicatorHeading(0, j + 5 + g, j);
            }
            width(4 + g, 4 + g, widthOf(19));
        }
        for (int i = 0; i < int(method.values.size()) && !stopped(); ++i) {
            text(i + 1, 0, method.labels[i]);
            number(i + 1, 1, method.values[std::size_t(i)], m_decimal);
            number(i + 1, 2, method.ranks[std::size_t(i)], m_whole);
            for (int k = 0; k < g; ++k)
                number(i + 1, 3 + k, groups->number(i, k), m_decimal);
            if (t) {
                text(i + 1, 4 + g, method.labels[i]);
                for (int j = 0; j < m; ++j)
                    number(i + 1, j + 5 + g, (*t)[std::size_t(j) * n + std::size_t(i)],
                           formats[std::size_t(j)]);
            }
            rowDone();
        }
    }

    // The format of a coefficient's cell; the writer keeps one per shade.
    int shade(double value) { return m_book.addFormat(coefficientFormat(value, kDecimals)); }

    // A square matrix of coefficients at (top, left): its title in the
    // corner, the headers along both edges, the lower triangle shaded.
    void matrixRow(int row, int top, int left, const QString& title, const QStringList& headers,
                   const std::vector<double>& matrix) {
        const int n = int(headers.size());
        const int j = row - top - 1;
        if (row == top) {
            text(row, left, title, m_header);
            for (int k = 0; k < n; ++k)
                text(row, left + 1 + k, headers[k], m_header);
        } else if (j >= 0 && j < n) {
            text(row, left, headers[j], m_header);
            for (int k = 0; k <= j; ++k) {
                const double value = matrix[std::size_t(j * n + k)];
                number(row, left + 1 + k, value, shade(value));
            }
        }
    }

    void comparisonSheet(const ComparisonResults& comparison) {
        sheet(QStringLiteral("Confronto"));
        const int n = comparison.methodCount();
        const int units = int(comparison.labels.size());
        const int ranksLeft = n + 2;
        const int matrixLeft = 2 * n + 3;
        const bool kendall = !comparison.kendall.empty();
        width(0, 0, widthOf(comparison.labels, cornerText().size()));
        width((ranksLeft), (ranksLeft + n - 1), 10);
        width((matrixLeft), (matrixLeft), widthOf(10));
        width((matrixLeft + 1), (matrixLeft + n), 10);
        for (int k = 0; k < n; ++k)
            width((1 + k), (1 + k), numberWidth(comparison.headers[k]));
        const int lastRow = std::max(units, kendall ? 2 * n + 2 : n);
        for (int row = 0; row <= lastRow && !stopped(); ++row) {
            if (row == 0) {
                text(0, 0, cornerText(), m_header);
                for (int k = 0; k < n; ++k) {
                    text(0, 1 + k, comparison.headers[k], m_header);
                    text(0, ranksLeft + k, QStringLiteral("Rango ") + comparison.headers[k],
                         m_header);
                }
            } else if (row <= units) {
                text(row, 0, comparison.labels[row - 1]);
                for (int k = 0; k < n; ++k) {
                    number(row, 1 + k, comparison.values.number(row - 1, k), m_decimal);
                    number(row, ranksLeft + k, comparison.ranks.number(row - 1, k), m_whole);
                }
            }
            matrixRow(row, 0, matrixLeft, QStringLiteral("Spearman"), comparison.headers,
                      comparison.cograduation);
            if (kendall)
                matrixRow(row, n + 2, matrixLeft, QStringLiteral("Kendall"), comparison.headers,
                          comparison.kendall);
        }
    }

    // Per column: whole numbers without decimals, any other with four.
    std::vector<int> columnFormats(const DelimitedTable& table) const {
        const int columns = table.columnCount();
        std::vector<int> formats(std::size_t(columns), m_whole);
        for (int r = 0; r < table.rowCount(); ++r)
            for (int k = 0; k < columns; ++k) {
                const double value = table.number(r, k);
                if (std::isfinite(value) && value != std::trunc(value))
                    formats[std::size_t(k)] = m_decimal;
            }
        return formats;
    }

    void tableSheet(const QString& name, const DelimitedTable& table) {
        sheet(name);
        tableAt(table, 0);
    }

    // A table on the current sheet, its header on row top.
    void tableAt(const DelimitedTable& table, int top) {
        const int columns = table.columnCount();
        const std::vector<int> formats = columnFormats(table);
        if (top == 0) {
            width(0, 0, widthOf(table.labels, table.headers.first().size()));
            for (int k = 0; k < columns; ++k)
                width((k + 1), (k + 1),
                      widthOf(std::max<qsizetype>(table.headers[k + 1].size(), 8)));
        }
        for (int k = 0; k <= columns; ++k)
            text(top, k, table.headers[k], m_header);
        auto nextText = table.texts.begin();
        for (int r = 0; r < table.rowCount() && !stopped(); ++r) {
            text(top + r + 1, 0, table.labels[r]);
            for (int k = 0; k < columns; ++k) {
                const std::size_t at = std::size_t(r) * std::size_t(columns) + std::size_t(k);
                while (nextText != table.texts.end() && nextText->first < at)
                    ++nextText;
                if (nextText != table.texts.end() && nextText->first == at)
                    text(top + r + 1, k + 1, nextText->second);
                else
                    number(top + r + 1, k + 1, table.number(r, k), formats[std::size_t(k)]);
            }
        }
    }

    // The indicator table, Pearson's correlations (the lower triangle
    // shaded as the cograduation matrix) and the coherence of the groups,
    // one under the other with an empty row between.
    void auditSheet(const AuditTables& audit) {
        sheet(QStringLiteral("Audit"));
        QStringList labels = audit.indicators.labels + audit.coherence.labels;
        width(0, 0, widthOf(labels, 12));
        width(1,
              std::max({audit.indicators.columnCount(), audit.correlations.columnCount(),
                        audit.coherence.columnCount()}),
              12);
        int row = block(0, audit.indicators, false);
        row = block(row + 1, audit.correlations, true);
        row = block(row + 1, audit.coherence, false);
        // Each method's coherence of the elements, under a line naming it.
        for (const auto& [code, table] : audit.methodCoherence) {
            text(row + 1, 0, QStringLiteral("Coerenza %1").arg(code), m_header);
            row = block(row + 2, table, false);
        }
    }

    // A table of the audit at row top: its header row, then its rows.
    // Returns the row after it.
    int block(int top, const DelimitedTable& table, bool shaded) {
        const int columns = table.columnCount();
        const std::vector<int> formats = columnFormats(table);
        for (int k = 0; k <= columns; ++k)
            text(top, k, table.headers[k], m_header);
        auto nextText = table.texts.begin();
        for (int r = 0; r < table.rowCount() && !stopped(); ++r) {
            text(top + 1 + r, 0, table.labels[r], m_header);
            for (int k = 0; k < columns; ++k) {
                const std::size_t at = std::size_t(r) * std::size_t(columns) + std::size_t(k);
                while (nextText != table.texts.end() && nextText->first < at)
                    ++nextText;
                const double value = table.number(r, k);
                if (nextText != table.texts.end() && nextText->first == at)
                    text(top + 1 + r, k + 1, nextText->second);
                else if (std::isfinite(value))
                    number(top + 1 + r, k + 1, value,
                           shaded ? (k < r ? shade(value) : m_decimal) : formats[std::size_t(k)]);
            }
        }
        return top + 1 + table.rowCount();
    }

    XlsxWorkbookWriter& m_book;
    const ResultsCollection& m_results;
    const Regional& m_regional;
    WorkProgress* m_progress;
    int m_header;
    int m_decimal;
    int m_whole;
    int m_sixDecimals;
    int m_polarity[2];
    int m_polarityHeader[2];
    int m_filled;
    qint64 m_rowsDone = 0;
    qint64 m_totalRows = 1;
};

} // namespace

Status writeResultsWorkbook(const QString& path, const ResultsCollection& results,
                            WorkProgress* progress) {
    if (progress)
        progress->report(
            QCoreApplication::translate("Export", "Scrittura della cartella dei risultati"), 0);
    SafeFile file(path);
    if (Status opened = file.open(); !opened)
        return opened;
    XlsxWorkbookWriter book(file.temporaryPath());
    Writer writer(book, results, progress);
    writer.write();
    const Status closed = book.close();
    if (writer.cancelled())
        return failure(FailureKind::File,
                       QCoreApplication::translate("Export", "Esportazione annullata."));
    if (!closed)
        return failure(FailureKind::File,
                       QCoreApplication::translate("Export", "Impossibile scrivere %1: %2")
                           .arg(path, closed.error().message));
    return file.commit();
}
