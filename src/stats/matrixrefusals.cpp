#include "stats/matrixrefusals.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>

namespace {

QString refusalPrefix() {
    return QCoreApplication::translate("Workbook", "L'indicatore definito nella matrice come ");
}

Failure refused(const QString& message) {
    return failure(FailureKind::Refused, message);
}

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

QString nullValuesMessage(const QString& indicator) {
    return refusalPrefix() + indicator +
           QCoreApplication::translate(
               "Workbook", " risulta avere valori nulli. Verificare la validità della matrice "
                           "selezionata!");
}

QString textValuesMessage(const QString& indicator) {
    return refusalPrefix() + indicator +
           QCoreApplication::translate(
               "Workbook", " risulta avere valori alfanumerici. Verificare la validità della "
                           "matrice selezionata!");
}

QString constantIndicatorMessage(const QString& indicator) {
    return refusalPrefix() + indicator +
           QCoreApplication::translate(
               "Workbook", " risulta essere costante in tutte le osservazioni. Verificare la "
                           "validità della matrice selezionata!");
}

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
