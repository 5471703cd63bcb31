#include "shared/resultnames.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// A name is strMatrice + "." + before + code + after.
struct Rule {
    const char* before;
    const char* after;
};

Rule ruleOf(ResultFileKind kind) {
    switch (kind) {
    case ResultFileKind::MethodValues:
        return {"out", ".csv"};
    case ResultFileKind::MethodRanks:
        return {"out", ".rnk"};
    case ResultFileKind::ComparisonValues:
        return {"val.csv", ""};
    case ResultFileKind::ComparisonRanks:
        return {"rnk.csv", ""};
    case ResultFileKind::RankSummary:
        return {"rob.csv", ""};
    case ResultFileKind::Sensitivity:
        return {"sens", ".csv"};
    case ResultFileKind::Uncertainty:
        return {"unc.csv", ""};
    case ResultFileKind::AmpiValues:
        return {"AMPI", ".csv"};
    case ResultFileKind::AmpiRanks:
        return {"AMPI", ".rnk.csv"};
    case ResultFileKind::AmpiGoalposts:
        return {"goalposts.csv", ""};
    case ResultFileKind::Structure:
        return {"struttura.csv", ""};
    case ResultFileKind::Composites:
        return {"metodi.csv", ""};
    case ResultFileKind::GroupValues:
        return {"dim", ".csv"};
    case ResultFileKind::GroupRanks:
        return {"dim", ".rnk.csv"};
    case ResultFileKind::AmpiGroupValues:
        return {"AMPI", ".dim.csv"};
    case ResultFileKind::AmpiGroupRanks:
        return {"AMPI", ".dim.rnk.csv"};
    case ResultFileKind::Audit:
        return {"audit.csv", ""};
    case ResultFileKind::Correlations:
        return {"correlazioni.csv", ""};
    case ResultFileKind::SpearmanCorrelations:
        return {"correlazioni.spearman.csv", ""};
    case ResultFileKind::Coherence:
        return {"coerenza.csv", ""};
    case ResultFileKind::Components:
        return {"pca.csv", ""};
    case ResultFileKind::Treatments:
        return {"trattamenti.csv", ""};
    case ResultFileKind::TreatedCells:
        return {"trattati.csv", ""};
    case ResultFileKind::MonteCarlo:
        return {"mc.csv", ""};
    case ResultFileKind::Sobol:
        return {"sobol.csv", ""};
    case ResultFileKind::SobolUnits:
        return {"sobol.unita.csv", ""};
    case ResultFileKind::Coverage:
        return {"copertura.csv", ""};
    case ResultFileKind::ImputedCells:
        return {"imputati.csv", ""};
    case ResultFileKind::MethodCoherence:
        return {"coerenza.", ".csv"};
    case ResultFileKind::Weights:
        return {"pesi.", ".csv"};
    case ResultFileKind::Record:
        return {"registro.json", ""};
    }
    return {"", ""};
}

bool isCode(QStringView text) {
    return !text.isEmpty() && !text.contains(u'.');
}

} // namespace

bool hasCode(ResultFileKind kind) {
    return *ruleOf(kind).after != '\0';
}

QString resultFileName(const QString& strMatrice, ResultFileKind kind, const QString& code) {
    const Rule rule = ruleOf(kind);
    QString name = strMatrice + u'.' + QLatin1StringView(rule.before);
    if (hasCode(kind))
        name += code + QLatin1StringView(rule.after);
    return name;
}

std::optional<ResultFileName> parseResultFileName(const QString& strMatrice, const QString& name) {
    const QString prefix = QFileInfo(strMatrice).fileName() + u'.';
    const QString bare = QFileInfo(name).fileName();
    if (!bare.startsWith(prefix))
        return std::nullopt;
    const QStringView rest = QStringView(bare).mid(prefix.size());
    for (const ResultFileKind kind : kResultFileKinds) {
        const Rule rule = ruleOf(kind);
        const QLatin1StringView before(rule.before);
        const QLatin1StringView after(rule.after);
        if (!hasCode(kind)) {
            if (rest == before)
                return ResultFileName{kind, QString()};
            continue;
        }
        if (rest.size() <= before.size() + after.size() || !rest.startsWith(before) ||
            !rest.endsWith(after))
            continue;
        const QStringView code =
            rest.mid(before.size(), rest.size() - before.size() - after.size());
        if (isCode(code))
            return ResultFileName{kind, code.toString()};
    }
    return std::nullopt;
}

