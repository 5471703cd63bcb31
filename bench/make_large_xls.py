#!/usr/bin/python3
"""Writes a large .xls source matrix for the load benchmark: 60,000 units by
50 indicators (xlwt writes at most 65,536 rows), labels in the shared-string
table, data values with six decimals, so most of them are NUMBER records and
the rest RK. Deterministic: the same file every time.

Needs the Debian package python3-xlwt.
    /usr/bin/python3 bench/make_large_xls.py OUTPUT.xls [UNITS [INDICATORS]]
"""
import random
import sys

import xlwt


def main():
    path = sys.argv[1]
    units = int(sys.argv[2]) if len(sys.argv) > 2 else 60000
    indicators = int(sys.argv[3]) if len(sys.argv) > 3 else 50
    rng = random.Random(20240229)
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Matrice")
    sheet.write(0, 0, "Unità")
    for c in range(1, indicators + 1):
        # Every third indicator has negative polarity (lower-case name).
        name = "indicatore %02d" % c if c % 3 == 0 else "Indicatore %02d" % c
        sheet.write(0, c, name)
    for r in range(1, units + 1):
        row = sheet.row(r)
        row.write(0, "Unità statistica %05d" % r)
        for c in range(1, indicators + 1):
            row.write(c, round(rng.uniform(1.0, 1000.0), 6))
        if r % 1000 == 0:
            sheet.flush_row_data()
    book.save(path)


if __name__ == "__main__":
    main()
