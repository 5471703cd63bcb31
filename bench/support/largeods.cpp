#include "largeods.h"

#include "largematrix.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <charconv>
#include <string>

namespace {

bool writeEntry(QuaZip& zip, const QString& name, const std::string& content, int method) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, method))
        return false;
    const bool ok = file.write(content.data(), static_cast<qint64>(content.size())) ==
                    static_cast<qint64>(content.size());
    file.close();
    return ok && file.getZipError() == 0;
}

const char* const kManifest =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.3">)"
    R"(<manifest:file-entry manifest:full-path="/" manifest:version="1.3" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>)"
    R"(<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>)"
    R"(</manifest:manifest>)";

const char* const kContentHead =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
    R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" )"
    R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" )"
    R"(xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0" )"
    R"(office:version="1.3"><office:body><office:spreadsheet>)"
    R"(<table:table table:name="Dati" table:style-name="ta1">)";

void stringCell(std::string& xml, const std::string& text) {
    xml += R"(<table:table-cell office:value-type="string" calcext:value-type="string"><text:p>)";
    xml += text;
    xml += "</text:p></table:table-cell>";
}

} // namespace

bool writeLargeOds(const QString& path, int rows, int cols, bool trailingRuns) {
    constexpr int kLastRow = 1048576;
    constexpr int kLastColumn = 16384;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = writeEntry(zip, QStringLiteral("mimetype"),
                         "application/vnd.oasis.opendocument.spreadsheet", 0) &&
              writeEntry(zip, QStringLiteral("META-INF/manifest.xml"), kManifest, Z_DEFLATED);
    QuaZipFile content(&zip);
    ok = ok && content.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("content.xml")));
    if (!ok) {
        zip.close();
        return false;
    }
    const std::string restOfRow = trailingRuns
                                      ? R"(<table:table-cell table:number-columns-repeated=")" +
                                            std::to_string(kLastColumn - cols - 1) + R"("/>)"
                                      : std::string();
    std::string xml = kContentHead;
    xml += R"(<table:table-column table:style-name="co1" table:number-columns-repeated=")" +
           std::to_string(trailingRuns ? kLastColumn : cols + 1) +
           R"(" table:default-cell-style-name="Default"/>)";
    xml += R"(<table:table-row table:style-name="ro1">)";
    stringCell(xml, "Unità");
    for (int c = 1; c <= cols; ++c)
        stringCell(xml, "Ind" + std::to_string(c));
    xml += restOfRow + "</table:table-row>";
    LargeMatrixValues values;
    char number[32];
    char shown[32];
    for (int r = 1; r <= rows && ok; ++r) {
        xml += R"(<table:table-row table:style-name="ro1">)";
        stringCell(xml, "Unità " + std::to_string(r));
        for (int c = 1; c <= cols; ++c) {
            const double value = values.next();
            const auto end = std::to_chars(number, number + sizeof number, value);
            // The text shown: the general format's ten significant digits.
            const auto shownEnd =
                std::to_chars(shown, shown + sizeof shown, value, std::chars_format::general, 10);
            xml += R"(<table:table-cell office:value-type="float" office:value=")";
            xml.append(number, end.ptr);
            xml += R"(" calcext:value-type="float"><text:p>)";
            xml.append(shown, shownEnd.ptr);
            xml += "</text:p></table:table-cell>";
        }
        xml += restOfRow + "</table:table-row>";
        if (xml.size() > (1 << 20)) {
            ok = content.write(xml.data(), static_cast<qint64>(xml.size())) ==
                 static_cast<qint64>(xml.size());
            xml.clear();
        }
    }
    if (trailingRuns) {
        xml += R"(<table:table-row table:style-name="ro1" table:number-rows-repeated=")" +
               std::to_string(kLastRow - rows - 2) +
               R"("><table:table-cell table:number-columns-repeated="16384"/></table:table-row>)"
               R"(<table:table-row table:style-name="ro1"><table:table-cell )"
               R"(table:number-columns-repeated="16384"/></table:table-row>)";
    }
    xml += "</table:table><table:named-expressions/></office:spreadsheet></office:body>"
           "</office:document-content>";
    ok = ok && content.write(xml.data(), static_cast<qint64>(xml.size())) ==
                   static_cast<qint64>(xml.size());
    content.close();
    ok = ok && content.getZipError() == 0;
    zip.close();
    return ok && zip.getZipError() == 0;
}
