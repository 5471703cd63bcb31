#pragma once

#include "workbook/readerlimits.h"
#include "workbook/workbooklimits.h"
#include "workbook/xmlstream.h"

#include <QHash>
#include <QString>

#include <string>
#include <unordered_map>
#include <vector>

// The handlers of the small parts of an .xlsx package that lead to the first
// worksheet and give its cells their meaning: relationships, the workbook,
// the shared strings and the cell styles. Elements are known by their
// namespace (that of relationships, or SpreadsheetML, transitional or
// strict) and local name, attributes by their local name without a
// namespace (r:id by that of relationships): any other element, and all it
// holds, changes nothing.

// One relationship of a .rels part.
struct XlsxRelationship {
    QString id;
    QString type; // a URI; its last segment names the kind ("worksheet")
    QString target;
    bool external = false; // TargetMode="External": outside the package
};

// Collects the relationships of a .rels part in document order; more than
// maxRelationships fail on the limit as soon as they are met.
class XlsxRelationshipsHandler : public XmlHandler {
public:
    explicit XlsxRelationshipsHandler(const QString& partName,
                                      int maxRelationships = kMaxRelationships)
        : m_partName(partName), m_maxRelationships(maxRelationships) {}

    void startElement(const XmlName& name, const XmlAttributes& attributes) override;
    void endElement(const XmlName&) override {}
    void characters(const char*, int) override {}

    const std::vector<XlsxRelationship>& relationships() const { return m_relationships; }
    // The first relationship whose type ends with "/" + kind, or nullptr.
    const XlsxRelationship* byKind(const QString& kind) const;
    // The relationship with this id (the first, when several have it), or
    // nullptr.
    const XlsxRelationship* byId(const QString& id) const;

private:
    QString m_partName;
    int m_maxRelationships;
    std::vector<XlsxRelationship> m_relationships;
    QHash<QString, std::size_t> m_byId; // id -> its first relationship
};

// One sheet that the workbook part lists: its name and the relationship
// that leads to its part.
struct XlsxSheetEntry {
    QString name;
    QString relationship;
};

// Reads the workbook part: its sheets in workbook order and the date
// system. Fails when the root element is not a workbook, and on the limit as
// soon as it lists more than maxSheets sheets.
class XlsxWorkbookHandler : public XmlHandler {
public:
    explicit XlsxWorkbookHandler(const QString& partName, int maxSheets = kMaxWorkbookSheets)
        : m_partName(partName), m_maxSheets(maxSheets) {}

    void startElement(const XmlName& name, const XmlAttributes& attributes) override;
    void endElement(const XmlName& name) override;
    void characters(const char*, int) override {}

    bool hasSheet() const { return !m_sheets.empty(); }
    const std::vector<XlsxSheetEntry>& sheets() const { return m_sheets; }
    bool date1904() const { return m_date1904; }

private:
    QString m_partName;
    int m_maxSheets;
    bool m_root = true;
    bool m_inSheets = false;
    std::vector<XlsxSheetEntry> m_sheets;
    bool m_date1904 = false;
};

// Reads the shared string table: each <si> is its <t> text or the <t> texts
// of its rich-text runs joined, phonetic runs (<rPh>) left out, kept exactly
// as written (spaces included) with _xHHHH_ escapes decoded. More strings,
// a longer string or more characters in all than the limits allow fail on
// the limit as soon as they are met.
class XlsxSharedStringsHandler : public XmlHandler {
public:
    explicit XlsxSharedStringsHandler(const ReaderLimits& limits) : m_limits(limits) {}

    void startElement(const XmlName& name, const XmlAttributes& attributes) override;
    void endElement(const XmlName& name) override;
    void characters(const char* data, int length) override;
    qint64 keptCount() const override { return static_cast<qint64>(m_strings.size()); }

    std::vector<QString>& strings() { return m_strings; }
    // The characters of all the strings read.
    qint64 characters() const { return m_characters; }

private:
    ReaderLimits m_limits;
    qint64 m_characters = 0;
    std::vector<QString> m_strings;
    qint64 m_maxTextBytes;
    qint64 m_textBytes = 0;
    std::string m_text;
    bool m_inItem = false;
    bool m_inText = false;
    int m_phonetic = 0;
};

// Reads the cell styles: for each cell format (cellXfs/xf, by index) whether
// its number format shows a date, built-in or custom (numFmts/numFmt).
class XlsxStylesHandler : public XmlHandler {
public:
    void startElement(const XmlName& name, const XmlAttributes& attributes) override;
    void endElement(const XmlName& name) override;
    void characters(const char*, int) override {}

    // One flag per cell format index: non-zero when a number in that format
    // is a date. Call after the parse.
    std::vector<char> dateStyles() const;

private:
    std::unordered_map<int, bool> m_customIsDate; // numFmtId -> shows a date
    std::vector<int> m_formatIds;                 // numFmtId of each cellXfs/xf
    bool m_inFormats = false;
    bool m_inCellFormats = false;
};

// The part a relationship target names, from the part that holds the
// relationship: a target starting with "/" is taken from the package root,
// any other relative to the source part's folder ("worksheets/sheet1.xml"
// from "xl/workbook.xml" is "xl/worksheets/sheet1.xml"). Percent escapes are
// decoded and "." and ".." resolved. Empty when the target leaves the
// package.
QString resolveXlsxTarget(const QString& sourcePart, const QString& target);

// The .rels part that holds the relationships of a part:
// "xl/workbook.xml" gives "xl/_rels/workbook.xml.rels".
QString xlsxRelationshipsPart(const QString& part);

// Text with the _xHHHH_ escapes of spreadsheet strings decoded: "_x000D_"
// is a carriage return, "_x005F_" an underscore (so "_x005F_x000D_" stays
// "_x000D_" as text). Anything that is not an escape is kept.
QString decodeXlsxEscapes(const QString& text);

// The most UTF-8 bytes that a text of maxLength characters can take in a
// part: an escape such as _x000D_ takes seven bytes for one character.
inline qint64 xlsxMaxTextBytes(int maxLength) {
    return qint64(maxLength) * 7;
}
