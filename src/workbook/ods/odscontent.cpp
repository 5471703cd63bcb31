#include "workbook/ods/odscontent.h"

#include "shared/textdecoding.h"
#include "workbook/cellnames.h"
#include "workbook/exceldates.h"
#include "workbook/workbooklimits.h"
#include "workbook/workbookmessages.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Compares with a literal byte by byte, stopping at the first difference:
// the compiler unrolls it, where a call to strcmp would be made for each.
template <std::size_t N> bool is(const char* name, const char (&expected)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (name[i] != expected[i])
            return false;
    }
    return true;
}

// An element of this namespace and local name.
template <std::size_t N> bool is(const XmlName& name, XmlNs ns, const char (&local)[N]) {
    return name.ns == ns && is(name.local, local);
}

// What an attribute of a cell is, by its namespace and local name.
CellAttribute cellAttribute(XmlNs ns, const char* local) {
    if (ns == XmlNs::Calcext)
        return is(local, "value-type") ? CellAttribute::ResultType : CellAttribute::Other;
    if (ns == XmlNs::Table)
        return is(local, "number-columns-repeated") ? CellAttribute::ColumnsRepeated
               : is(local, "formula")               ? CellAttribute::Formula
                                                    : CellAttribute::Other;
    if (ns != XmlNs::Office)
        return CellAttribute::Other;
    // One comparison for most: the local names differ in their first letter.
    switch (local[0]) {
    case 'v':
        if (is(local, "value"))
            return CellAttribute::Value;
        if (is(local, "value-type"))
            return CellAttribute::ValueType;
        break;
    case 'd':
        if (is(local, "date-value"))
            return CellAttribute::DateValue;
        break;
    case 't':
        if (is(local, "time-value"))
            return CellAttribute::TimeValue;
        break;
    case 'b':
        if (is(local, "boolean-value"))
            return CellAttribute::BooleanValue;
        break;
    case 's':
        if (is(local, "string-value"))
            return CellAttribute::StringValue;
        break;
    default:
        break;
    }
    return CellAttribute::Other;
}

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

QString fromUtf8(const char* text) {
    return utf8Text(text);
}

// A number as ODF writes it in office:value: the C locale's form, a leading
// plus sign or surrounding spaces allowed.
bool parseNumber(const char* text, double* number) {
    const char* first = text;
    const char* last = text + std::strlen(text);
    while (first < last && (*first == ' ' || *first == '\t' || *first == '\n' || *first == '\r'))
        ++first;
    while (last > first &&
           (last[-1] == ' ' || last[-1] == '\t' || last[-1] == '\n' || last[-1] == '\r'))
        --last;
    if (first < last && *first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, *number);
    return first < last && ec == std::errc() && ptr == last && std::isfinite(*number);
}

// An ISO 8601 duration as office:time-value holds it ("PT12H30M00S",
// "-P1DT2H", seconds with a fraction), in days.
bool parseDuration(const char* text, double* days) {
    const char* p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    if (*p++ != 'P')
        return false;
    double seconds = 0.0;
    bool inTime = false;
    bool any = false;
    while (*p) {
        if (*p == 'T' && !inTime) {
            inTime = true;
            ++p;
            continue;
        }
        const char* start = p;
        while (isDigit(*p) || *p == '.')
            ++p;
        double value = 0.0;
        const auto [ptr, ec] = std::from_chars(start, p, value);
        if (start == p || ec != std::errc() || ptr != p)
            return false;
        const char unit = *p++;
        if (!inTime && unit == 'D')
            seconds += value * 86400.0;
        else if (inTime && unit == 'H')
            seconds += value * 3600.0;
        else if (inTime && unit == 'M')
            seconds += value * 60.0;
        else if (inTime && unit == 'S')
            seconds += value;
        else
            return false;
        any = true;
    }
    if (!any || !std::isfinite(seconds))
        return false;
    *days = (negative ? -seconds : seconds) / 86400.0;
    return true;
}

} // namespace

OdsContentHandler::OdsContentHandler(SheetData& sheet, const QString& partName, qint64 maxCells,
                                     int tableIndex, int maxTables)
    : m_sheet(sheet), m_partName(partName), m_maxCells(maxCells), m_tableIndex(tableIndex),
      m_maxTables(maxTables) {
    m_text.reserve(256);
}