QString methodCodeOfResultFile(const QString& name) {
    const Rule values = ruleOf(ResultFileKind::MethodValues);
    const Rule ranks = ruleOf(ResultFileKind::MethodRanks);
    const QString bare = QFileInfo(name).fileName();
    QStringView stem;
    if (bare.endsWith(QLatin1StringView(values.after)))
        stem = QStringView(bare).chopped(qsizetype(qstrlen(values.after)));
    else if (bare.endsWith(QLatin1StringView(ranks.after)))
        stem = QStringView(bare).chopped(qsizetype(qstrlen(ranks.after)));
    else
        return QString();
    const QString marker = u'.' + QLatin1StringView(values.before);
    const qsizetype at = stem.lastIndexOf(marker);
    if (at < 0)
        return QString();
    const QStringView code = stem.mid(at + marker.size());
    return isCode(code) ? code.toString() : QString();
}

bool matchesValuesResultPattern(const QString& strMatrice, const QString& name) {
    const Rule rule = ruleOf(ResultFileKind::MethodValues);
    const QString prefix = QFileInfo(strMatrice).fileName() + u'.' + QLatin1StringView(rule.before);
    const QString suffix = QLatin1StringView(rule.after);
    if (name.size() < prefix.size() + suffix.size() || !name.startsWith(prefix) ||
        !name.endsWith(suffix))
        return false;
    for (const ResultFileKind kind :
         {ResultFileKind::ComparisonValues, ResultFileKind::ComparisonRanks})
        if (name.endsWith(resultFileName(QString(), kind)))
            return false;
    return true;
}

QString ranksFileFor(const QString& valuesEntry) {
    return valuesEntry.left(std::max<qsizetype>(0, valuesEntry.size() - 3)) + QStringLiteral("rnk");
}

QString resultsWorkbookFileName(const QString& strMatrice) {
    return strMatrice + QStringLiteral(".risultati.xlsx");
}

QString reportFileName(const QString& strMatrice) {
    return strMatrice + QStringLiteral(".rapporto.pdf");
}

namespace {

constexpr ChartFile kChartFiles[] = {
    ChartFile::Histogram, ChartFile::Correlations, ChartFile::Eigenvalues, ChartFile::RankIntervals,
    ChartFile::Bump,      ChartFile::Scatter,      ChartFile::MonteCarlo,  ChartFile::Sobol,
    ChartFile::AmpiPlus,  ChartFile::AmpiMinus,    ChartFile::Map};

QLatin1StringView shortName(ChartFile chart) {
    switch (chart) {
    case ChartFile::Histogram:
        return QLatin1StringView("istogramma");
    case ChartFile::Correlations:
        return QLatin1StringView("correlazioni");
    case ChartFile::Eigenvalues:
        return QLatin1StringView("autovalori");
    case ChartFile::RankIntervals:
        return QLatin1StringView("intervalli");
    case ChartFile::Bump:
        return QLatin1StringView("ranghi");
    case ChartFile::Scatter:
        return QLatin1StringView("dispersione");
    case ChartFile::MonteCarlo:
        return QLatin1StringView("mc");
    case ChartFile::Sobol:
        return QLatin1StringView("sobol");
    case ChartFile::AmpiPlus:
        return QLatin1StringView("AMPI+");
    case ChartFile::AmpiMinus:
        return QLatin1StringView("AMPI-");
    case ChartFile::Map:
        return QLatin1StringView("mappa");
    }
    return QLatin1StringView();
}

// The extensions of the files a matrix is read from.
bool hasMatrixSuffix(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    for (const char* matrix : {"xls", "xlsx", "ods", "csv", "txt", "tsv"})
        if (suffix == QLatin1StringView(matrix))
            return true;
    return false;
}

// Whether bare is a file the program writes for the workbook named workbook.
bool isWrittenFor(const QString& workbook, const QString& bare) {
    if (const auto parsed = parseResultFileName(workbook, bare))
        return parsed->kind != ResultFileKind::Structure &&
               parsed->kind != ResultFileKind::Composites;
    if (bare == resultsWorkbookFileName(workbook) || bare == reportFileName(workbook))
        return true;
    const QStringView rest = QStringView(bare).mid(workbook.size() + 1);
    for (const ChartFile chart : kChartFiles) {
        const QLatin1StringView name = shortName(chart);
        if (rest.size() == name.size() + 4 && rest.startsWith(name) &&
            rest.at(name.size()) == u'.') {
            const QStringView image = rest.mid(name.size() + 1);
            if (image == u"png" || image == u"svg" || image == u"pdf")
                return true;
        }
    }
    return false;
}

} // namespace

QString chartFileName(const QString& strMatrice, ChartFile chart) {
    return strMatrice + u'.' + shortName(chart) + QStringLiteral(".png");
}

bool isWrittenByProgram(const QString& name) {
    const QString bare = QFileInfo(name).fileName();
    // Every "." after the first character may end the workbook's name.
    for (qsizetype dot = bare.indexOf(u'.', 1); dot > 0; dot = bare.indexOf(u'.', dot + 1)) {
        const QString workbook = bare.left(dot);
        if (hasMatrixSuffix(workbook) && isWrittenFor(workbook, bare))
            return true;
    }
    return false;
}
