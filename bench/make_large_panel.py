#!/usr/bin/python3
"""Writes a large panel workbook for the AMPI benchmark: PERIODS sheets
named 2001, 2002, ... each holding UNITS units by INDICATORS indicators
(every third one of negative polarity), the units of each later sheet in
reverse order so that the loader matches them by label. The extension of
OUT chooses the format: .xlsx and .ods are written with the standard
library, .xls with xlwt (Debian python3-xlwt).

    make_large_panel.py OUT.xlsx|OUT.ods|OUT.xls [PERIODS [UNITS [INDICATORS]]]   (20 8000 50)

Many small sheets (make_large_panel.py OUT.xlsx 1000 10 3) measure what a
workbook costs per sheet.
"""
import random
import sys
import zipfile
from xml.sax.saxutils import escape

out = sys.argv[1]
periods, units, indicators = (list(map(int, sys.argv[2:5])) + [20, 8000, 50][len(sys.argv[2:5]):])
random.seed(17)
names = ["%s%d" % ("costo " if j % 3 == 2 else "Indicatore ", j + 1) for j in range(indicators)]
labels = ["Comune %05d" % (u + 1) for u in range(units)]
levels = [[random.uniform(10, 1000) for _ in range(indicators)] for _ in range(units)]


def rows(p):
    """The rows of period p, the heading row first."""
    result = [["Comune"] + names]
    order = range(units) if p % 2 == 0 else reversed(range(units))
    drift = 1 + 0.01 * p
    for u in order:
        result.append([labels[u]] + [round(levels[u][j] * drift * random.uniform(0.95, 1.05), 4)
                                     for j in range(indicators)])
    return result


def col(c):
    name = ""
    c += 1
    while c:
        c, r = divmod(c - 1, 26)
        name = chr(65 + r) + name
    return name


def xlsx_cell(ref, value):
    if isinstance(value, str):
        return '<c r="%s" t="inlineStr"><is><t>%s</t></is></c>' % (ref, escape(value))
    return '<c r="%s"><v>%.4f</v></c>' % (ref, value)


def write_xlsx():
    ns = "http://schemas.openxmlformats.org"
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="%s/package/2006/content-types">'
                   '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                   '<Default Extension="xml" ContentType="application/xml"/></Types>' % ns)
        z.writestr("_rels/.rels",
                   '<Relationships xmlns="%s/package/2006/relationships"><Relationship Id="rId1" '
                   'Type="%s/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>'
                   '</Relationships>' % (ns, ns))
        z.writestr("xl/workbook.xml",
                   '<workbook xmlns="%s/spreadsheetml/2006/main" xmlns:r="%s/officeDocument/2006/relationships">'
                   '<sheets>%s</sheets></workbook>'
                   % (ns, ns, "".join('<sheet name="%d" sheetId="%d" r:id="rId%d"/>' % (2001 + p, p + 1, p + 1)
                                      for p in range(periods))))
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<Relationships xmlns="%s/package/2006/relationships">%s</Relationships>'
                   % (ns, "".join('<Relationship Id="rId%d" Type="%s/officeDocument/2006/relationships/worksheet" '
                                  'Target="worksheets/sheet%d.xml"/>' % (p + 1, ns, p + 1) for p in range(periods))))
        for p in range(periods):
            body = "".join('<row r="%d">%s</row>' % (r, "".join(xlsx_cell(col(c) + str(r), v)
                                                                for c, v in enumerate(row)))
                           for r, row in enumerate(rows(p), start=1))
            z.writestr("xl/worksheets/sheet%d.xml" % (p + 1),
                       '<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns='
                       '"%s/spreadsheetml/2006/main"><sheetData>%s</sheetData></worksheet>' % (ns, body))


def ods_cell(value):
    if isinstance(value, str):
        return ('<table:table-cell office:value-type="string"><text:p>%s</text:p>'
                '</table:table-cell>' % escape(value))
    return ('<table:table-cell office:value-type="float" office:value="%.4f"><text:p>%.4f</text:p>'
            '</table:table-cell>' % (value, value))


def write_ods():
    mimetype = "application/vnd.oasis.opendocument.spreadsheet"
    with zipfile.ZipFile(out, "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), mimetype, zipfile.ZIP_STORED)
        z.writestr("META-INF/manifest.xml",
                   '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"'
                   ' manifest:version="1.3"><manifest:file-entry manifest:full-path="/"'
                   ' manifest:media-type="%s"/><manifest:file-entry manifest:full-path="content.xml"'
                   ' manifest:media-type="text/xml"/></manifest:manifest>' % mimetype,
                   zipfile.ZIP_DEFLATED)
        info = zipfile.ZipInfo("content.xml")
        info.compress_type = zipfile.ZIP_DEFLATED
        with z.open(info, "w") as content:
            content.write(('<?xml version="1.0" encoding="UTF-8"?><office:document-content'
                           ' xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
                           ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
                           ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.3">'
                           '<office:body><office:spreadsheet>').encode())
            for p in range(periods):
                body = "".join("<table:table-row>%s</table:table-row>" % "".join(map(ods_cell, row))
                               for row in rows(p))
                content.write(('<table:table table:name="%d">%s</table:table>' % (2001 + p, body)).encode())
            content.write(b"</office:spreadsheet></office:body></office:document-content>")


def write_xls():
    import xlwt

    book = xlwt.Workbook(encoding="utf-8")
    for p in range(periods):
        sheet = book.add_sheet(str(2001 + p))
        for r, row in enumerate(rows(p)):
            for c, value in enumerate(row):
                sheet.write(r, c, value)
    book.save(out)


{"xlsx": write_xlsx, "ods": write_ods, "xls": write_xls}[out.rsplit(".", 1)[-1].lower()]()