void OdsContentHandler::startElement(const XmlName& name, const XmlAttributes& attributes) {
    ++m_depth;
    if (m_depth == 1)
        return;
    if (m_skipDepth > 0) {
        passInSkipped(name, attributes);
        return;
    }
    if (m_cellDepth > 0) {
        startInCell(name, attributes);
        return;
    }
    if (m_tableDepth > 0) {
        // Within the table, what is not of the table namespace (forms,
        // shapes, foreign markup) holds none of its cells.
        if (name.ns != XmlNs::Table) {
            skipContent();
            return;
        }
        if (m_rowDepth == 0 && is(name, XmlNs::Table, "table-row")) {
            startRow(attributes);
        } else if (m_rowDepth > 0 && (is(name, XmlNs::Table, "table-cell") ||
                                      is(name, XmlNs::Table, "covered-table-cell"))) {
            startCell(attributes);
            // A value its attributes give: what the cell holds is not read.
            if (!m_collect)
                skipContent();
        }
        return;
    }
    if (m_depth == 2 && is(name, XmlNs::Office, "body")) {
        m_bodyDepth = m_depth;
    } else if (m_bodyDepth > 0 && m_depth == m_bodyDepth + 1) {
        startBodyChild(name);
    } else if (m_bodyDepth > 0 && m_depth == m_bodyDepth + 2 && is(name, XmlNs::Table, "table")) {
        if (m_tableNames.size() >= m_maxTables) {
            fail(tooManySheetsCause(m_maxTables), true);
            return;
        }
        const char* tableName = attributes.value(XmlNs::Table, "name");
        m_tableNames.append(tableName ? fromUtf8(tableName) : QString());
        if (m_tableReadCallback || m_tableNames.size() - 1 == m_tableIndex) {
            m_tableDepth = m_depth;
            m_tableSeen = true;
            m_row = 0;
            m_col = 0;
        } else {
            m_skipDepth = m_depth;
        }
    }
}

void OdsContentHandler::endElement(const XmlName&) {
    const int depth = m_depth--;
    if (m_skipDepth > 0) {
        if (depth == m_skipDepth)
            m_skipDepth = 0;
        else if (depth == m_passedCellDepth)
            m_passedCellDepth = 0;
        return;
    }
    if (m_cellDepth > 0) {
        if (depth == m_cellDepth) {
            finishCell();
            m_cellDepth = 0;
        } else if (depth == m_paragraphDepth) {
            m_paragraphDepth = 0;
        }
        return;
    }
    if (depth == m_rowDepth) {
        finishRow();
        m_rowDepth = 0;
    } else if (depth == m_tableDepth) {
        // The rest of the part is read for the names of the tables only,
        // unless every table is read.
        m_tableDepth = 0;
        m_tableRead = !failed();
        if (m_tableRead && m_tableReadCallback) {
            m_keptBefore += m_count;
            m_count = 0;
            if (!m_tableReadCallback(static_cast<int>(m_tableNames.size()) - 1)) {
                m_stopped = true;
                fail(QCoreApplication::translate("Workbook", "lettura interrotta"));
            }
        }
    } else if (depth == m_bodyDepth) {
        finish();
    }
}

void OdsContentHandler::passInSkipped(const XmlName& name, const XmlAttributes& attributes) {
    // As in the table read: only the table's own elements, and in a cell
    // those of the text namespace.
    if (name.ns != (m_passedCellDepth > 0 ? XmlNs::Text : XmlNs::Table)) {
        skipContent();
        return;
    }
    // A cell with a value type, or one with a paragraph, counts once.
    bool counts = false;
    if (is(name, XmlNs::Table, "table-cell") || is(name, XmlNs::Table, "covered-table-cell")) {
        m_passedCellDepth = m_depth;
        m_passedCellCounted = attributes.value(XmlNs::Office, "value-type") != nullptr;
        counts = m_passedCellCounted;
    } else if (m_passedCellDepth > 0 && !m_passedCellCounted && is(name, XmlNs::Text, "p")) {
        m_passedCellCounted = true;
        counts = true;
    }
    if (!counts)
        return;
    if (m_count + m_passed >= m_maxCells) {
        fail(tooManyCellsCause(m_maxCells), true);
        return;
    }
    ++m_passed;
}

