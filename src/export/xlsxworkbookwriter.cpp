#include "export/xlsxworkbookwriter.h"

#include "export/xmltext.h"
#include "export/zipstreamwriter.h"
#include "workbook/cellnames.h"

#include <QCoreApplication>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr qsizetype kChunk = 1 << 20; // bytes handed to the zip writer at a time

constexpr char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char kMainNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char kRelationships[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

bool needsPreserve(QStringView text) {
    auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    return !text.isEmpty() && (blank(text.front()) || blank(text.back()));
}

// A character width as the file stores it: the characters of the widest
// digit plus the cell's padding of five pixels, for a 7-pixel digit.
double storedWidth(double characters) {
    if (characters <= 0)
        return 0;
    const double pixels = std::trunc(characters * 7 + 0.5) + 5;
    return std::trunc(pixels / 7 * 256) / 256;
}

} // namespace

XlsxWorkbookWriter::XlsxWorkbookWriter(const QString& path)
    : m_zip(std::make_unique<ZipStreamWriter>(path)) {
    m_zip->beginEntry(QStringLiteral("[Content_Types].xml"));
    // Every .xml part not named otherwise is a worksheet.
    m_zip->write(
        QByteArray(kXmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/"
        ">"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
        "<Override PartName=\"/docProps/app.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
        "</Types>\n");
    m_zip->beginEntry(QStringLiteral("_rels/.rels"));
    m_zip->write(QByteArray(kXmlHead) +
                 "<Relationships "
                 "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                 "<Relationship Id=\"rId1\" Type=\"" +
                 kRelationships +
                 "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                 "<Relationship Id=\"rId2\" Type=\"" +
                 kRelationships +
                 "/extended-properties\" Target=\"docProps/app.xml\"/>"
                 "</Relationships>\n");
    m_zip->beginEntry(QStringLiteral("docProps/app.xml"));
    m_zip->write(QByteArray(kXmlHead) +
                 "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                 "extended-properties\"><Application>" +
                 xmlEscaped(QCoreApplication::applicationName()) + "</Application></Properties>\n");
}

XlsxWorkbookWriter::~XlsxWorkbookWriter() = default;

bool XlsxWorkbookWriter::failed() const {
    return m_zip->failed();
}

void XlsxWorkbookWriter::put(const char* bytes, qsizetype length) {
    m_out.append(bytes, length);
    if (m_out.size() >= kChunk) {
        m_zip->write(std::move(m_out));
        m_out = QByteArray();
        m_out.reserve(kChunk + 4096);
    }
}

const QByteArray& XlsxWorkbookWriter::columnName(int col) {
    while (int(m_columnNames.size()) <= col)
        m_columnNames.push_back(::columnName(int(m_columnNames.size()) + 1).toLatin1());
    return m_columnNames[std::size_t(col)];
}

const QByteArray& XlsxWorkbookWriter::styleAttribute(int format) {
    if (m_styleAttributes.empty())
        m_styleAttributes.emplace_back(); // the default look needs no attribute
    while (int(m_styleAttributes.size()) <= format)
        m_styleAttributes.push_back(" s=\"" + QByteArray::number(m_styleAttributes.size()) + '"');
    return m_styleAttributes[std::size_t(std::max(format, 0))];
}

void XlsxWorkbookWriter::addSheet(const QString& name, int frozenRows, int frozenColumns) {
    endSheet();
    m_sheetNames.push_back(name);
    m_zip->beginEntry(QStringLiteral("xl/worksheets/sheet%1.xml").arg(m_sheetNames.size()));
    m_inSheet = true;
    m_sheetStarted = false;
    m_frozenRows = frozenRows;
    m_frozenColumns = frozenColumns;
    m_widths.clear();
    m_row = -1;
}

void XlsxWorkbookWriter::setColumnWidth(int first, int last, double width) {
    if (!m_inSheet || m_sheetStarted || first > last)
        return;
    m_widths.push_back({{first, last}, width});
}

void XlsxWorkbookWriter::writeSheetStart() {
    m_sheetStarted = true;
    QByteArray head = QByteArray(kXmlHead) + "<worksheet xmlns=\"" + kMainNamespace +
                      "\" xmlns:r=\"" + kRelationships + "\"><sheetViews><sheetView";
    if (m_sheetNames.size() == 1)
        head += " tabSelected=\"1\"";
    head += " workbookViewId=\"0\">";
    if (m_frozenRows > 0 || m_frozenColumns > 0) {
        const char* pane = m_frozenRows > 0 && m_frozenColumns > 0 ? "bottomRight"
                           : m_frozenRows > 0                      ? "bottomLeft"
                                                                   : "topRight";
        head += "<pane";
        if (m_frozenColumns > 0)
            head += " xSplit=\"" + QByteArray::number(m_frozenColumns) + '"';
        if (m_frozenRows > 0)
            head += " ySplit=\"" + QByteArray::number(m_frozenRows) + '"';
        head += " topLeftCell=\"" + columnName(m_frozenColumns) +
                QByteArray::number(m_frozenRows + 1) + "\" activePane=\"" + pane +
                "\" state=\"frozen\"/><selection pane=\"" + pane + "\"/>";
    }
    head += "</sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    // Widths set later for the same columns win; the file wants each column
    // once, in order.
    std::vector<double> widths;
    for (const auto& [range, width] : m_widths) {
        if (int(widths.size()) <= range.second)
            widths.resize(std::size_t(range.second) + 1, -1);
        std::fill(widths.begin() + range.first, widths.begin() + range.second + 1, width);
    }
    QByteArray cols;
    for (std::size_t c = 0; c < widths.size();) {
        std::size_t end = c;
        while (end + 1 < widths.size() && widths[end + 1] == widths[c])
            ++end;
        if (widths[c] >= 0)
            cols += "<col min=\"" + QByteArray::number(c + 1) + "\" max=\"" +
                    QByteArray::number(end + 1) + "\" width=\"" +
                    QByteArray::number(storedWidth(widths[c]), 'g', 17) + "\" customWidth=\"1\"/>";
        c = end + 1;
    }
    if (!cols.isEmpty())
        head += "<cols>" + cols + "</cols>";
    head += "<sheetData>";
    put(head);
}

qsizetype XlsxWorkbookWriter::startCell(int row, int col) {
    if (!m_inSheet || row < m_row || row < 0 || col < 0 || m_closed)
        return -1;
    if (row != m_row) {
        flushRow();
        m_row = row;
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, row + 1).ptr;
        m_rowNumber = QByteArray(digits, end - digits);
    }
    const qsizetype start = m_cells.size();
    m_cells += "<c r=\"";
    m_cells += columnName(col);
    m_cells += m_rowNumber;
    m_cells += '"';
    return start;
}

