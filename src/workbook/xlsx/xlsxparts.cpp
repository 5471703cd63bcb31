#include "workbook/xlsx/xlsxparts.h"

#include "shared/textdecoding.h"
#include "workbook/exceldates.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

bool is(const char* name, const char* expected) {
    return std::strcmp(name, expected) == 0;
}

// An element of SpreadsheetML with this local name.
bool isSheetElement(const XmlName& name, const char* local) {
    return name.ns == XmlNs::Spreadsheet && is(name.local, local);
}

// The value of an attribute without a namespace, as those of SpreadsheetML
// and of relationships are.
const char* plain(const XmlAttributes& attributes, const char* name) {
    return attributes.value(XmlNs::None, name);
}

QString text(const char* value) {
    return value ? utf8Text(value) : QString();
}

// The integer of an attribute value, or fallback when it is missing or not an integer.
int integer(const char* value, int fallback) {
    if (!value)
        return fallback;
    int result = 0;
    const char* end = value + std::strlen(value);
    const auto [ptr, ec] = std::from_chars(value, end, result);
    return ec == std::errc() && ptr == end ? result : fallback;
}

bool xmlTrue(const char* value) {
    return value && (is(value, "1") || is(value, "true"));
}

int hexValue(QChar ch) {
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

} // namespace

// --- relationships ---

void XlsxRelationshipsHandler::startElement(const XmlName& name, const XmlAttributes& attributes) {
    if (name.ns != XmlNs::PackageRelationships) {
        skipContent(); // foreign markup, and what it holds
        return;
    }
    if (!is(name.local, "Relationship"))
        return;
    if (std::ssize(m_relationships) >= m_maxRelationships) {
        fail(tooManyRelationshipsCause(m_partName, m_maxRelationships), true);
        return;
    }
    XlsxRelationship relationship;
    relationship.id = text(plain(attributes, "Id"));
    relationship.type = text(plain(attributes, "Type"));
    relationship.target = text(plain(attributes, "Target"));
    const char* mode = plain(attributes, "TargetMode");
    relationship.external = mode && is(mode, "External");
    if (!m_byId.contains(relationship.id)) // the first with an id keeps it
        m_byId.insert(relationship.id, m_relationships.size());
    m_relationships.push_back(std::move(relationship));
}

const XlsxRelationship* XlsxRelationshipsHandler::byKind(const QString& kind) const {
    const QString suffix = u'/' + kind;
    for (const auto& relationship : m_relationships) {
        if (!relationship.external && relationship.type.endsWith(suffix, Qt::CaseInsensitive))
            return &relationship;
    }
    return nullptr;
}

const XlsxRelationship* XlsxRelationshipsHandler::byId(const QString& id) const {
    const auto found = m_byId.constFind(id);
    return found == m_byId.cend() ? nullptr : &m_relationships[*found];
}

// --- workbook ---

void XlsxWorkbookHandler::startElement(const XmlName& name, const XmlAttributes& attributes) {
    if (m_root) {
        m_root = false;
        if (!isSheetElement(name, "workbook"))
            fail(QCoreApplication::translate("Workbook",
                                             "la parte %1 non contiene una cartella di lavoro")
                     .arg(m_partName));
        return;
    }
    if (name.ns != XmlNs::Spreadsheet) {
        skipContent(); // foreign markup, and what it holds
    } else if (is(name.local, "workbookPr")) {
        m_date1904 = xmlTrue(plain(attributes, "date1904"));
    } else if (is(name.local, "sheets")) {
        m_inSheets = true;
    } else if (m_inSheets && is(name.local, "sheet")) {
        if (std::ssize(m_sheets) >= m_maxSheets) {
            fail(tooManySheetsCause(m_maxSheets), true);
            return;
        }
        m_sheets.push_back({text(plain(attributes, "name")),
                            text(attributes.value(XmlNs::DocumentRelationships, "id"))});
    }
}

void XlsxWorkbookHandler::endElement(const XmlName& name) {
    if (isSheetElement(name, "sheets"))
        m_inSheets = false;
}

// --- shared strings ---

void XlsxSharedStringsHandler::startElement(const XmlName& name, const XmlAttributes& attributes) {
    if (name.ns != XmlNs::Spreadsheet) {
        skipContent(); // foreign markup: none of a string's text
    } else if (is(name.local, "si")) {
        m_inItem = true;
        m_text.clear();
    } else if (is(name.local, "rPh")) {
        ++m_phonetic;
    } else if (is(name.local, "t")) {
        m_inText = m_inItem && m_phonetic == 0;
    } else if (is(name.local, "sst")) {
        // Reserve for the announced count, within reason: the count is not trusted.
        const int count = integer(plain(attributes, "uniqueCount"), 0);
        m_strings.reserve(static_cast<std::size_t>(std::clamp(count, 0, 1 << 20)));
    }
}

