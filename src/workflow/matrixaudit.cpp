#include "workflow/matrixaudit.h"

#include "audit/correlation.h"
#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

constexpr double kRedundant = 0.9;
constexpr double kOpposing = -0.3;

// Per indicator, its parent in the structure: the innermost group it lies
// in (the overall index for one directly beneath it).
std::vector<int> parents(const Structure& structure, int m) {
    std::vector<int> result(std::size_t(m), -1);
    for (const StructureElement& e : structure.elements)
        if (!e.isGroup() && e.indicator < m)
            result[std::size_t(e.indicator)] = e.parent;
    return result;
}

// Blank for a figure that is undefined, or beyond the largest double.
QString number(double value, const Regional& regional) {
    return std::isfinite(value) ? regional.fixed4(value) : QString();
}

QString optionalNumber(const std::optional<double>& value, const Regional& regional) {
    return value ? number(*value, regional) : QString();
}

QStringList distributionLines(const Matrix& matrix, const MatrixAudit& audit,
                              const Regional& regional) {
    QStringList lines{
        QStringLiteral("Indicatore;Polarita;Media;Scarto campionario;Minimo;Massimo;Asimmetria;"
                       "Curtosi;Anomalo")};
    for (int j = 0; j < matrix.indicatorCount(); ++j) {
        const Distribution& d = audit.distributions[std::size_t(j)];
        const bool some = d.count > 0;
        lines.push_back(
            joinFields({regional.generalText(matrix.indicators[std::size_t(j)]),
                        matrix.negative[std::size_t(j)] ? QStringLiteral("-") : QStringLiteral("+"),
                        some ? number(d.mean, regional) : QString(),
                        d.count > 1 ? number(d.deviation, regional) : QString(),
                        some ? number(d.minimum, regional) : QString(),
                        some ? number(d.maximum, regional) : QString(),
                        optionalNumber(d.skewness, regional), optionalNumber(d.kurtosis, regional),
                        d.flagged() ? QStringLiteral("si") : QStringLiteral("no")}));
    }
    return lines;
}

// The lower triangle and the diagonal, as the cograduation matrix.
QStringList correlationLines(const Matrix& matrix, const std::vector<double>& r,
                             const Regional& regional) {
    const int m = matrix.indicatorCount();
    QStringList names;
    for (const CellValue& name : matrix.indicators)
        names.push_back(regional.generalText(name));
    QStringList lines{joinFields(QStringList{QString()} + names)};
    for (int j = 0; j < m; ++j) {
        QStringList fields{names[j]};
        for (int k = 0; k < m; ++k)
            fields.push_back(
                k <= j ? number(r[std::size_t(j) * std::size_t(m) + std::size_t(k)], regional)
                       : QString());
        lines.push_back(joinFields(fields));
    }
    return lines;
}

QStringList coherenceLines(const MatrixAudit& audit, const Regional& regional) {
    QStringList lines{
        QStringLiteral("Gruppo;Indicatori;Alfa;Autovalore 1;Varianza 1;Autovalori sopra 1")};
    for (const GroupAudit& group : audit.groups) {
        const Coherence& c = group.coherence;
        const bool defined = !std::isnan(c.firstEigenvalue);
        lines.push_back(joinFields({group.name, QString::number(group.indicators.size()),
                                    number(c.alpha, regional), number(c.firstEigenvalue, regional),
                                    number(c.firstShare, regional),
                                    defined ? QString::number(c.eigenvaluesAboveOne) : QString()}));
    }
    return lines;
}

QStringList componentLines(const Matrix& matrix, const MatrixAudit& audit,
                           const Regional& regional) {
    QStringList lines{QStringLiteral("Gruppo;Indicatore;Carico 1")};
    for (const GroupAudit& group : audit.groups)
        for (std::size_t k = 0; k < group.indicators.size(); ++k) {
            const auto& loadings = group.coherence.loadings;
            lines.push_back(joinFields(
                {group.name,
                 regional.generalText(matrix.indicators[std::size_t(group.indicators[k])]),
                 k < loadings.size() ? number(loadings[k], regional) : QString()}));
        }
    return lines;
}

} // namespace

QString allIndicatorsName() {
    return QStringLiteral("Tutti gli indicatori");
}

MatrixAudit auditMatrix(const Matrix& matrix, const Structure* structure) {
    MatrixAudit audit;
    const MatrixView view = matrix.view();
    const int m = matrix.indicatorCount();
    audit.distributions = distributions(view);
    audit.pearson = correlationMatrix(view, CorrelationKind::Pearson);
    audit.spearman = correlationMatrix(view, CorrelationKind::Spearman);

    std::vector<std::pair<QString, std::vector<int>>> groups;
    if (structure)
        for (const int group : structure->groups) {
            // In sheet order.
            std::vector<int> beneath = structure->indicatorsBeneath(group);
            std::sort(beneath.begin(), beneath.end());
            groups.emplace_back(structure->elements[std::size_t(group)].name, std::move(beneath));
        }
    std::vector<int> all(static_cast<std::size_t>(m));
    std::iota(all.begin(), all.end(), 0);
    groups.emplace_back(allIndicatorsName(), std::move(all));
    for (auto& [name, chosen] : groups) {
        const int k = int(chosen.size());
        Coherence coherence = coherenceOf(subMatrix(audit.pearson, m, chosen), k);
        audit.groups.push_back(GroupAudit{name, std::move(chosen), std::move(coherence)});
    }

    const std::vector<int> parent = structure ? parents(*structure, m) : std::vector<int>();
    for (int j = 0; j < m; ++j)
        for (int k = j + 1; k < m; ++k) {
            if (structure && parent[std::size_t(j)] != parent[std::size_t(k)])
                continue;
            const double r = audit.pearson[std::size_t(j) * std::size_t(m) + std::size_t(k)];
            if (r > kRedundant)
                audit.redundant.push_back({j, k, r});
            else if (r < kOpposing)
                audit.opposing.push_back({j, k, r});
        }
    return audit;
}

AuditLines auditLines(const Matrix& matrix, const MatrixAudit& audit, const Regional& regional) {
    return {distributionLines(matrix, audit, regional),
            correlationLines(matrix, audit.pearson, regional),
            correlationLines(matrix, audit.spearman, regional), coherenceLines(audit, regional),
            componentLines(matrix, audit, regional)};
}

Expected<QStringList> writeAuditFiles(const QString& workbook, const Matrix& matrix,
                                      const MatrixAudit& audit, const Regional& regional) {
    const QStringList paths{resultFileName(workbook, ResultFileKind::Audit),
                            resultFileName(workbook, ResultFileKind::Correlations),
                            resultFileName(workbook, ResultFileKind::SpearmanCorrelations),
                            resultFileName(workbook, ResultFileKind::Coherence),
                            resultFileName(workbook, ResultFileKind::Components)};
    AuditLines lines = auditLines(matrix, audit, regional);
    QStringList* texts[] = {&lines.distributions, &lines.pearson, &lines.spearman, &lines.coherence,
                            &lines.components};
    std::vector<std::pair<QString, TextLines>> files;
    for (qsizetype i = 0; i < paths.size(); ++i)
        files.emplace_back(paths[i], TextLines(std::move(*texts[i])));
    if (Status written = writeTextFiles(files); !written)
        return std::move(written).error();
    return paths;
}
