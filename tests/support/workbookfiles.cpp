#include "support/workbookfiles.h"

#include "export/zipstreamwriter.h"

namespace {

const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

} // namespace

bool writeZipParts(const QString& path, const std::vector<NamedBytes>& parts) {
    ZipStreamWriter zip(path);
    for (const auto& [name, bytes] : parts) {
        zip.beginEntry(name);
        zip.write(bytes);
    }
    return bool(zip.finish());
}

bool writeXlsxSheets(const QString& path, const std::vector<NamedBytes>& sheets,
                     const QByteArray& sharedStrings) {
    QByteArray list;
    QByteArray relationships;
    std::vector<NamedBytes> parts{
        {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                        "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                            kRelationships +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                            "</Relationships>"}};
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(qulonglong(i + 1));
        list += "<sheet name=\"" + sheets[i].first.toUtf8() + "\" sheetId=\"" + n +
                "\" r:id=\"rId" + n + "\"/>";
        relationships += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRelationships +
                         "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts.push_back({QString::fromLatin1("xl/worksheets/sheet" + n + ".xml"),
                         "<worksheet xmlns=\"" + kMain + "\"><sheetData>" + sheets[i].second +
                             "</sheetData></worksheet>"});
    }
    parts.push_back({"xl/workbook.xml", "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" +
                                            kRelationships + "\"><sheets>" + list +
                                            "</sheets></workbook>"});
    parts.push_back({"xl/_rels/workbook.xml.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "relationships\">" +
                         relationships + "</Relationships>"});
    if (!sharedStrings.isEmpty())
        parts.push_back(
            {"xl/sharedStrings.xml", "<sst xmlns=\"" + kMain + "\">" + sharedStrings + "</sst>"});
    return writeZipParts(path, parts);
}

bool writeOdsTables(const QString& path, const std::vector<NamedBytes>& tables) {
    QByteArray body;
    for (const auto& [name, rows] : tables)
        body += "<table:table table:name=\"" + name.toUtf8() + "\">" + rows + "</table:table>";
    return writeZipParts(
        path, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
               {"content.xml",
                "<office:document-content "
                "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
                "<office:spreadsheet>" +
                    body + "</office:spreadsheet></office:body></office:document-content>"}});
}
