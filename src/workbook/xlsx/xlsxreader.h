#pragma once

#include "workbook/sheetreader.h"
#include "workbook/workbooklimits.h"
#include "workbook/xmlstream.h"

class ZipPackage;

// Reads .xlsx workbooks (Office Open XML spreadsheets): the package
// relationships lead to the workbook, the workbook to the chosen sheet (the
// first by default), which must be a worksheet; shared strings and cell
// styles give the cells their texts and dates. Every part is streamed from
// the archive, never held whole. A pass over every sheet (readSheets) reads
// the archive's directory, the workbook, its relationships, the shared
// strings and the styles once, and the sheets side by side.
class XlsxReader : public SheetReader {
public:
    XlsxReader();
    ~XlsxReader() override;

    // The bounds for the next open(); the named constants by default.
    void setLimits(const WorkbookLimits& limits) { m_limits = limits; }

    // The date system of the workbook last opened.
    bool date1904() const { return m_date1904; }

    Status readSheets(const QString& path, const SheetVisitor& visit, int threads = 1) override;

private:
    struct Workbook;

    // Reads the whole chosen worksheet. On failure the message names the
    // file and the cause: not a zip or damaged, protected by a password,
    // binary .xlsb, a missing part, a sheet that is not a worksheet, malformed
    // XML (naming the part), a bad cell, or a crossed limit.
    Status read(const QString& path) override;
    // Opens the package at path and reads the parts every sheet shares into
    // *book.
    Status openWorkbook(const QString& path, ZipPackage& package, Workbook* book);
    // Opens the package and finds its workbook part: the package
    // relationships lead to it.
    Status findWorkbookPart(const QString& path, ZipPackage& package, Workbook* book) const;
    // The workbook part's list of sheets and date system.
    Status readSheetList(ZipPackage& package, Workbook* book) const;
    // The workbook's relationships, shared strings and cell styles.
    Status readSharedParts(ZipPackage& package, Workbook* book) const;
    XmlLimits xmlLimits() const;
    // Reads sheet `index` of the workbook into sheet. Reads nothing but the
    // sheet's own part and keeps no state, so that several threads read
    // sheets side by side, each with a package of its own.
    Status readSheet(ZipPackage& package, const Workbook& book, int index, SheetData& sheet,
                     WorkProgress* progress) const;

    WorkbookLimits m_limits;
    bool m_date1904 = false;
};
