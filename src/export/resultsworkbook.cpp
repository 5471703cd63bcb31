#include "export/resultsworkbook.h"

#include "shared/divergingscale.h"
#include "shared/polarita.h"
#include "shared/regional.h"
#include "shared/safefile.h"

#include "export/xlsxwriterapi.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr lxw_color_t kPositive = 0xC0FFC0; // the data grid's light green
constexpr lxw_color_t kNegative = 0xFFC0C0; // and light red
constexpr int kMaxCellText = 32767;         // characters a cell can hold

class Writer {
public:
    Writer(const XlsxWriterApi& x, lxw_workbook* book, const ResultsCollection& results,
           WorkProgress* progress)
        : m_x(x), m_book(book), m_results(results), m_regional(*results.regional),
          m_progress(progress) {
        m_header = m_x.workbook_add_format(book);
        m_x.format_set_bold(m_header);
        m_decimal = m_x.workbook_add_format(book);
        m_x.format_set_num_format(m_decimal, "0.0000");
        m_whole = m_x.workbook_add_format(book);
        m_x.format_set_num_format(m_whole, "0");
        for (int negative = 0; negative < 2; ++negative) {
            const lxw_color_t colour = negative ? kNegative : kPositive;
            m_polarity[negative] = m_x.workbook_add_format(book);
            m_x.format_set_num_format(m_polarity[negative], "0.0000");
            m_x.format_set_bg_color(m_polarity[negative], colour);
            m_polarityHeader[negative] = m_x.workbook_add_format(book);
            m_x.format_set_bold(m_polarityHeader[negative]);
            m_x.format_set_bg_color(m_polarityHeader[negative], colour);
        }
        const SharedState& s = *results.state;
        m_totalRows = qint64(s.nRighe) * (1 + qint64(results.methods.size()));
    }

    void write() {
        dati();
        for (const MethodResults& method : m_results.methods)
            methodSheet(method);
        if (m_results.comparison)
            confronto(*m_results.comparison);
        if (m_results.robustness)
            tableSheet("Robustezza", *m_results.robustness);
        for (const auto& [code, table] : m_results.sensitivities)
            tableSheet((QStringLiteral("Sensibilità ") + code).toUtf8(), table);
        if (m_results.uncertainty)
            tableSheet("Incertezza", *m_results.uncertainty);
    }

    bool cancelled() const { return m_progress && m_progress->cancelled(); }

private:
    lxw_worksheet* sheet(const QByteArray& name) {
        lxw_worksheet* ws = m_x.workbook_add_worksheet(m_book, name.constData());
        m_x.worksheet_freeze_panes(ws, 1, 1);
        return ws;
    }

