#include "workbook/xlsx/xlsxworksheet.h"

#include "shared/textdecoding.h"
#include "workbook/cellnames.h"
#include "workbook/exceldates.h"
#include "workbook/readerlimits.h"
#include "workbook/workbooklimits.h"
#include "workbook/workbookmessages.h"
#include "workbook/xlsx/xlsxparts.h"

#include <QCoreApplication>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool is(const char* name, const char* expected) {
    return std::strcmp(name, expected) == 0;
}

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

bool isXmlSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

// Digits of a row number, at most 9 of them so that the result stays in an int.
bool parseRowNumber(const char* text, int* row) {
    int value = 0;
    int digits = 0;
    for (; isDigit(*text); ++text) {
        if (++digits > 9)
            return false;
        value = value * 10 + (*text - '0');
    }
    if (digits == 0 || *text != '\0')
        return false;
    *row = value;
    return true;
}

// A reference such as "B3" or "XFD1048576": column letters (at most four,
// either case), then the row number. Values beyond the sheet are returned as
// read so that the caller can name them.
bool parseReference(const char* text, int* row, int* col) {
    int column = 0;
    int letters = 0;
    for (;; ++text) {
        const char ch = *text;
        if (ch >= 'A' && ch <= 'Z')
            column = column * 26 + (ch - 'A' + 1);
        else if (ch >= 'a' && ch <= 'z')
            column = column * 26 + (ch - 'a' + 1);
        else
            break;
        if (++letters > 4)
            return false;
    }
    if (letters == 0 || !parseRowNumber(text, row))
        return false;
    *col = column;
    return true;
}

QString fromUtf8(const std::string& text) {
    return utf8Text(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string_view trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isXmlSpace(text[first]))
        ++first;
    while (last > first && isXmlSpace(text[last - 1]))
        --last;
    return std::string_view(text).substr(first, last - first);
}

} // namespace

XlsxWorksheetHandler::XlsxWorksheetHandler(SheetData& sheet, const QString& partName,
                                           const XlsxSheetContext& context)
    : m_sheet(sheet), m_partName(partName), m_context(context),
      m_characters(context.keptCharacters) {
    m_text.reserve(256);
    if (context.sharedStrings && context.sharedStrings != &sheet.sharedTexts())
        sheet.setSharedTexts(*context.sharedStrings);
}

void XlsxWorksheetHandler::startElement(const XmlName& element, const XmlAttributes& attributes) {
    if (m_root) {
        startRoot(element);
        return;
    }
    if (element.ns != XmlNs::Spreadsheet) {
        // Foreign markup: nothing of the sheet, whatever it holds.
        skipContent();
        return;
    }
    const char* name = element.local;
    // Dispatch on the first letter: cells and values are by far the most
    // frequent elements.
    switch (name[0]) {
    case 'c':
        if (name[1] == '\0' && m_inSheetData)
            startCell(attributes);
        break;
    case 'f':
        if (name[1] == '\0' && m_inCell)
            m_hasFormula = true;
        break;
    case 'v':
        if (name[1] == '\0' && m_inCell && !m_inInline) {
            m_text.clear();
            m_hasValue = true;
            m_collect = true;
        }
        break;
    case 'r':
        if (m_inSheetData && !m_inCell && is(name, "row"))
            startRow(attributes);
        else if (m_inInline && is(name, "rPh"))
            ++m_phonetic;
        break;
    case 't':
        if (name[1] == '\0' && m_inInline && m_phonetic == 0)
            m_collect = true; // texts of rich runs are joined
        break;
    case 'i':
        if (m_inCell && is(name, "is")) {
            m_inInline = true;
            m_text.clear();
            m_hasValue = true;
        }
        break;
    case 's':
        if (is(name, "sheetData"))
            m_inSheetData = true;
        break;
    default:
        break;
    }
}

void XlsxWorksheetHandler::endElement(const XmlName& element) {
    if (element.ns != XmlNs::Spreadsheet)
        return;
    const char* name = element.local;
    switch (name[0]) {
    case 'c':
        if (name[1] == '\0' && m_inCell)
            finishCell();
        break;
    case 'v':
    case 't':
        if (name[1] == '\0')
            m_collect = false;
        break;
    case 'i':
        if (is(name, "is"))
            m_inInline = false;
        break;
    case 'r':
        if (m_phonetic > 0 && is(name, "rPh"))
            --m_phonetic;
        break;
    case 's':
        if (is(name, "sheetData"))
            m_inSheetData = false;
        break;
    default:
        break;
    }
}

