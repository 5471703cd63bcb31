#!/usr/bin/python3
"""Writes a benchmark matrix with gaps for the treatments of missing values:
    make_gappy_matrix.py OUT.xlsx [UNITS [INDICATORS [SHARE]]]
(20000 x 100 by default, SHARE = 0.05 of the cells left empty at random).
A header row "Unita", "Ind1", ..., a label column "Unita 1", ..., figures
drawn uniformly from 0 to 1000; the seed is fixed, so every run writes the
same file. Needs the Debian package python3-openpyxl.
"""
import random
import sys

import openpyxl


def main():
    path = sys.argv[1]
    units = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
    indicators = int(sys.argv[3]) if len(sys.argv) > 3 else 100
    share = float(sys.argv[4]) if len(sys.argv) > 4 else 0.05
    rng = random.Random(20261209)
    book = openpyxl.Workbook(write_only=True)
    sheet = book.create_sheet("Matrice")
    sheet.append(["Unita"] + ["Ind%d" % (j + 1) for j in range(indicators)])
    for i in range(units):
        row = ["Unita %d" % (i + 1)]
        for _ in range(indicators):
            value = rng.uniform(0.0, 1000.0)
            row.append(None if rng.random() < share else value)
        sheet.append(row)
    book.save(path)


if __name__ == "__main__":
    main()
