#!/usr/bin/env python3
"""Independent check of the cograduation matrix printed by orvalta-batch compare.

Reads the ranks result files of the compared methods beside WORKBOOK_COPY,
computes the correlation of every pair of rankings as Pearson's coefficient
of the ranks (equal to Spearman's for rankings without ties), and compares it
with the matrix read from stdin (one line per row, cells joined by ";").

Usage: orvalta-batch compare WORKBOOK --all | check_comparison.py WORKBOOK [it|c]
"""
import math
import os
import sys
from decimal import ROUND_HALF_EVEN, Decimal
from fractions import Fraction


def ranks_of(path):
    with open(path, encoding="utf-8", newline="") as f:
        lines = f.read().split("\r\n")[:-1]
    header = lines[0].rsplit(";", 1)[1]
    return header, [int(line.rsplit(";", 1)[1]) for line in lines[1:]]


def pearson(a, b):
    n = len(a)
    ma, mb = Fraction(sum(a), n), Fraction(sum(b), n)
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va = sum((x - ma) ** 2 for x in a)
    vb = sum((y - mb) ** 2 for y in b)
    # Both rankings are permutations of 1..n, so va == vb and the root is exact.
    assert va == vb
    return cov / va


def text(value, style):
    rounded = Decimal(value.numerator) / Decimal(value.denominator)
    t = str(rounded.quantize(Decimal("0.0001"), rounding=ROUND_HALF_EVEN))
    if t.startswith("-") and t.strip("-0.") == "":
        t = t[1:]
    return t.replace(".", ",") if style == "it" else t


def main():
    workbook, style = sys.argv[1], (sys.argv[2] if len(sys.argv) > 2 else "it")
    grid = [line.rstrip("\n").split(";") for line in sys.stdin if line.strip()]
    headers = grid[0][1:]
    folder, name = os.path.split(workbook)
    by_header = {}
    for entry in os.listdir(folder):
        if entry.startswith(name + ".out") and entry.endswith(".rnk"):
            header, ranks = ranks_of(os.path.join(folder, entry))
            by_header[header] = ranks
    failures = 0
    for j, row_header in enumerate(headers, start=1):
        if grid[j][0] != row_header:
            failures += 1
            print("riga %d: intestazione %s invece di %s" % (j, grid[j][0], row_header))
        for k, col_header in enumerate(headers, start=1):
            if k > j:
                expected = ""
            elif k == j:
                expected = "1,0000" if style == "it" else "1.0000"
            else:
                expected = text(pearson(by_header[row_header], by_header[col_header]), style)
            if grid[j][k] != expected:
                failures += 1
                print("(%s, %s): %s invece di %s" % (row_header, col_header, grid[j][k], expected))
    print("%d coppie di metodi verificate" % (len(headers) * (len(headers) - 1) // 2))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
