#pragma once

#include "workbook/readerlimits.h"
#include "workbook/sheetdata.h"
#include "workbook/xmlstream.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Reads one table of an OpenDocument spreadsheet's content part (the first
// unless another is chosen) into a SheetData, typed as the spreadsheet holds
// them, and lists the names of every table; cells of the other tables are
// passed over:
// - office:value-type float, percentage, currency: the number in office:value;
// - date: office:date-value as a date; time: office:time-value (a duration)
//   as the date and time of that serial day, as a time in an .xlsx gives it;
// - boolean: office:boolean-value;
// - string: office:string-value when present, else the text of the cell's
//   paragraphs joined with line breaks (text:s, text:tab, text:line-break
//   and the text of spans and links included; whatever is not of the text
//   namespace, annotations and frames as foreign markup, left out);
// - a formula whose result is an error (calcext:value-type="error"): an
//   error value with the text shown ("#DIV/0!");
// - a cell with no value type: the text of its paragraphs, empty when none;
//   a formula with neither (its result never stored): an empty text, as
//   the .xlsx reader gives it, which reads as empty but is not.
// Covered cells are read like any other. Repeated cells and rows
// (number-columns-repeated, number-rows-repeated) are repeated only when
// they hold a value, within the sheet's 1,048,576 rows and 16,384 columns;
// an empty run only moves the position, whatever its length. A value beyond
// those bounds, more than maxCells non-empty cells, a text longer than
// kMaxCellTextLength characters, or a malformed value fails. Elements and
// attributes are known by their namespace and local name, whatever their
// prefix: those of any other namespace change nothing.
//
// The cells of the other tables are passed over, but each one with a value
// counts as read: the part may grow with them as with the cells kept
// (keptCount), and kept and passed cells together stay within maxCells.
// More than maxTables tables fail on the limit as soon as they are met.
// The attributes of a cell that its value depends on.
enum class CellAttribute : unsigned char {
    Other,
    Value,           // office:value
    ValueType,       // office:value-type
    ResultType,      // calcext:value-type ("error" for an error result)
    ColumnsRepeated, // table:number-columns-repeated
    DateValue,
    TimeValue,
    BooleanValue,
    StringValue,
    Formula, // table:formula
};

// The attributes of a cell that its value depends on, as its tag gives them
// (null when absent).
struct CellAttributeValues {
    const char* number = nullptr; // office:value
    const char* date = nullptr;
    const char* time = nullptr;
    const char* boolean = nullptr;
    const char* type = nullptr; // office:value-type
    const char* string = nullptr;
    bool error = false;   // an error result
    bool formula = false; // a formula
};

class OdsContentHandler : public XmlHandler {
public:
    // Reads the table at tableIndex, from 0 in document order.
    OdsContentHandler(SheetData& sheet, const QString& partName, qint64 maxCells,
                      int tableIndex = 0, int maxTables = kMaxWorkbookSheets);

    // Reads every table instead, each one into the sheet: at the end of
    // each, tableRead(its index) takes the sheet (and empties it) before the
    // next begins; when it returns false, the parse stops as failed, and
    // stopped() tells so. Each table stays within maxCells by itself; the
    // part may grow with all the cells read.
    void readEveryTable(std::function<bool(int index)> tableRead) {
        m_tableReadCallback = std::move(tableRead);
    }
    bool stopped() const { return m_stopped; }

    void startElement(const XmlName& name, const XmlAttributes& attributes) override;
    void endElement(const XmlName& name) override;
    void characters(const char* data, int length) override;
    qint64 keptCount() const override { return m_keptBefore + m_count + m_passed; }

    // The document body is not a spreadsheet: the parse failed, and this is
    // the body's kind ("text", "presentation", ...).
    const QString& otherBody() const { return m_otherBody; }
    // The chosen table was found (and read, when the parse succeeded).
    bool hasTable() const { return m_tableSeen; }
    // The chosen table was read to its end: what follows it only names the
    // other tables, and a fault there does not spoil it.
    bool tableRead() const { return m_tableRead; }
    // The names (table:name) of the tables, in document order.
    const QStringList& tableNames() const { return m_tableNames; }

private:
    void startBodyChild(const XmlName& name);
    void startRow(const XmlAttributes& attributes);
    void startCell(const XmlAttributes& attributes);
    bool readCellAttributes(const XmlAttributes& attributes, CellAttributeValues& found);
    void typedCellValue(const CellAttributeValues& found);
    void startInCell(const XmlName& name, const XmlAttributes& attributes);
    void passInSkipped(const XmlName& name, const XmlAttributes& attributes);
    void finishCell();
    void finishRow();
    bool repeatCount(const char* value, qint64* count);
    CellValue cellValue();
    void appendText(const char* data, std::size_t length);
    void failAtCell(const QString& what, bool limit = false);

    SheetData& m_sheet;
    QString m_partName;
    qint64 m_maxCells;
    // What each attribute of the cell tags with the attribute names numbered
    // m_cellNamesId is (0: none learnt).
    std::vector<CellAttribute> m_cellNames;
    quint64 m_cellNamesId = 0;

    int m_depth = 0;
    int m_bodyDepth = 0;              // depth of office:body, 0 outside it
    int m_tableDepth = 0;             // depth of the chosen table, 0 outside it
    int m_skipDepth = 0;              // depth of another table, 0 outside it
    int m_passedCellDepth = 0;        // depth of a cell of another table, 0 outside one
    bool m_passedCellCounted = false; // that cell has been counted
    qint64 m_passed = 0;              // cells with a value passed in other tables
    int m_tableIndex = 0;
    int m_maxTables = kMaxWorkbookSheets;
    std::function<bool(int)> m_tableReadCallback; // set: every table is read
    bool m_stopped = false;
    qint64 m_keptBefore = 0; // cells kept in the tables read before this one
    QStringList m_tableNames;
    int m_rowDepth = 0;
    int m_cellDepth = 0;
    int m_paragraphDepth = 0; // depth of the paragraph being collected
    bool m_tableSeen = false;
    bool m_tableRead = false;
    QString m_otherBody;

    qint64 m_row = 0; // the last row and column passed, 0 before the first
    qint64 m_col = 0;
    qint64 m_rowRepeat = 1;
    // The non-empty cells of the current row when it is repeated; how many
    // went straight to the sheet when it is not.
    std::vector<std::pair<int, CellValue>> m_rowCells;
    qint64 m_rowCellCount = 0;

    // The current cell.
    bool m_error = false; // an error result: the text shown is its code
    qint64 m_cellCol = 0;
    qint64 m_colRepeat = 1;
    bool m_collect = false; // its value is the text of its paragraphs
    bool m_formula = false; // a formula without a value type
    bool m_hasParagraph = false;
    CellValue m_attributeValue; // a value given by an attribute
    std::string m_text;
    qint64 m_count = 0; // cells kept
};
