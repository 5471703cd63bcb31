#include "ui/audit/auditfigures.h"

#include "audit/eigen.h"
#include "shared/delimitedfields.h"
#include "workflow/matrixaudit.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

// Sturges' rule, kept between 5 and 30 bins.
int binCount(int values) {
    const int bins = int(std::ceil(std::log2(std::max(values, 1)))) + 1;
    return std::clamp(bins, 5, 30);
}

Histogram histogramOf(const MatrixColumn& column, int units) {
    Histogram histogram;
    std::vector<double> values;
    values.reserve(std::size_t(units));
    for (int i = 0; i < units; ++i)
        if (!column.isMissing(i) && std::isfinite(column.values[i]))
            values.push_back(column.values[i]);
    if (values.empty())
        return histogram;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    histogram.minimum = *low;
    histogram.maximum = *high;
    const int bins = binCount(int(values.size()));
    histogram.counts.assign(std::size_t(bins), 0);
    // Halves, which neither overflow nor change the quotient.
    const double span = histogram.maximum / 2 - histogram.minimum / 2;
    for (const double value : values) {
        const int bin = span > 0 ? int((value / 2 - histogram.minimum / 2) / span * bins) : 0;
        ++histogram.counts[std::size_t(std::min(bin, bins - 1))];
    }
    return histogram;
}

// The audit files' headers as the window shows them, in the interface
// language through the grid's "TableHeaders" catalogue: the files keep their
// plain ASCII names, the window shows the words with their accents.
QString shownHeader(const QString& fileHeader) {
    static const char* const kHeaders[][2] = {
        {"Indicatore", QT_TRANSLATE_NOOP("TableHeaders", "Indicatore")},
        {"Polarita", QT_TRANSLATE_NOOP("TableHeaders", "Polarità")},
        {"Media", QT_TRANSLATE_NOOP("TableHeaders", "Media")},
        {"Scarto", QT_TRANSLATE_NOOP("TableHeaders", "Scarto")},
        {"Scarto campionario", QT_TRANSLATE_NOOP("TableHeaders", "Scarto campionario")},
        {"Minimo", QT_TRANSLATE_NOOP("TableHeaders", "Minimo")},
        {"Massimo", QT_TRANSLATE_NOOP("TableHeaders", "Massimo")},
        {"Asimmetria", QT_TRANSLATE_NOOP("TableHeaders", "Asimmetria")},
        {"Curtosi", QT_TRANSLATE_NOOP("TableHeaders", "Curtosi")},
        {"Anomalo", QT_TRANSLATE_NOOP("TableHeaders", "Anomalo")},
        {"Gruppo", QT_TRANSLATE_NOOP("TableHeaders", "Gruppo")},
        {"Indicatori", QT_TRANSLATE_NOOP("TableHeaders", "Indicatori")},
        {"Alfa", QT_TRANSLATE_NOOP("TableHeaders", "Alfa")},
        {"Autovalore 1", QT_TRANSLATE_NOOP("TableHeaders", "Autovalore 1")},
        {"Varianza 1", QT_TRANSLATE_NOOP("TableHeaders", "Varianza 1")},
        {"Autovalori sopra 1", QT_TRANSLATE_NOOP("TableHeaders", "Autovalori sopra 1")},
    };
    for (const auto& [file, shown] : kHeaders)
        if (fileHeader == QLatin1StringView(file))
            return QString::fromUtf8(shown);
    return fileHeader;
}

void showHeaders(TextTable& table) {
    for (int c = 0; c < table.columnCount(); ++c)
        table.setCell(0, c, shownHeader(table.cell(0, c)));
}

} // namespace

double Histogram::edge(int b) const {
    const int bins = int(counts.size());
    if (b >= bins)
        return maximum;
    const double share = double(b) / double(bins);
    return minimum * (1.0 - share) + maximum * share;
}

