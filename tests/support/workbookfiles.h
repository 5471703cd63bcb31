#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Small workbooks written by the tests, so that a case shows the very bytes
// a reader is given.

// A part of an archive, or a sheet or table of a workbook: its name and its
// content.
using NamedBytes = std::pair<QString, QByteArray>;

// Writes a zip archive holding the parts, in order; false when it cannot.
bool writeZipParts(const QString& path, const std::vector<NamedBytes>& parts);

// An .xlsx workbook with one worksheet per sheet, in order: its name and the
// content of its <sheetData>; sharedStrings, when given, is the content of
// the shared string table (<si> elements).
bool writeXlsxSheets(const QString& path, const std::vector<NamedBytes>& sheets,
                     const QByteArray& sharedStrings = {});

// An .ods workbook with one table per table, in order: its name and its
// rows (<table:table-row> elements).
bool writeOdsTables(const QString& path, const std::vector<NamedBytes>& tables);
