#pragma once

#include "workbook/sheetreader.h"
#include "workbook/workbooklimits.h"

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

    bool readSheets(const QString& path, const SheetVisitor& visit, int threads = 1) override;

private:
    struct Workbook;

    // Reads the whole chosen worksheet. On failure the message names the
    // file and the cause: not a zip or damaged, protected by a password,
    // binary .xlsb, a missing part, a sheet that is not a worksheet, malformed
    // XML (naming the part), a bad cell, or a crossed limit.
    bool read(const QString& path) override;
    // Opens the package at path and reads the parts every sheet shares into
    // *book; false with m_error set when it cannot.
    bool openWorkbook(const QString& path, ZipPackage& package, Workbook* book);
    // Reads sheet `index` of the workbook into sheet; false with *error set
    // when it cannot. Reads nothing but the sheet's own part and keeps no
    // state, so that several threads read sheets side by side, each with a
    // package of its own.
    bool readSheet(ZipPackage& package, const Workbook& book, int index, SheetData& sheet,
                   QString* error, WorkProgress* progress) const;

    WorkbookLimits m_limits;
    bool m_date1904 = false;
};
