#include "largexlsx.h"

#include "largematrix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <charconv>
#include <string>

namespace {

bool writeEntry(QuaZip& zip, const QString& name, const std::string& content) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
        return false;
    const bool ok = file.write(content.data(), static_cast<qint64>(content.size())) ==
                    static_cast<qint64>(content.size());
    file.close();
    return ok && file.getZipError() == 0;
}

std::string columnName(int col) {
    std::string name;
    while (col > 0) {
        name.insert(name.begin(), static_cast<char>('A' + (col - 1) % 26));
        col = (col - 1) / 26;
    }
    return name;
}

const char* const kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)"
    R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
    R"(</Types>)";

const char* const kRootRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";

const char* const kWorkbook =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="Dati" sheetId="1" r:id="rId1"/></sheets></workbook>)";

const char* const kWorkbookRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
    R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

const char* const kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>)"
    R"(</styleSheet>)";

} // namespace

bool writeLargeXlsx(const QString& path, int rows, int cols) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = writeEntry(zip, QStringLiteral("[Content_Types].xml"), kContentTypes) &&
              writeEntry(zip, QStringLiteral("_rels/.rels"), kRootRels) &&
              writeEntry(zip, QStringLiteral("xl/workbook.xml"), kWorkbook) &&
              writeEntry(zip, QStringLiteral("xl/_rels/workbook.xml.rels"), kWorkbookRels) &&
              writeEntry(zip, QStringLiteral("xl/styles.xml"), kStyles);

    // Shared strings: the corner label, the indicator names, the unit labels.
    const int strings = 1 + cols + rows;
    std::string sst = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                      R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
                      R"(count=")" +
                      std::to_string(strings) + R"(" uniqueCount=")" + std::to_string(strings) +
                      R"(">)";
    sst += "<si><t>Unità</t></si>";
    for (int c = 1; c <= cols; ++c)
        sst += "<si><t>Ind" + std::to_string(c) + "</t></si>";
    for (int r = 1; r <= rows; ++r)
        sst += "<si><t>Unità " + std::to_string(r) + "</t></si>";
    sst += "</sst>";
    ok = ok && writeEntry(zip, QStringLiteral("xl/sharedStrings.xml"), sst);

    QuaZipFile sheet(&zip);
    ok = ok && sheet.open(QIODevice::WriteOnly,
                          QuaZipNewInfo(QStringLiteral("xl/worksheets/sheet1.xml")));
    if (ok) {
        std::string xml =
            R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
            R"(<sheetData>)";
        std::vector<std::string> columns;
        for (int c = 1; c <= cols + 1; ++c)
            columns.push_back(columnName(c));
        LargeMatrixValues values;
        char number[32];
        for (int r = 1; r <= rows + 1 && ok; ++r) {
            const std::string row = std::to_string(r);
            xml += "<row r=\"" + row + "\">";
            for (int c = 1; c <= cols + 1; ++c) {
                xml += "<c r=\"" + columns[static_cast<std::size_t>(c - 1)] + row + "\"";
                if (r == 1 || c == 1) {
                    const int index = r == 1 ? c - 1 : cols + r - 1;
                    xml += " t=\"s\"><v>" + std::to_string(index) + "</v></c>";
                } else {
                    const auto end = std::to_chars(number, number + sizeof number, values.next());
                    xml += "><v>";
                    xml.append(number, end.ptr);
                    xml += "</v></c>";
                }
            }
            xml += "</row>";
            if (xml.size() > (1 << 20)) {
                ok = sheet.write(xml.data(), static_cast<qint64>(xml.size())) ==
                     static_cast<qint64>(xml.size());
                xml.clear();
            }
        }
        xml += "</sheetData></worksheet>";
        ok = ok && sheet.write(xml.data(), static_cast<qint64>(xml.size())) ==
                       static_cast<qint64>(xml.size());
        sheet.close();
        ok = ok && sheet.getZipError() == 0;
    }
    zip.close();
    return ok && zip.getZipError() == 0;
}

QString largeXlsx(int rows, int cols) {
    const QString path =
        QDir::temp().filePath(QStringLiteral("orvalta_bench_%1x%2.xlsx").arg(rows).arg(cols));
    if (QFileInfo::exists(path))
        return path;
    // Written under another name first, so that an interrupted run leaves no
    // half-written workbook behind for the next one.
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    if (!writeLargeXlsx(partial, rows, cols) || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return QString();
    }
    return path;
}
