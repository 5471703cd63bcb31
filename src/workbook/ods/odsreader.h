#pragma once

#include "workbook/sheetreader.h"
#include "workbook/workbooklimits.h"
#include "workbook/xmlstream.h"

class ZipPackage;

// Reads .ods workbooks (OpenDocument spreadsheets): the chosen table of the
// content part (the first by default), streamed from the archive and never
// held whole; the rest of the part is parsed for the names of the tables.
class OdsReader : public SheetReader {
public:
    // The bounds for the next open(); the named constants by default.
    void setLimits(const WorkbookLimits& limits) { m_limits = limits; }

    // Reads the content part once, handing each table over as soon as it
    // ends; a fault anywhere in the part fails the pass.
    Status readSheets(const QString& path, const SheetVisitor& visit, int threads = 1) override;

private:
    // Opens the package at path and checks that it is an unprotected
    // spreadsheet with a content part.
    Status openPackage(const QString& path, ZipPackage& package) const;
    // The failure of a parse of the content part.
    Failure contentFailure(const QString& path, const QString& otherBody,
                           const XmlError& error) const;
    XmlLimits xmlLimits() const;

    // Reads the chosen table. On failure the message names the file and the
    // cause: not a zip or damaged, protected by a password, an OpenDocument
    // file that is not a spreadsheet, no table, malformed XML, a bad cell,
    // or a crossed limit.
    Status read(const QString& path) override;

    WorkbookLimits m_limits;
};
