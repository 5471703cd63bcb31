#pragma once

#include "shared/failure.h"
#include "workbook/xmlstream.h"

#include <QString>

// The failure messages the readers share, in Italian. name is the file name
// without its folder; format the extension the file claims (".xlsx").

// How every reader fails: a File failure with the message.
inline Failure readFailure(const QString& message) {
    return failure(FailureKind::File, message);
}

// "Il file <path> non esiste."
QString missingFileMessage(const QString& path);
// "Il file <path> non può essere letto: verificare i permessi."
QString unreadableFileMessage(const QString& path);
// The file is not a valid workbook of the format, for the given cause.
QString invalidFileMessage(const QString& name, const QString& format, const QString& cause);
// The file crossed a bound that keeps reading safe (size, nesting, cells).
QString fileTooLargeMessage(const QString& name, const QString& cause);
// The workbook is encrypted with a password.
QString protectedFileMessage(const QString& name);
// The workbook holds no sheet at all.
QString noSheetsMessage(const QString& name);
// The workbook has fewer sheets than the position asked for (from 0).
QString missingSheetMessage(const QString& name, int sheetIndex, qsizetype sheetCount);
// How a message names the sheet at a position: "il primo foglio" for the
// first, "il foglio \"<sheet>\"" for any other.
QString sheetPhrase(int sheetIndex, const QString& sheet);
// The same sheet as the complement of a noun: "del primo foglio", "del foglio \"Dati\"".
QString ofSheetPhrase(int sheetIndex, const QString& sheet);
// A failed parse of one part: a crossed limit or a damaged part.
QString xmlErrorMessage(const QString& name, const QString& format, const XmlError& error);

// The causes that several readers give.
// What is wrong with a cell text longer than spreadsheet programs allow, to
// follow the name of the cell ("contiene un testo di più di ... caratteri").
QString causaTestoTroppoLungo(int maxLength);
