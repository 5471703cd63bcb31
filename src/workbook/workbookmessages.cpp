#include "workbook/workbookmessages.h"

#include <QCoreApplication>
#include <QLocale>

QString missingFileMessage(const QString& path) {
    return QCoreApplication::translate("Workbook", "Il file %1 non esiste.").arg(path);
}

QString unreadableFileMessage(const QString& path) {
    return QCoreApplication::translate("Workbook",
                                       "Il file %1 non può essere letto: verificare i permessi.")
        .arg(path);
}

QString invalidFileMessage(const QString& name, const QString& format, const QString& cause) {
    return QCoreApplication::translate("Workbook",
                                       "Il file %1 non è una cartella di lavoro %2 valida: %3.")
        .arg(name, format, cause);
}

QString fileTooLargeMessage(const QString& name, const QString& cause) {
    return QCoreApplication::translate("Workbook", "Il file %1 non può essere letto: %2.")
        .arg(name, cause);
}

QString protectedFileMessage(const QString& name) {
    return QCoreApplication::translate(
               "Workbook", "La cartella di lavoro %1 è protetta da password: toglierla dal "
                           "programma che l'ha creata e salvarla di nuovo.")
        .arg(name);
}

QString noSheetsMessage(const QString& name) {
    return QCoreApplication::translate("Workbook", "La cartella di lavoro %1 non contiene fogli.")
        .arg(name);
}

QString xmlErrorMessage(const QString& name, const QString& format, const XmlError& error) {
    return error.limit ? fileTooLargeMessage(name, error.cause)
                       : invalidFileMessage(name, format, error.cause);
}

QString causaTestoTroppoLungo(int maxLength) {
    return QCoreApplication::translate("Workbook", "contiene un testo di più di %1 caratteri")
        .arg(QLocale(QLocale::Italian).toString(maxLength));
}

QString missingSheetMessage(const QString& name, int sheetIndex, qsizetype sheetCount) {
    return QCoreApplication::translate(
               "Workbook", "La cartella di lavoro %1 ha %2 fogli: il foglio numero %3 non esiste.")
        .arg(name)
        .arg(sheetCount)
        .arg(sheetIndex + 1);
}

QString sheetPhrase(int sheetIndex, const QString& sheet) {
    return sheetIndex == 0 ? QCoreApplication::translate("Workbook", "il primo foglio")
                           : QCoreApplication::translate("Workbook", "il foglio \"%1\"").arg(sheet);
}

QString ofSheetPhrase(int sheetIndex, const QString& sheet) {
    return sheetIndex == 0
               ? QCoreApplication::translate("Workbook", "del primo foglio")
               : QCoreApplication::translate("Workbook", "del foglio \"%1\"").arg(sheet);
}
