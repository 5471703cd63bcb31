#!/usr/bin/python3
"""Writes small workbooks whose workbook-level parts list millions of
entries, for measuring what the readers spend on them before they refuse
(standard library only):

    make_workbook_bombs.py FOLDER [COUNT]

- sheets.xlsx: a workbook part listing COUNT sheets (9,800,000 by default),
  all leading to one small worksheet;
- relationships.xlsx: a workbook whose relationships part lists COUNT
  relationships (6,200,000 by default) after the one of its single sheet;
- tables.ods: a content part with one small table and COUNT empty tables
  after it (8,500,000 by default).

Each inflates to a couple of hundred megabytes, within the size a part may
have, from well under a megabyte of archive. Then, for example:
    /usr/bin/time -v build/batch/orvalta-batch check FOLDER/sheets.xlsx
    /usr/bin/time -v build/batch/orvalta-batch ampi FOLDER/tables.ods
"""
import os
import sys
import zipfile

folder = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else None
NS = "http://schemas.openxmlformats.org"
CHUNK = 100000


def repeated(stream, text, n):
    """Writes text n times, in chunks."""
    block = (text * CHUNK).encode()
    for _ in range(n // CHUNK):
        stream.write(block)
    stream.write((text * (n % CHUNK)).encode())


def deflated(z, name):
    info = zipfile.ZipInfo(name)
    info.compress_type = zipfile.ZIP_DEFLATED
    return z.open(info, "w")


SHEET = ('<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s/spreadsheetml/2006/main"><sheetData>'
         '<row r="1"><c r="A1" t="inlineStr"><is><t>Unità</t></is></c><c r="B1" t="inlineStr"><is><t>X</t></is></c>'
         '<c r="C1" t="inlineStr"><is><t>Y</t></is></c></row>'
         '<row r="2"><c r="A2" t="inlineStr"><is><t>a</t></is></c><c r="B2"><v>1</v></c><c r="C2"><v>4</v></c></row>'
         '<row r="3"><c r="A3" t="inlineStr"><is><t>b</t></is></c><c r="B3"><v>2</v></c><c r="C3"><v>3</v></c></row>'
         '</sheetData></worksheet>' % NS)
SHEET_RELATIONSHIP = ('<Relationship Id="rId1" Type="%s/officeDocument/2006/relationships/worksheet" '
                      'Target="worksheets/sheet1.xml"/>' % NS)


def xlsx(path, sheets, relationships):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("_rels/.rels",
                   '<Relationships xmlns="%s/package/2006/relationships"><Relationship Id="rId1" '
                   'Type="%s/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>'
                   '</Relationships>' % (NS, NS))
        with deflated(z, "xl/workbook.xml") as part:
            part.write(('<workbook xmlns="%s/spreadsheetml/2006/main" xmlns:r="%s/officeDocument/2006/'
                        'relationships"><sheets>' % (NS, NS)).encode())
            repeated(part, '<sheet name="s" r:id="rId1"/>', sheets)
            part.write(b"</sheets></workbook>")
        with deflated(z, "xl/_rels/workbook.xml.rels") as part:
            part.write(('<Relationships xmlns="%s/package/2006/relationships">%s'
                        % (NS, SHEET_RELATIONSHIP)).encode())
            repeated(part, '<Relationship Id="x" Type="t" Target="t"/>', relationships)
            part.write(b"</Relationships>")
        z.writestr("xl/worksheets/sheet1.xml", SHEET)


def ods(path, tables):
    mimetype = "application/vnd.oasis.opendocument.spreadsheet"
    row = lambda *cells: "<table:table-row>%s</table:table-row>" % "".join(cells)
    text = lambda t: '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % t
    number = lambda v: '<table:table-cell office:value-type="float" office:value="%d"/>' % v
    with zipfile.ZipFile(path, "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), mimetype, zipfile.ZIP_STORED)
        with deflated(z, "content.xml") as part:
            part.write(('<?xml version="1.0" encoding="UTF-8"?><office:document-content'
                        ' xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
                        ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
                        ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body>'
                        '<office:spreadsheet><table:table table:name="p">%s</table:table>'
                        % (row(text("Unità"), text("X"), text("Y")) + row(text("a"), number(1), number(4)) +
                           row(text("b"), number(2), number(3)))).encode())
            repeated(part, "<table:table/>", tables)
            part.write(b"</office:spreadsheet></office:body></office:document-content>")


os.makedirs(folder, exist_ok=True)
xlsx(os.path.join(folder, "sheets.xlsx"), count or 9800000, 0)
xlsx(os.path.join(folder, "relationships.xlsx"), 1, count or 6200000)
ods(os.path.join(folder, "tables.ods"), count or 8500000)
