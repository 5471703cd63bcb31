#include "export/xlsxstyles.h"

#include "export/divergingscale.h"
#include "export/textcontrast.h"
#include "export/xmltext.h"

#include <QString>
#include <QStringBuilder>

#include <algorithm>

namespace {

// Number formats the spreadsheet programs know by number; others are
// declared from 164 on.
int builtinNumberFormat(const QByteArray& code) {
    if (code.isEmpty())
        return 0;
    if (code == "0")
        return 1;
    if (code == "0.00")
        return 2;
    return -1;
}

QByteArray argb(std::uint32_t rgb) {
    return QByteArray("FF") + QByteArray::number(rgb, 16).toUpper().rightJustified(6, '0');
}

// Index of value in list, appended when missing.
template <typename T> int indexIn(std::vector<T>& list, const T& value) {
    auto found = std::find(list.begin(), list.end(), value);
    if (found == list.end())
        found = list.insert(list.end(), value);
    return int(found - list.begin());
}

} // namespace

XlsxFormat coefficientFormat(double value, const QByteArray& numberFormat) {
    const Rgb rgb = coefficientRgb(value);
    return {.whiteText = takesWhiteText(rgb),
            .numberFormat = numberFormat,
            .fill = std::uint32_t((rgb.red << 16) | (rgb.green << 8) | rgb.blue)};
}

XlsxStyles::XlsxStyles() : m_formats{XlsxFormat{}} {}

int XlsxStyles::add(const XlsxFormat& format) {
    return indexIn(m_formats, format);
}

QByteArray XlsxStyles::xml() const {
    std::vector<QByteArray> customFormats;
    std::vector<std::pair<bool, bool>> fonts{{false, false}}; // bold, white
    std::vector<std::uint32_t> fills;
    QByteArray xfs;
    for (const XlsxFormat& f : m_formats) {
        int numFmt = builtinNumberFormat(f.numberFormat);
        if (numFmt < 0)
            numFmt = 164 + indexIn(customFormats, f.numberFormat);
        const int font = indexIn(fonts, std::pair(f.bold, f.whiteText));
        const int fill = f.fill == XlsxFormat::kNoFill ? 0 : 2 + indexIn(fills, f.fill);
        xfs += QByteArray("<xf numFmtId=\"") + QByteArray::number(numFmt) + "\" fontId=\"" +
               QByteArray::number(font) + "\" fillId=\"" + QByteArray::number(fill) +
               "\" borderId=\"0\" xfId=\"0\"";
        if (numFmt)
            xfs += " applyNumberFormat=\"1\"";
        if (font)
            xfs += " applyFont=\"1\"";
        if (fill)
            xfs += " applyFill=\"1\"";
        xfs += "/>";
    }

    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                     "<styleSheet "
                     "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!customFormats.empty()) {
        xml += QByteArray("<numFmts count=\"") + QByteArray::number(customFormats.size()) + "\">";
        for (std::size_t i = 0; i < customFormats.size(); ++i)
            xml += QByteArray("<numFmt numFmtId=\"") + QByteArray::number(164 + i) +
                   "\" formatCode=\"" + xmlEscaped(QString::fromUtf8(customFormats[i])) + "\"/>";
        xml += "</numFmts>";
    }
    xml += QByteArray("<fonts count=\"") + QByteArray::number(fonts.size()) + "\">";
    for (const auto& [bold, white] : fonts) {
        xml += "<font>";
        if (bold)
            xml += "<b/>";
        xml += "<sz val=\"11\"/>";
        if (white)
            xml += "<color rgb=\"FFFFFFFF\"/>";
        xml += "<name val=\"Calibri\"/><family val=\"2\"/><scheme val=\"minor\"/></font>";
    }
    xml += QByteArray("</fonts><fills count=\"") + QByteArray::number(fills.size() + 2) +
           "\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill>";
    for (std::uint32_t rgb : fills)
        xml += QByteArray("<fill><patternFill patternType=\"solid\"><fgColor rgb=\"") + argb(rgb) +
               "\"/><bgColor indexed=\"64\"/></patternFill></fill>";
    xml +=
        QByteArray("</fills><borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/>"
                   "</border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" "
                   "fillId=\"0\" borderId=\"0\"/></cellStyleXfs><cellXfs count=\"") +
        QByteArray::number(m_formats.size()) + "\">" + xfs +
        "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
        "builtinId=\"0\"/></cellStyles></styleSheet>\n";
    return xml;
}