    void text(lxw_worksheet* ws, int row, int col, const QString& value,
              lxw_format* format = nullptr) {
        if (value.isEmpty() && !format)
            return;
        const QByteArray bytes = value.left(kMaxCellText).toUtf8();
        m_x.worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(col), bytes.constData(), format);
    }
    void number(lxw_worksheet* ws, int row, int col, double value, lxw_format* format) {
        if (std::isfinite(value))
            m_x.worksheet_write_number(ws, lxw_row_t(row), lxw_col_t(col), value, format);
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

    QString labelText(int r) const {
        return m_regional.generalText(m_results.state->matDati.label(r));
    }

    void dati() {
        const SharedState& s = *m_results.state;
        lxw_worksheet* ws = sheet("Dati");
        QStringList labels;
        for (int r = 1; r <= s.nRighe; ++r)
            labels.append(labelText(r));
        m_x.worksheet_set_column(ws, 0, 0, widthOf(labels), nullptr);
        std::vector<lxw_format*> formats(std::size_t(s.nColonne) + 1, nullptr);
        for (int c = 2; c <= s.nColonne; ++c) {
            const bool negative = polaritaNegativa(s.matDati.header(c));
            formats[std::size_t(c)] = m_polarity[negative];
            const QString heading = m_regional.generalText(s.matDati.header(c));
            m_x.worksheet_set_column(ws, lxw_col_t(c - 1), lxw_col_t(c - 1), numberWidth(heading),
                                     nullptr);
            text(ws, 0, c - 1, heading, m_polarityHeader[negative]);
        }
        text(ws, 0, 0, labels.first());
        for (int r = 2; r <= s.nRighe && !cancelled(); ++r) {
            text(ws, r - 1, 0, labels[r - 1]);
            for (int c = 2; c <= s.nColonne; ++c)
                number(ws, r - 1, c - 1, s.matDati(r, c), formats[std::size_t(c)]);
            rowDone();
        }
    }

    void methodSheet(const MethodResults& method) {
        const SharedState& s = *m_results.state;
        lxw_worksheet* ws = sheet(method.code.toUtf8());
        m_x.worksheet_set_column(ws, 0, 0, widthOf(method.labels, labelText(1).size()), nullptr);
        m_x.worksheet_set_column(ws, 1, 1, numberWidth(method.header), nullptr);
        m_x.worksheet_set_column(ws, 2, 2, 8, nullptr);
        text(ws, 0, 0, labelText(1), m_header);
        text(ws, 0, 1, method.header, m_header);
        text(ws, 0, 2, QStringLiteral("Rango"), m_header);
        const Table* t = method.transformed;
        std::vector<lxw_format*> formats;
        if (t) {
            text(ws, 0, 4, QStringLiteral("Matrice trasformata"), m_header);
            for (int c = 2; c <= s.nColonne; ++c) {
                const bool negative = polaritaNegativa(s.matDati.header(c));
                formats.push_back(m_polarity[negative]);
                const QString heading = m_regional.generalText(s.matDati.header(c));
                m_x.worksheet_set_column(ws, lxw_col_t(c + 3), lxw_col_t(c + 3),
                                         numberWidth(heading), nullptr);
                text(ws, 0, c + 3, heading, m_polarityHeader[negative]);
            }
            m_x.worksheet_set_column(ws, 4, 4, widthOf(19), nullptr);
        }
        for (int i = 0; i < int(method.values.size()) && !cancelled(); ++i) {
            text(ws, i + 1, 0, method.labels[i]);
            number(ws, i + 1, 1, method.values[std::size_t(i)], m_decimal);
            number(ws, i + 1, 2, method.ranks[std::size_t(i)], m_whole);
            if (t) {
                text(ws, i + 1, 4, method.labels[i]);
                for (int c = 2; c <= s.nColonne; ++c)
                    number(ws, i + 1, c + 3, (*t)(i + 2, c), formats[std::size_t(c - 2)]);
            }
            rowDone();
        }
    }

    lxw_format* shade(double value) {
        const Rgb rgb = divergingRgb(value);
        const int key = (rgb.red << 16) | (rgb.green << 8) | rgb.blue;
        auto found = m_shades.find(key);
        if (found != m_shades.end())
            return found->second;
        lxw_format* format = m_x.workbook_add_format(m_book);
        m_x.format_set_num_format(format, "0.0000");
        m_x.format_set_bg_color(format, lxw_color_t(key));
        // Dark shades take white text, as in the window's heatmap.
        const double light = 0.2126 * rgb.red + 0.7152 * rgb.green + 0.0722 * rgb.blue;
        if (light < 110)
            m_x.format_set_font_color(format, LXW_COLOR_WHITE);
        return m_shades.emplace(key, format).first->second;
    }

    // A square matrix of coefficients at (top, left): its title in the
    // corner, the headers along both edges, the lower triangle shaded.
    void matrixRow(lxw_worksheet* ws, int row, int top, int left, const QString& title,
                   const QStringList& headers, const std::vector<double>& matrix) {
        const int n = int(headers.size());
        const int j = row - top - 1;
        if (row == top) {
            text(ws, row, left, title, m_header);
            for (int k = 0; k < n; ++k)
                text(ws, row, left + 1 + k, headers[k], m_header);
        } else if (j >= 0 && j < n) {
            text(ws, row, left, headers[j], m_header);
            for (int k = 0; k <= j; ++k) {
                const double value = matrix[std::size_t(j * n + k)];
                number(ws, row, left + 1 + k, value, shade(value));
            }
        }
    }

    void confronto(const ComparisonResults& comparison) {
        lxw_worksheet* ws = sheet("Confronto");
        const int n = comparison.methodCount();
        const int units = int(comparison.labels.size());
        const int ranksLeft = n + 2;
        const int matrixLeft = 2 * n + 3;
        const bool kendall = !comparison.kendall.empty();
        m_x.worksheet_set_column(ws, 0, 0, widthOf(comparison.labels, labelText(1).size()),
                                 nullptr);
        m_x.worksheet_set_column(ws, lxw_col_t(ranksLeft), lxw_col_t(ranksLeft + n - 1), 10,
                                 nullptr);
        m_x.worksheet_set_column(ws, lxw_col_t(matrixLeft), lxw_col_t(matrixLeft), widthOf(10),
                                 nullptr);
        m_x.worksheet_set_column(ws, lxw_col_t(matrixLeft + 1), lxw_col_t(matrixLeft + n), 10,
                                 nullptr);
        for (int k = 0; k < n; ++k)
            m_x.worksheet_set_column(ws, lxw_col_t(1 + k), lxw_col_t(1 + k),
                                     numberWidth(comparison.headers[k]), nullptr);
        const int lastRow = std::max(units, kendall ? 2 * n + 2 : n);
        for (int row = 0; row <= lastRow && !cancelled(); ++row) {
            if (row == 0) {
                text(ws, 0, 0, labelText(1), m_header);
                for (int k = 0; k < n; ++k) {
                    text(ws, 0, 1 + k, comparison.headers[k], m_header);
                    text(ws, 0, ranksLeft + k, QStringLiteral("Rango ") + comparison.headers[k],
                         m_header);
                }
            } else if (row <= units) {
                text(ws, row, 0, comparison.labels[row - 1]);
                for (int k = 0; k < n; ++k) {
                    number(ws, row, 1 + k, comparison.values.number(row - 1, k), m_decimal);
                    number(ws, row, ranksLeft + k, comparison.ranks.number(row - 1, k), m_whole);
                }
            }
            matrixRow(ws, row, 0, matrixLeft, QStringLiteral("Spearman"), comparison.headers,
                      comparison.cograduation);
            if (kendall)
                matrixRow(ws, row, n + 2, matrixLeft, QStringLiteral("Kendall"), comparison.headers,
                          comparison.kendall);
        }
    }

    void tableSheet(const QByteArray& name, const DelimitedTable& table) {
        lxw_worksheet* ws = sheet(name);
        const int columns = table.columnCount();
        std::vector<lxw_format*> formats(std::size_t(columns), m_whole);
        for (int r = 0; r < table.rowCount(); ++r)
            for (int k = 0; k < columns; ++k) {
                const double value = table.number(r, k);
                if (std::isfinite(value) && value != std::trunc(value))
                    formats[std::size_t(k)] = m_decimal;
            }
        m_x.worksheet_set_column(ws, 0, 0, widthOf(table.labels, table.headers.first().size()),
                                 nullptr);
        for (int k = 0; k < columns; ++k)
            m_x.worksheet_set_column(ws, lxw_col_t(k + 1), lxw_col_t(k + 1),
                                     widthOf(std::max<qsizetype>(table.headers[k + 1].size(), 8)),
                                     nullptr);
        for (int k = 0; k <= columns; ++k)
            text(ws, 0, k, table.headers[k], m_header);
        auto nextText = table.texts.begin();
        for (int r = 0; r < table.rowCount() && !cancelled(); ++r) {
            text(ws, r + 1, 0, table.labels[r]);
            for (int k = 0; k < columns; ++k) {
                const std::size_t at = std::size_t(r) * std::size_t(columns) + std::size_t(k);
                while (nextText != table.texts.end() && nextText->first < at)
                    ++nextText;
                if (nextText != table.texts.end() && nextText->first == at)
                    text(ws, r + 1, k + 1, nextText->second);
                else
                    number(ws, r + 1, k + 1, table.number(r, k), formats[std::size_t(k)]);
            }
        }
    }

    const XlsxWriterApi& m_x;
    lxw_workbook* m_book;
    const ResultsCollection& m_results;
    const Regional& m_regional;
    WorkProgress* m_progress;
    lxw_format* m_header;
    lxw_format* m_decimal;
    lxw_format* m_whole;
    lxw_format* m_polarity[2];
    lxw_format* m_polarityHeader[2];
    std::map<int, lxw_format*> m_shades;
    qint64 m_rowsDone = 0;
    qint64 m_totalRows = 1;
};

} // namespace