void OdsContentHandler::characters(const char* data, int length) {
    if (m_paragraphDepth > 0)
        appendText(data, static_cast<std::size_t>(length));
}

void OdsContentHandler::startBodyChild(const XmlName& name) {
    // Foreign markup beside the body's content is no content.
    if (name.ns != XmlNs::Office || is(name.local, "spreadsheet"))
        return;
    m_otherBody = fromUtf8(name.local);
    fail(QCoreApplication::translate("Workbook", "la parte %1 non contiene un foglio di calcolo")
             .arg(m_partName));
}

bool OdsContentHandler::repeatCount(const char* value, qint64* count) {
    *count = 1;
    if (!value)
        return true;
    qint64 n = 0;
    const char* end = value + std::strlen(value);
    const auto [ptr, ec] = std::from_chars(value, end, n);
    if (ec == std::errc::result_out_of_range && ptr == end) {
        *count = std::numeric_limits<qint64>::max() / 4;
        return true;
    }
    if (ec != std::errc() || ptr != end || n < 1) {
        fail(QCoreApplication::translate(
                 "Workbook", "la parte %1 contiene un numero di ripetizioni non valido (\"%2\")")
                 .arg(m_partName, fromUtf8(value)));
        return false;
    }
    *count = n;
    return true;
}

void OdsContentHandler::startRow(const XmlAttributes& attributes) {
    if (!repeatCount(attributes.value(XmlNs::Table, "number-rows-repeated"), &m_rowRepeat))
        return;
    m_rowDepth = m_depth;
    m_col = 0;
    m_rowCells.clear();
    m_rowCellCount = 0;
}

void OdsContentHandler::startCell(const XmlAttributes& attributes) {
    m_cellDepth = m_depth;
    m_paragraphDepth = 0;
    m_hasParagraph = false;
    m_text.clear();
    m_collect = false;
    m_error = false;
    m_cellCol = m_col + 1;
    m_colRepeat = 1;
    CellAttributeValues found;
    if (!readCellAttributes(attributes, found))
        return;
    m_col = std::min<qint64>(m_cellCol + m_colRepeat - 1, kSheetMaxColumns + 1);
    m_formula = found.formula && !found.type;
    if (found.error) {
        m_error = true;
    } else if (found.type && !is(found.type, "string")) {
        typedCellValue(found);
        return;
    } else if (found.type && found.string) {
        m_attributeValue = CellValue(fromUtf8(found.string));
        return;
    }
    // A text, an error or an untyped cell: the text of its paragraphs. (Every
    // other cell either sets the value its attributes give, or fails.)
    m_attributeValue = CellValue();
    m_collect = true;
}

// The attributes of a cell's tag that its value depends on, and its
// repeat count; false when that count fails.
bool OdsContentHandler::readCellAttributes(const XmlAttributes& attributes,
                                           CellAttributeValues& found) {
    // The meaning of each attribute name, learnt once for a run of cells
    // whose tags have the same names.
    const quint64 namesId = attributeNamesId();
    const bool known = namesId != 0 && namesId == m_cellNamesId;
    if (!known) {
        m_cellNamesId = 0;
        m_cellNames.clear();
    }
    const int count = attributes.size();
    for (int index = 0; index < count; ++index) {
        CellAttribute kind = CellAttribute::Other;
        if (known && static_cast<std::size_t>(index) < m_cellNames.size()) {
            kind = m_cellNames[static_cast<std::size_t>(index)];
        } else {
            kind = cellAttribute(attributes.ns(index), attributes.name(index));
            if (!known)
                m_cellNames.push_back(kind);
        }
        const char* value = attributes.value(index);
        switch (kind) {
        case CellAttribute::Value:
            found.number = value;
            break;
        case CellAttribute::ValueType:
            found.type = value;
            break;
        case CellAttribute::ResultType:
            found.error = is(value, "error");
            break;
        case CellAttribute::ColumnsRepeated:
            if (!repeatCount(value, &m_colRepeat))
                return false;
            break;
        case CellAttribute::DateValue:
            found.date = value;
            break;
        case CellAttribute::TimeValue:
            found.time = value;
            break;
        case CellAttribute::BooleanValue:
            found.boolean = value;
            break;
        case CellAttribute::StringValue:
            found.string = value;
            break;
        case CellAttribute::Formula:
            found.formula = true;
            break;
        case CellAttribute::Other:
            break;
        }
    }
    if (!known)
        m_cellNamesId = namesId;
    return true;
}