void XlsxSharedStringsHandler::endElement(const XmlName& element) {
    if (element.ns != XmlNs::Spreadsheet)
        return;
    const char* name = element.local;
    if (is(name, "t")) {
        m_inText = false;
    } else if (is(name, "rPh")) {
        --m_phonetic;
    } else if (is(name, "si")) {
        m_inItem = false;
        if (static_cast<qint64>(m_strings.size()) >= m_limits.maxSharedStrings) {
            fail(tooManySharedStringsCause(m_limits.maxSharedStrings), true);
            return;
        }
        QString text = decodeXlsxEscapes(
            utf8Text(QByteArrayView(m_text.data(), static_cast<qsizetype>(m_text.size()))));
        if (text.size() > m_limits.maxTextLength) {
            fail(textTooLongCause(m_limits.maxTextLength), true);
            return;
        }
        m_characters += text.size();
        if (m_characters > m_limits.maxTextCharacters) {
            fail(tooMuchTextCause(m_limits.maxTextCharacters), true);
            return;
        }
        m_strings.push_back(std::move(text));
    }
}

void XlsxSharedStringsHandler::characters(const char* data, int length) {
    if (!m_inText)
        return;
    m_text.append(data, static_cast<std::size_t>(length));
    if (static_cast<qint64>(m_text.size()) > xlsxMaxTextBytes(m_limits.maxTextLength))
        fail(textTooLongCause(m_limits.maxTextLength), true);
}

// --- styles ---

void XlsxStylesHandler::startElement(const XmlName& name, const XmlAttributes& attributes) {
    if (name.ns != XmlNs::Spreadsheet) {
        skipContent(); // foreign markup, and what it holds
    } else if (is(name.local, "numFmts")) {
        m_inFormats = true;
    } else if (is(name.local, "cellXfs")) {
        m_inCellFormats = true;
    } else if (m_inFormats && is(name.local, "numFmt")) {
        const int id = integer(plain(attributes, "numFmtId"), -1);
        const char* code = plain(attributes, "formatCode");
        if (id >= 0 && code)
            m_customIsDate[id] = isDateFormatCode(QString::fromUtf8(code));
    } else if (m_inCellFormats && is(name.local, "xf")) {
        m_formatIds.push_back(integer(plain(attributes, "numFmtId"), 0));
    }
}

void XlsxStylesHandler::endElement(const XmlName& name) {
    if (isSheetElement(name, "numFmts"))
        m_inFormats = false;
    else if (isSheetElement(name, "cellXfs"))
        m_inCellFormats = false;
}

std::vector<char> XlsxStylesHandler::dateStyles() const {
    std::vector<char> dates;
    dates.reserve(m_formatIds.size());
    for (const int id : m_formatIds) {
        // A custom format may redefine a built-in number.
        const auto custom = m_customIsDate.find(id);
        dates.push_back(custom != m_customIsDate.end() ? custom->second : isBuiltinDateFormat(id));
    }
    return dates;
}

// --- names and texts ---

QString resolveXlsxTarget(const QString& sourcePart, const QString& target) {
    QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    decoded.replace(u'\\', u'/');
    QString path;
    if (decoded.startsWith(u'/')) {
        path = decoded.mid(1);
    } else {
        const qsizetype slash = sourcePart.lastIndexOf(u'/');
        path = slash < 0 ? decoded : sourcePart.left(slash + 1) + decoded;
    }
    path = QDir::cleanPath(path);
    if (path.isEmpty() || path == QStringLiteral(".") || path == QStringLiteral("..") ||
        path.startsWith(QStringLiteral("../")) || path.startsWith(u'/'))
        return QString();
    return path;
}

QString xlsxRelationshipsPart(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

QString decodeXlsxEscapes(const QString& text) {
    qsizetype at = text.indexOf(QStringLiteral("_x"));
    if (at < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (at >= 0) {
        int code = -1;
        if (at + 6 < text.size() && text.at(at + 6) == u'_') {
            code = 0;
            for (qsizetype i = at + 2; i < at + 6 && code >= 0; ++i) {
                const int digit = hexValue(text.at(i));
                code = digit < 0 ? -1 : code * 16 + digit;
            }
        }
        if (code >= 0) {
            result += QStringView(text).mid(from, at - from);
            result += QChar(static_cast<char16_t>(code));
            from = at + 7;
            at = text.indexOf(QStringLiteral("_x"), from);
        } else {
            at = text.indexOf(QStringLiteral("_x"), at + 1);
        }
    }
    result += QStringView(text).mid(from);
    return result;
}
