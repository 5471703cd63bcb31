#!/usr/bin/python3
"""Writes a large panel workbook for the AMPI benchmark (standard library
only): PERIODS sheets named 2001, 2002, ... each holding UNITS units by
INDICATORS indicators (every third one of negative polarity), the units of
each later sheet in reverse order so that the loader matches them by label.

    make_large_panel.py OUT.xlsx [PERIODS [UNITS [INDICATORS]]]   (20 8000 50)
"""
import random
import sys
import zipfile

out = sys.argv[1]
periods, units, indicators = (list(map(int, sys.argv[2:5])) + [20, 8000, 50][len(sys.argv[2:5]):])
random.seed(17)
names = ["%s%d" % ("costo " if j % 3 == 2 else "Indicatore ", j + 1) for j in range(indicators)]
labels = ["Comune %05d" % (u + 1) for u in range(units)]
levels = [[random.uniform(10, 1000) for _ in range(indicators)] for _ in range(units)]


def col(c):
    name = ""
    c += 1
    while c:
        c, r = divmod(c - 1, 26)
        name = chr(65 + r) + name
    return name


def text(ref, value):
    return '<c r="%s" t="inlineStr"><is><t>%s</t></is></c>' % (ref, value)


def sheet(p):
    rows = ['<row r="1">' + text("A1", "Comune") +
            "".join(text(col(j + 1) + "1", n) for j, n in enumerate(names)) + "</row>"]
    order = range(units) if p % 2 == 0 else reversed(range(units))
    for r, u in enumerate(order, start=2):
        cells = [text("A%d" % r, labels[u])]
        drift = 1 + 0.01 * p
        for j in range(indicators):
            cells.append('<c r="%s%d"><v>%.4f</v></c>'
                         % (col(j + 1), r, levels[u][j] * drift * random.uniform(0.95, 1.05)))
        rows.append('<row r="%d">%s</row>' % (r, "".join(cells)))
    return ('<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns='
            '"http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>%s'
            '</sheetData></worksheet>' % "".join(rows))


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
        z.writestr("xl/worksheets/sheet%d.xml" % (p + 1), sheet(p))
