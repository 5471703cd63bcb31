#pragma once

#include "workbook/readerlimits.h"
#include "workbook/sheetdata.h"
#include "workbook/xmlstream.h"

#include <QString>

#include <limits>
#include <string>
#include <vector>

// What a worksheet's cells need from the rest of the workbook.
struct XlsxSheetContext {
    // The shared string table; the sheet's own shared texts when null or
    // when it is them (otherwise they are copied into the sheet).
    const std::vector<QString>* sharedStrings = nullptr;
    const std::vector<char>* dateStyles = nullptr; // per cell format: a number there is a date
    bool date1904 = false;                         // the workbook's date system
    qint64 maxCells = kMaxWorkbookCells;           // more non-empty cells than this fail
    int maxTextLength = kMaxCellTextLength;        // a longer text fails
    qint64 maxTextCharacters = kMaxTextCharacters; // more characters of texts in all fail...
    qint64 keptCharacters = 0; // ...counting these, kept before (the shared strings)
};

// Reads the cells of a worksheet part (<sheetData>) into a SheetData, typed
// as the spreadsheet holds them:
// - t="s": the shared string of that index (out of range fails);
// - t="str" (a formula's text result) and t="inlineStr" (<is> with <t> or
//   rich-text runs, phonetic runs left out): the text exactly as written,
//   _xHHHH_ escapes decoded;
// - t="b": a boolean; t="e": an error value ("#DIV/0!");
// - t="d": a date from ISO 8601 text;
// - t="n" or none: the number in <v>, read in the C locale; a date when the
//   cell's style (s) has a date format and the number is a valid serial.
// A formula cell gives its cached <v>, an empty text when it has none; any
// other cell without a value is empty and not stored. A row or cell without its r attribute
// continues from the previous one. References beyond 1,048,576 rows or 16,384 columns, more than
// maxCells non-empty cells, a value longer than maxTextLength characters (as soon as its bytes show
// it), texts of more than maxTextCharacters in all, a malformed reference or value fail. A cell
// holding a shared string refers to the sheet's shared texts
// (SheetData::setSharedText). The
// root element must be <worksheet>: anything else (a chartsheet) fails and
// leaves isWorksheet() false. Elements are known by their namespace
// (SpreadsheetML, transitional or strict, whatever the prefix) and local
// name, the cells' attributes by their local name without a namespace: any
// other element, and all it holds, changes nothing.
class XlsxWorksheetHandler : public XmlHandler {
public:
    XlsxWorksheetHandler(SheetData& sheet, const QString& partName,
                         const XlsxSheetContext& context);

    void startElement(const XmlName& name, const XmlAttributes& attributes) override;
    void endElement(const XmlName& name) override;
    void characters(const char* data, int length) override;

    bool isWorksheet() const { return m_isWorksheet; }
    qint64 keptCount() const override { return m_count; }
    // True once the root element has been seen, whatever it was.
    bool sawRoot() const { return !m_root; }

private:
    enum class CellType { Number, SharedString, FormulaString, InlineString, Boolean, Error, Date };

    void startRoot(const XmlName& name);
    void startRow(const XmlAttributes& attributes);
    void startCell(const XmlAttributes& attributes);
    void finishCell();
    // Finishes a cell that refers to a shared string.
    void putSharedString();
    // The value of a finished cell of any other type: empty when it holds
    // none, or when it fails (failAtCell) or is a text not kept.
    CellValue typedValue();
    CellValue booleanValue();
    CellValue dateValue();
    bool setCellType(const char* type);
    CellValue numberValue();
    void failAtCell(const QString& what);
    bool keep();
    bool keepText(const QString& text);

    SheetData& m_sheet;
    QString m_partName;
    XlsxSheetContext m_context;

    bool m_root = true;
    bool m_isWorksheet = false;
    bool m_inSheetData = false;
    bool m_inCell = false;
    bool m_inInline = false;
    bool m_collect = false;
    int m_phonetic = 0;

    int m_row = 0; // the current row and column, 0 before the first
    int m_col = 0;
    CellType m_type = CellType::Number;
    int m_style = 0;
    bool m_hasValue = false;
    bool m_hasFormula = false; // the current cell has an <f>
    std::string m_text;        // the value text of the current cell, reused
    qint64 m_count = 0;
    qint64 m_characters = 0; // of the texts kept
};