// The value of a cell of a type other than text, from its attributes; a
// malformed one fails naming the cell.
void OdsContentHandler::typedCellValue(const CellAttributeValues& found) {
    const char* type = found.type;
    if (is(type, "float") || is(type, "percentage") || is(type, "currency")) {
        double parsed = 0.0;
        if (!found.number || !parseNumber(found.number, &parsed)) {
            failAtCell(
                QCoreApplication::translate("Workbook", "contiene un numero non valido (\"%1\")")
                    .arg(found.number ? fromUtf8(found.number) : QString()));
            return;
        }
        m_attributeValue = CellValue(parsed);
    } else if (is(type, "date")) {
        const QDateTime when =
            found.date ? isoDateTime(fromUtf8(found.date).trimmed()) : QDateTime();
        if (!when.isValid()) {
            failAtCell(
                QCoreApplication::translate("Workbook", "contiene una data non valida (\"%1\")")
                    .arg(found.date ? fromUtf8(found.date) : QString()));
            return;
        }
        m_attributeValue = CellValue::fromDate(when);
    } else if (is(type, "time")) {
        double days = 0.0;
        if (!found.time || !parseDuration(found.time, &days)) {
            failAtCell(
                QCoreApplication::translate("Workbook", "contiene un'ora non valida (\"%1\")")
                    .arg(found.time ? fromUtf8(found.time) : QString()));
            return;
        }
        // A duration outside the calendar stays the number of days it is.
        const QDateTime when = excelSerialToDateTime(days, false);
        m_attributeValue = when.isValid() ? CellValue::fromDate(when) : CellValue(days);
    } else if (is(type, "boolean")) {
        const char* value = found.boolean;
        if (value && (is(value, "true") || is(value, "1"))) {
            m_attributeValue = CellValue::fromBool(true);
        } else if (value && (is(value, "false") || is(value, "0"))) {
            m_attributeValue = CellValue::fromBool(false);
        } else {
            failAtCell(QCoreApplication::translate("Workbook",
                                                   "contiene un valore logico non valido (\"%1\")")
                           .arg(value ? fromUtf8(value) : QString()));
        }
    } else {
        failAtCell(QCoreApplication::translate("Workbook",
                                               "contiene una cella di tipo sconosciuto (\"%1\")")
                       .arg(fromUtf8(type)));
    }
}

void OdsContentHandler::startInCell(const XmlName& name, const XmlAttributes& attributes) {
    if (!m_collect)
        return;
    if (name.ns != XmlNs::Text) {
        // Foreign markup, or a frame or an annotation: none of the cell's
        // text.
        skipContent();
        return;
    }
    if (m_paragraphDepth == 0) {
        // Only the cell's own paragraphs.
        if (m_depth == m_cellDepth + 1 && (is(name.local, "p") || is(name.local, "h"))) {
            if (m_hasParagraph)
                appendText("\n", 1);
            m_hasParagraph = true;
            m_paragraphDepth = m_depth;
        }
        return;
    }
    if (is(name.local, "s")) {
        qint64 spaces = 1;
        if (const char* count = attributes.value(XmlNs::Text, "c")) {
            if (!repeatCount(count, &spaces))
                return;
        }
        // More spaces than a cell can hold fail as a too long text.
        const auto room = static_cast<qint64>(3 * kMaxCellTextLength + 1 - m_text.size());
        m_text.append(
            static_cast<std::size_t>(std::clamp<qint64>(spaces, 0, std::max<qint64>(room, 0))),
            ' ');
        appendText("", 0);
    } else if (is(name.local, "tab")) {
        appendText("\t", 1);
    } else if (is(name.local, "line-break")) {
        appendText("\n", 1);
    }
}