void XlsxWorkbookWriter::endCell(int col, qsizetype start) {
    if (!m_pieces.empty() && m_pieces.back().col >= col)
        m_inOrder = false;
    m_pieces.push_back(Piece{col, start, m_cells.size() - start});
}

void XlsxWorkbookWriter::writeNumber(int row, int col, double value, int format) {
    if (!std::isfinite(value))
        return;
    const qsizetype start = startCell(row, col);
    if (start < 0)
        return;
    m_cells += styleAttribute(format);
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_cells += "><v>";
    m_cells.append(digits, end - digits);
    m_cells += "</v></c>";
    endCell(col, start);
}

void XlsxWorkbookWriter::writeText(int row, int col, QStringView text, int format) {
    const qsizetype start = startCell(row, col);
    if (start < 0)
        return;
    m_cells += styleAttribute(format);
    m_cells += needsPreserve(text) ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">"
                                   : " t=\"inlineStr\"><is><t>";
    appendXmlEscaped(m_cells, text);
    m_cells += "</t></is></c>";
    endCell(col, start);
}

void XlsxWorkbookWriter::flushRow() {
    if (m_row < 0 || m_pieces.empty())
        return;
    if (!m_sheetStarted)
        writeSheetStart();
    QByteArray row = "<row r=\"" + m_rowNumber + "\">";
    put(row);
    if (m_inOrder) {
        put(m_cells);
    } else {
        // Cells in column order; of two for one column the later one.
        std::stable_sort(m_pieces.begin(), m_pieces.end(),
                         [](const Piece& a, const Piece& b) { return a.col < b.col; });
        for (std::size_t i = 0; i < m_pieces.size(); ++i)
            if (i + 1 == m_pieces.size() || m_pieces[i + 1].col != m_pieces[i].col)
                put(m_cells.constData() + m_pieces[i].start, m_pieces[i].length);
    }
    put("</row>");
    m_cells.clear();
    m_pieces.clear();
    m_inOrder = true;
}

void XlsxWorkbookWriter::endSheet() {
    if (!m_inSheet)
        return;
    flushRow();
    if (!m_sheetStarted)
        writeSheetStart();
    put("</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
        "header=\"0.3\" footer=\"0.3\"/></worksheet>\n");
    m_zip->write(std::move(m_out));
    m_out = QByteArray();
    m_inSheet = false;
}

Status XlsxWorkbookWriter::close() {
    if (m_closed)
        return m_zip->finish();
    endSheet();
    m_closed = true;
    QByteArray sheets;
    QByteArray relationships;
    for (std::size_t i = 0; i < m_sheetNames.size(); ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        sheets += "<sheet name=\"" + xmlEscaped(m_sheetNames[i]) + "\" sheetId=\"" + number +
                  "\" r:id=\"rId" + number + "\"/>";
        relationships += "<Relationship Id=\"rId" + number + "\" Type=\"" + kRelationships +
                         "/worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
    }
    relationships += "<Relationship Id=\"rId" + QByteArray::number(m_sheetNames.size() + 1) +
                     "\" Type=\"" + kRelationships + "/styles\" Target=\"styles.xml\"/>";
    m_zip->beginEntry(QStringLiteral("xl/workbook.xml"));
    m_zip->write(QByteArray(kXmlHead) + "<workbook xmlns=\"" + kMainNamespace + "\" xmlns:r=\"" +
                 kRelationships +
                 "\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>" + sheets +
                 "</sheets></workbook>\n");
    m_zip->beginEntry(QStringLiteral("xl/_rels/workbook.xml.rels"));
    m_zip->write(QByteArray(kXmlHead) +
                 "<Relationships "
                 "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                 relationships + "</Relationships>\n");
    m_zip->beginEntry(QStringLiteral("xl/styles.xml"));
    m_zip->write(m_styles.xml());
    return m_zip->finish();
}
