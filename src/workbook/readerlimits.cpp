#include "workbook/readerlimits.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

QString number(qint64 value) {
    return QLocale(QLocale::Italian).toString(value);
}

} // namespace

QString tooManyCellsCause(qint64 limit) {
    return QCoreApplication::translate("Workbook",
                                       "il primo foglio contiene più di %1 celle non vuote")
        .arg(number(limit));
}

QString tooManySharedStringsCause(qint64 limit) {
    return QCoreApplication::translate(
               "Workbook", "la tabella delle stringhe condivise contiene più di %1 stringhe")
        .arg(number(limit));
}

QString tooMuchTextCause(qint64 limit) {
    return QCoreApplication::translate(
               "Workbook", "i testi della cartella di lavoro superano in tutto i %1 caratteri")
        .arg(number(limit));
}

QString tooManySheetsCause(qint64 limit) {
    return QCoreApplication::translate("Workbook", "la cartella di lavoro contiene più di %1 fogli")
        .arg(number(limit));
}

QString tooManyRelationshipsCause(const QString& part, qint64 limit) {
    return QCoreApplication::translate("Workbook", "la parte %1 contiene più di %2 relazioni")
        .arg(part, number(limit));
}

QString textTooLongCause(int limit) {
    return QCoreApplication::translate("Workbook",
                                       "un testo supera i %1 caratteri che una cella può contenere")
        .arg(number(limit));
}