void XlsxWorksheetHandler::characters(const char* data, int length) {
    if (!m_collect)
        return;
    m_text.append(data, static_cast<std::size_t>(length));
    if (static_cast<qint64>(m_text.size()) > xlsxMaxTextBytes(m_context.maxTextLength))
        fail(textTooLongCause(m_context.maxTextLength), true);
}

void XlsxWorksheetHandler::startRoot(const XmlName& name) {
    m_root = false;
    m_isWorksheet = name.ns == XmlNs::Spreadsheet && is(name.local, "worksheet");
    if (!m_isWorksheet)
        fail(QCoreApplication::translate("Workbook", "la parte %1 non è un foglio di lavoro")
                 .arg(m_partName));
}

void XlsxWorksheetHandler::startRow(const XmlAttributes& attributes) {
    const char* number = attributes.value(XmlNs::None, "r");
    int row = m_row + 1; // writers that omit r count rows from the previous one
    if (number && !parseRowNumber(number, &row)) {
        fail(QCoreApplication::translate(
                 "Workbook", "la parte %1 contiene un numero di riga non valido (\"%2\")")
                 .arg(m_partName, QString::fromUtf8(number)));
        return;
    }
    if (row < 1 || row > kSheetMaxRows) {
        fail(QCoreApplication::translate(
                 "Workbook", "la riga %1 della parte %2 è oltre i limiti del formato (%3 righe)")
                 .arg(QString::number(row), m_partName,
                      QLocale(QLocale::Italian).toString(kSheetMaxRows)));
        return;
    }
    m_row = row;
    m_col = 0;
}

void XlsxWorksheetHandler::startCell(const XmlAttributes& attributes) {
    int row = m_row > 0 ? m_row : 1;
    int col = m_col + 1; // a cell without r follows the previous one
    m_type = CellType::Number;
    m_style = 0;
    const int count = attributes.size();
    for (int i = 0; i < count; ++i) {
        const char* name = attributes.name(i);
        const char* value = attributes.value(i);
        if (name[0] == '\0' || name[1] != '\0' || attributes.ns(i) != XmlNs::None)
            continue;
        switch (name[0]) {
        case 'r':
            if (!parseReference(value, &row, &col)) {
                fail(QCoreApplication::translate(
                         "Workbook", "la parte %1 contiene un riferimento di cella non valido "
                                     "(\"%2\")")
                         .arg(m_partName, QString::fromUtf8(value)));
                return;
            }
            break;
        case 't':
            if (!setCellType(value)) {
                fail(QCoreApplication::translate(
                         "Workbook", "la parte %1 contiene una cella di tipo sconosciuto (\"%2\")")
                         .arg(m_partName, QString::fromUtf8(value)));
                return;
            }
            break;
        case 's': {
            int style = 0;
            const char* end = value + std::strlen(value);
            const auto [ptr, ec] = std::from_chars(value, end, style);
            m_style = ec == std::errc() && ptr == end && style >= 0 ? style : 0;
            break;
        }
        default:
            break;
        }
    }
    if (row < 1 || col < 1 || row > kSheetMaxRows || col > kSheetMaxColumns) {
        const QLocale italian(QLocale::Italian);
        fail(QCoreApplication::translate(
                 "Workbook",
                 "la cella %1 della parte %2 è oltre i limiti del formato (%3 righe per "
                 "%4 colonne)")
                 .arg(row >= 1 && col >= 1 ? cellName(row, col) : QStringLiteral("?"), m_partName,
                      italian.toString(kSheetMaxRows), italian.toString(kSheetMaxColumns)));
        return;
    }
    m_row = row;
    m_col = col;
    m_inCell = true;
    m_inInline = false;
    m_collect = false;
    m_phonetic = 0;
    m_hasValue = false;
    m_hasFormula = false;
    m_text.clear();
}

bool XlsxWorksheetHandler::setCellType(const char* type) {
    if (is(type, "n"))
        m_type = CellType::Number;
    else if (is(type, "s"))
        m_type = CellType::SharedString;
    else if (is(type, "str"))
        m_type = CellType::FormulaString;
    else if (is(type, "inlineStr"))
        m_type = CellType::InlineString;
    else if (is(type, "b"))
        m_type = CellType::Boolean;
    else if (is(type, "e"))
        m_type = CellType::Error;
    else if (is(type, "d"))
        m_type = CellType::Date;
    else
        return false;
    return true;
}

void XlsxWorksheetHandler::failAtCell(const QString& what) {
    fail(QCoreApplication::translate("Workbook", "la cella %1 della parte %2 %3")
             .arg(cellName(m_row, m_col), m_partName, what));
}

