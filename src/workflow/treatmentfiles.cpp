#include "workflow/treatmentfiles.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <charconv>
#include <utility>

namespace {

QString optionalNumber(const std::optional<double>& value, const Regional& regional) {
    return value ? regional.fixed4(*value) : QString();
}

} // namespace

QString shortestText(double value, const Regional& regional) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    QString text = QString::fromLatin1(buffer, end - buffer);
    text.replace(u'.', regional.locale().decimalPoint());
    return text;
}

Expected<QStringList> writeTreatmentFiles(const QString& workbook, const Matrix& original,
                                          const OutlierTreatment& treatment,
                                          const Regional& regional) {
    QStringList indicators{QStringLiteral("Indicatore;Trattamento;Valori;Asimmetria prima;"
                                          "Curtosi prima;Asimmetria dopo;Curtosi dopo")};
    for (const TreatedIndicator& t : treatment.indicators) {
        const bool winsorised = t.method == OutlierMethod::Winsorisation;
        indicators.push_back(joinFields(
            {regional.generalText(original.indicators[std::size_t(t.indicator)]),
             winsorised ? QStringLiteral("winsorizzazione") : QStringLiteral("logaritmo"),
             winsorised ? QString::number(t.changedValues) : QString(),
             optionalNumber(t.before.skewness, regional),
             optionalNumber(t.before.kurtosis, regional),
             optionalNumber(t.after.skewness, regional),
             optionalNumber(t.after.kurtosis, regional)}));
    }
    QStringList cells{
        joinFields({regional.generalText(original.corner), QStringLiteral("Indicatore"),
                    QStringLiteral("Originale"), QStringLiteral("Trattato")})};
    for (const OutlierChange& change : treatment.changes)
        cells.push_back(joinFields(
            {regional.generalText(original.units[std::size_t(change.unit)]),
             regional.generalText(original.indicators[std::size_t(change.indicator)]),
             shortestText(change.original, regional), shortestText(change.treated, regional)}));
    const QStringList paths{resultFileName(workbook, ResultFileKind::Treatments),
                            resultFileName(workbook, ResultFileKind::TreatedCells)};
    if (Status written =
            writeTextFiles({{paths[0], TextLines(indicators)}, {paths[1], TextLines(cells)}});
        !written)
        return std::move(written).error();
    return paths;
}