void OdsContentHandler::appendText(const char* data, std::size_t length) {
    m_text.append(data, length);
    // A UTF-16 character takes at most three bytes of UTF-8: beyond that the
    // text is too long whatever it holds.
    if (m_text.size() > 3 * static_cast<std::size_t>(kMaxCellTextLength))
        failAtCell(causaTestoTroppoLungo(kMaxCellTextLength), true);
}

void OdsContentHandler::failAtCell(const QString& what, bool limit) {
    const QString cell = m_row + 1 <= kSheetMaxRows && m_cellCol <= kSheetMaxColumns
                             ? cellName(static_cast<int>(m_row + 1), static_cast<int>(m_cellCol))
                             : QStringLiteral("?");
    fail(QCoreApplication::translate("Workbook", "la cella %1 della parte %2 %3")
             .arg(cell, m_partName, what),
         limit);
}

CellValue OdsContentHandler::cellValue() {
    CellValue value;
    if (!m_collect) {
        value = std::move(m_attributeValue);
    } else if (!m_text.empty()) {
        QString text =
            utf8Text(QByteArrayView(m_text.data(), static_cast<qsizetype>(m_text.size())));
        value = m_error ? CellValue::fromError(text.trimmed()) : CellValue(std::move(text));
    } else if (m_formula && !m_hasParagraph && !m_error) {
        // A formula never computed.
        value = CellValue(QString());
    }
    m_collect = false;
    if (value.isText() && value.text().size() > kMaxCellTextLength) {
        failAtCell(causaTestoTroppoLungo(kMaxCellTextLength), true);
        return CellValue();
    }
    return value;
}

void OdsContentHandler::finishCell() {
    CellValue value = cellValue();
    m_paragraphDepth = 0;
    if (failed() || value.isEmpty())
        return;
    if (m_cellCol > kSheetMaxColumns || m_row + 1 > kSheetMaxRows) {
        const QLocale italian(QLocale::Italian);
        fail(QCoreApplication::translate(
                 "Workbook", "la parte %1 contiene una cella oltre i limiti del formato (%2 righe "
                             "per %3 colonne)")
                 .arg(m_partName, italian.toString(kSheetMaxRows),
                      italian.toString(kSheetMaxColumns)));
        return;
    }
    const qint64 last = std::min<qint64>(m_cellCol + m_colRepeat - 1, kSheetMaxColumns);
    if (m_rowRepeat == 1) {
        // A row read once: its cells go to the sheet as they come, and are
        // counted against the limit when the row ends, as a repeated one.
        const auto row = static_cast<int>(m_row + 1);
        for (qint64 col = m_cellCol; col <= last; ++col) {
            if (value.isNumber())
                m_sheet.setNumber(row, static_cast<int>(col), value.number());
            else
                m_sheet.set(row, static_cast<int>(col), value);
        }
        m_rowCellCount += last - m_cellCol + 1;
        return;
    }
    for (qint64 col = m_cellCol; col < last; ++col)
        m_rowCells.emplace_back(static_cast<int>(col), value);
    m_rowCells.emplace_back(static_cast<int>(last), std::move(value));
}

void OdsContentHandler::finishRow() {
    const qint64 first = m_row + 1;
    m_row = std::min<qint64>(m_row + m_rowRepeat, kSheetMaxRows + 1);
    const auto perRow = m_rowRepeat == 1 ? m_rowCellCount : static_cast<qint64>(m_rowCells.size());
    if (perRow == 0 || failed())
        return;
    // Rows past the sheet's end are dropped like the columns past its side.
    const qint64 last = std::min<qint64>(first + m_rowRepeat - 1, kSheetMaxRows);
    if (m_count + m_passed + perRow * (last - first + 1) > m_maxCells) {
        fail(tooManyCellsCause(m_maxCells), true);
        return;
    }
    m_count += perRow * (last - first + 1);
    if (m_rowRepeat == 1)
        return; // its cells are in the sheet already
    for (qint64 row = first; row < last; ++row) {
        for (const auto& [col, value] : m_rowCells)
            m_sheet.set(static_cast<int>(row), col, value);
    }
    for (auto& [col, value] : m_rowCells)
        m_sheet.set(static_cast<int>(last), col, std::move(value));
    m_rowCells.clear();
}