QString writeResultsWorkbook(const QString& path, const ResultsCollection& results,
                             WorkProgress* progress) {
    if (progress)
        progress->report(
            QCoreApplication::translate("Export", "Scrittura della cartella dei risultati"), 0);
    QString loadError;
    const XlsxWriterApi* api = xlsxWriterApi(&loadError);
    if (!api)
        return QCoreApplication::translate("Export", "Impossibile scrivere %1: %2")
            .arg(path, loadError);
    const XlsxWriterApi& m_x = *api;
    SafeFile file(path);
    if (QString error = file.open(); !error.isEmpty())
        return error;
    const QByteArray temporary = QFile::encodeName(file.temporaryPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* book = m_x.workbook_new_opt(temporary.constData(), &options);
    if (!book)
        return QCoreApplication::translate(
                   "Export", "Impossibile scrivere %1: memoria o spazio temporaneo insufficiente.")
            .arg(path);
    Writer writer(m_x, book, results, progress);
    writer.write();
    const lxw_error error = m_x.workbook_close(book);
    if (writer.cancelled())
        return QCoreApplication::translate("Export", "Esportazione annullata.");
    if (error != LXW_NO_ERROR)
        return QCoreApplication::translate("Export", "Impossibile scrivere %1: %2")
            .arg(path, QString::fromUtf8(m_x.lxw_strerror(error)));
    return file.commit();
}