CellValue XlsxWorksheetHandler::numberValue() {
    const std::string_view digits = trimmed(m_text);
    if (digits.empty())
        return CellValue();
    const char* first = digits.data();
    const char* last = first + digits.size();
    if (*first == '+')
        ++first;
    double number = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, number);
    if (ec != std::errc() || ptr != last || !std::isfinite(number)) {
        failAtCell(QCoreApplication::translate("Workbook", "contiene un numero non valido (\"%1\")")
                       .arg(fromUtf8(m_text)));
        return CellValue();
    }
    const auto style = static_cast<std::size_t>(m_style);
    if (m_context.dateStyles && style < m_context.dateStyles->size() &&
        (*m_context.dateStyles)[style]) {
        // A serial outside the calendar stays the number it is.
        const QDateTime when = excelSerialToDateTime(number, m_context.date1904);
        if (when.isValid())
            return CellValue::fromDate(when);
    }
    return CellValue(number);
}

void XlsxWorksheetHandler::finishCell() {
    m_inCell = false;
    m_inInline = false;
    m_collect = false;
    if (!m_hasValue) {
        // A formula never computed: an empty text, which reads as an empty
        // cell wherever a value is wanted, but is not one.
        if (m_hasFormula && keep())
            m_sheet.set(m_row, m_col, CellValue(QString()));
        return;
    }
    if (m_type == CellType::SharedString) {
        putSharedString();
        return;
    }
    CellValue value = typedValue();
    if (failed() || value.isEmpty() || !keep())
        return;
    m_sheet.set(m_row, m_col, std::move(value));
}

void XlsxWorksheetHandler::putSharedString() {
    const std::string_view digits = trimmed(m_text);
    if (digits.empty())
        return;
    const std::size_t available = m_sheet.sharedTexts().size();
    std::size_t index = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (ec != std::errc() || ptr != digits.data() + digits.size() || index >= available) {
        failAtCell(QCoreApplication::translate(
                       "Workbook", "rimanda alla stringa condivisa n. %1, ma la tabella delle "
                                   "stringhe ne contiene %2")
                       .arg(fromUtf8(std::string(digits)))
                       .arg(available));
        return;
    }
    if (keep())
        m_sheet.setSharedText(m_row, m_col, index);
}

CellValue XlsxWorksheetHandler::typedValue() {
    switch (m_type) {
    case CellType::Number:
        return numberValue();
    case CellType::SharedString:
        break; // put by putSharedString()
    case CellType::FormulaString:
    case CellType::InlineString: {
        QString text = decodeXlsxEscapes(fromUtf8(m_text));
        if (!keepText(text))
            return CellValue();
        return CellValue(std::move(text));
    }
    case CellType::Boolean:
        return booleanValue();
    case CellType::Error:
        if (trimmed(m_text).empty())
            return CellValue();
        return CellValue::fromError(fromUtf8(m_text).trimmed());
    case CellType::Date:
        return dateValue();
    }
    return CellValue();
}

CellValue XlsxWorksheetHandler::booleanValue() {
    const std::string_view flag = trimmed(m_text);
    if (flag.empty())
        return CellValue();
    if (flag == "1" || flag == "true")
        return CellValue::fromBool(true);
    if (flag == "0" || flag == "false")
        return CellValue::fromBool(false);
    failAtCell(
        QCoreApplication::translate("Workbook", "contiene un valore logico non valido (\"%1\")")
            .arg(fromUtf8(m_text)));
    return CellValue();
}

CellValue XlsxWorksheetHandler::dateValue() {
    const QString text = fromUtf8(m_text).trimmed();
    if (text.isEmpty())
        return CellValue();
    const QDateTime when = isoDateTime(text);
    if (!when.isValid()) {
        failAtCell(QCoreApplication::translate("Workbook", "contiene una data non valida (\"%1\")")
                       .arg(text));
        return CellValue();
    }
    return CellValue::fromDate(when);
}

// Counts one more cell kept; false, failing, beyond the cell limit.
bool XlsxWorksheetHandler::keep() {
    if (++m_count > m_context.maxCells) {
        fail(tooManyCellsCause(m_context.maxCells), true);
        return false;
    }
    return true;
}

// Counts the text of one more cell; false, failing, when it is longer than a
// cell may hold or the texts kept pass their limit.
bool XlsxWorksheetHandler::keepText(const QString& text) {
    if (text.size() > m_context.maxTextLength) {
        fail(textTooLongCause(m_context.maxTextLength), true);
        return false;
    }
    m_characters += text.size();
    if (m_characters > m_context.maxTextCharacters) {
        fail(tooMuchTextCause(m_context.maxTextCharacters), true);
        return false;
    }
    return true;
}
