#include "workbook/workbookmessages.h"

#include <QCoreApplication>
#include <QLocale>

QString messaggioFileAssente(const QString& path) {
    return QCoreApplication::translate("Workbook", "Il file %1 non esiste.").arg(path);
}

QString messaggioFileNonLeggibile(const QString& path) {
    return QCoreApplication::translate("Workbook",
                                       "Il file %1 non può essere letto: verificare i permessi.")
        .arg(path);
}

QString messaggioFileNonValido(const QString& name, const QString& format, const QString& cause) {
    return QCoreApplication::translate("Workbook",
                                       "Il file %1 non è una cartella di lavoro %2 valida: %3.")
        .arg(name, format, cause);
}

QString messaggioFileTroppoGrande(const QString& name, const QString& cause) {
    return QCoreApplication::translate("Workbook", "Il file %1 non può essere letto: %2.")
        .arg(name, cause);
}

QString messaggioFileProtetto(const QString& name) {
    return QCoreApplication::translate(
               "Workbook", "La cartella di lavoro %1 è protetta da password: toglierla dal "
                           "programma che l'ha creata e salvarla di nuovo.")
        .arg(name);
}

QString messaggioSenzaFogli(const QString& name) {
    return QCoreApplication::translate("Workbook", "La cartella di lavoro %1 non contiene fogli.")
        .arg(name);
}

QString messaggioErroreXml(const QString& name, const QString& format, const XmlError& error) {
    return error.limit ? messaggioFileTroppoGrande(name, error.cause)
                       : messaggioFileNonValido(name, format, error.cause);
}

QString causaTestoTroppoLungo(int maxLength) {
    return QCoreApplication::translate("Workbook", "contiene un testo di più di %1 caratteri")
        .arg(QLocale(QLocale::Italian).toString(maxLength));
}

QString messaggioFoglioAssente(const QString& name, int sheetIndex, qsizetype sheetCount) {
    return QCoreApplication::translate(
               "Workbook", "La cartella di lavoro %1 ha %2 fogli: il foglio numero %3 non esiste.")
        .arg(name)
        .arg(sheetCount)
        .arg(sheetIndex + 1);
}

QString nomeFoglio(int sheetIndex, const QString& sheet) {
    return sheetIndex == 0 ? QCoreApplication::translate("Workbook", "il primo foglio")
                           : QCoreApplication::translate("Workbook", "il foglio \"%1\"").arg(sheet);
}

QString delFoglio(int sheetIndex, const QString& sheet) {
    return sheetIndex == 0
               ? QCoreApplication::translate("Workbook", "del primo foglio")
               : QCoreApplication::translate("Workbook", "del foglio \"%1\"").arg(sheet);
}