AuditFigures auditFigures(const Matrix& matrix, const Structure* structure, const QString& workbook,
                          const Regional& regional, const WorkProgress* progress) {
    const MatrixAudit audit = auditMatrix(matrix, structure);
    AuditFigures figures;
    // Stopped by the user: nothing more is done, nothing written.
    const auto stopped = [&] {
        if (!progress || !progress->cancelled())
            return false;
        figures.written = failure(FailureKind::Cancelled,
                                  QCoreApplication::translate("Audit", "Analisi annullata."));
        return true;
    };
    if (stopped())
        return figures;
    const AuditLines lines = auditLines(matrix, audit, regional);
    figures.indicators = linesTable(lines.distributions);
    figures.coherence = linesTable(lines.coherence);
    // The files' words in the interface language: the headers, the
    // outlier flag of the last column, the whole matrix's line.
    showHeaders(figures.indicators);
    showHeaders(figures.coherence);
    const int m = matrix.indicatorCount();
    const int flagColumn = figures.indicators.columnCount() - 1;
    for (int j = 0; j < m; ++j)
        figures.indicators.setCell(j + 1, flagColumn,
                                   audit.distributions[std::size_t(j)].flagged()
                                       ? QCoreApplication::translate("AuditWindow", "sì")
                                       : QCoreApplication::translate("AuditWindow", "no"));
    if (const int whole = figures.coherence.rowCount() - 1; whole > 0)
        figures.coherence.setCell(
            whole, 0, QCoreApplication::translate("AuditWindow", "Tutti gli indicatori"));
    const MatrixView view = matrix.view();
    for (int j = 0; j < m; ++j) {
        figures.flagged.push_back(audit.distributions[std::size_t(j)].flagged() ? 1 : 0);
        figures.names.append(regional.generalText(matrix.indicators[std::size_t(j)]));
        figures.histograms.push_back(histogramOf(view.columns[std::size_t(j)], view.units));
    }
    figures.pearson = audit.pearson;
    figures.spearman = audit.spearman;
    for (const GroupAudit& group : audit.groups) {
        const bool whole = &group == &audit.groups.back();
        if (!whole)
            figures.groups.push_back({group.name, group.indicators});
        std::vector<double> values;
        if (!std::isnan(group.coherence.firstEigenvalue))
            values = symmetricEigen(subMatrix(audit.pearson, m, group.indicators),
                                    int(group.indicators.size()))
                         .values;
        figures.eigenvalues.push_back(std::move(values));
    }
    if (stopped())
        return figures;
    Expected<QStringList> written = writeAuditFiles(workbook, matrix, audit, regional);
    if (written)
        figures.files = std::move(*written);
    else
        figures.written = std::move(written).error();
    return figures;
}

TextTable linesTable(const QStringList& lines) {
    std::vector<std::vector<QString>> rows;
    int columns = 0;
    std::vector<FieldSpan> spans;
    for (const QString& line : lines) {
        std::vector<QString> fields;
        if (splitQuotedFields(line, spans))
            for (const FieldSpan& span : spans)
                fields.push_back(fieldText(line, span));
        else
            for (const QString& field : line.split(u';'))
                fields.push_back(field);
        columns = std::max(columns, int(fields.size()));
        rows.push_back(std::move(fields));
    }
    TextTable table(int(rows.size()), columns);
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < int(rows.size()); ++r)
            if (c < int(rows[std::size_t(r)].size()))
                table.setCell(r, c, rows[std::size_t(r)][std::size_t(c)]);
    return table;
}

TextTable changesTable(const Matrix& before, const Matrix& after, const Regional& regional) {
    struct Change {
        int unit;
        int indicator;
    };
    std::vector<Change> changes;
    for (int i = 0; i < before.unitCount(); ++i)
        for (int j = 0; j < before.indicatorCount(); ++j)
            if (!before.isMissing(i, j) && before.value(i, j) != after.value(i, j))
                changes.push_back({i, j});
    TextTable table(int(changes.size()) + 1, 4);
    table.setCell(0, 0, regional.generalText(before.corner));
    table.setCell(0, 1, QCoreApplication::translate("AuditWindow", "Indicatore"));
    table.setCell(0, 2, QCoreApplication::translate("AuditWindow", "Originale"));
    table.setCell(0, 3, QCoreApplication::translate("AuditWindow", "Trattato"));
    for (std::size_t k = 0; k < changes.size(); ++k) {
        const auto [unit, indicator] = changes[k];
        const int row = int(k) + 1;
        table.setCell(row, 0, regional.generalText(before.units[std::size_t(unit)]));
        table.setCell(row, 1, regional.generalText(before.indicators[std::size_t(indicator)]));
        table.setCell(row, 2, regional.fixed4(before.value(unit, indicator)));
        table.setCell(row, 3, regional.fixed4(after.value(unit, indicator)));
    }
    return table;
}
