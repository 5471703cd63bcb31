#!/usr/bin/python3
"""Writes the sample panel workbooks regioni_periodi.xlsx (openpyxl),
regioni_periodi.xls (xlwt) and regioni_periodi.ods (standard library): the
twenty regions of make_examples.py over five years, 2019 to 2023, one sheet
per year with the same eight indicators.

The 2019 sheet holds the figures of regioni.xlsx; later years move them by
plausible trends (a dip in 2020, a recovery after) with a small deterministic
wobble per region. The 2021 sheet lists the regions in alphabetical order:
units are matched by label, not by position. Not official statistics.

Needs the Debian packages python3-openpyxl and python3-xlwt.
"""
import os
import zipfile
from xml.sax.saxutils import escape

from make_examples import HEADER, ROWS

YEARS = [2019, 2020, 2021, 2022, 2023]

# Per indicator, the change of each year after 2019 (added, or a factor for
# the income), before the wobble.
TRENDS = [
    ("factor", [1.0, 0.92, 0.98, 1.03, 1.06]),  # PIL pro capite
    ("add", [0.0, -1.2, -0.4, 0.9, 1.6]),      # occupazione
    ("add", [0.0, 2.5, 1.0, -1.8, -3.4]),      # disoccupazione giovanile
    ("add", [0.0, -1.1, -0.6, -0.2, 0.2]),     # speranza di vita
    ("add", [0.0, -0.3, -0.6, -1.0, -1.4]),    # abbandono scolastico
    ("add", [0.0, 0.6, 1.3, 1.9, 2.6]),        # laureati
    ("add", [0.0, 1.4, 0.9, 0.6, 0.3]),        # povertà relativa
    ("add", [0.0, -1.5, -0.7, -0.3, -0.2]),    # emigrazione ospedaliera
]


def wobble(region, indicator, year):
    """A small fixed deviation, -0.5..0.5, the same on every run."""
    seed = (region * 31 + indicator * 17 + year * 7) % 101
    return (seed - 50) / 100.0


def sheets():
    """(year, rows) for each year; rows without the header."""
    result = []
    for y, year in enumerate(YEARS):
        rows = []
        for r, row in enumerate(ROWS):
            values = []
            for j, base in enumerate(row[1:]):
                kind, steps = TRENDS[j]
                if y == 0:
                    value = base
                elif kind == "factor":
                    value = base * steps[y] * (1 + wobble(r, j, year) / 25)
                else:
                    value = base + steps[y] + wobble(r, j, year) * abs(steps[y])
                values.append(round(value, 1))
            rows.append((row[0], *values))
        if year == 2021:
            rows.sort(key=lambda row: row[0])
        result.append((str(year), rows))
    return result


def write_xlsx(path):
    import openpyxl

    book = openpyxl.Workbook()
    book.remove(book.active)
    for name, rows in sheets():
        sheet = book.create_sheet(name)
        sheet.append(HEADER)
        for row in rows:
            sheet.append(list(row))
    book.save(path)


def write_xls(path):
    import xlwt

    book = xlwt.Workbook(encoding="utf-8")
    for name, rows in sheets():
        sheet = book.add_sheet(name)
        for c, text in enumerate(HEADER):
            sheet.write(0, c, text)
        for r, row in enumerate(rows, start=1):
            for c, value in enumerate(row):
                sheet.write(r, c, value)
    book.save(path)


def ods_cell(value):
    if isinstance(value, str):
        return ('<table:table-cell office:value-type="string"><text:p>%s</text:p>'
                '</table:table-cell>' % escape(value))
    return ('<table:table-cell office:value-type="float" office:value="%r"><text:p>%s</text:p>'
            '</table:table-cell>' % (value, value))


def write_ods(path):
    mimetype = "application/vnd.oasis.opendocument.spreadsheet"
    tables = []
    for name, rows in sheets():
        lines = [HEADER] + [list(row) for row in rows]
        body = "".join("<table:table-row>%s</table:table-row>" % "".join(map(ods_cell, line))
                       for line in lines)
        tables.append('<table:table table:name="%s">%s</table:table>' % (escape(name), body))
    content = ('<?xml version="1.0" encoding="UTF-8"?><office:document-content'
               ' xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
               ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
               ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.3">'
               '<office:body><office:spreadsheet>%s</office:spreadsheet></office:body>'
               '</office:document-content>' % "".join(tables))
    manifest = ('<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"'
                ' manifest:version="1.3"><manifest:file-entry manifest:full-path="/"'
                ' manifest:media-type="%s"/><manifest:file-entry manifest:full-path="content.xml"'
                ' manifest:media-type="text/xml"/></manifest:manifest>' % mimetype)
    with zipfile.ZipFile(path, "w") as archive:
        archive.writestr(zipfile.ZipInfo("mimetype"), mimetype, zipfile.ZIP_STORED)
        archive.writestr("META-INF/manifest.xml", manifest, zipfile.ZIP_DEFLATED)
        archive.writestr("content.xml", content, zipfile.ZIP_DEFLATED)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_xlsx(os.path.join(here, "regioni_periodi.xlsx"))
    write_xls(os.path.join(here, "regioni_periodi.xls"))
    write_ods(os.path.join(here, "regioni_periodi.ods"))
