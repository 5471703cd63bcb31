#!/usr/bin/env python3
"""Independent check of Orvalta's nine methods on the sample workbook.

Recomputes every method from the data of examples/make_examples.py with the
textbook formulas (population statistics, polarity by the case of the first
letter of the indicator name, ranks with the later of tied units first) and
compares index values and ranks with the result files that orvalta-batch run
wrote beside a copy of the workbook.

Usage: check_methods.py WORKBOOK_COPY [it|c]
Only the Python standard library is used.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "examples"))
from make_examples import HEADER, ROWS  # noqa: E402

METHODS = [
    ("MPI+", "MPI+", False), ("MPI-", "MPI-", False), ("WROC", "Wroclaw", True),
    ("M1VZ", "M1Z", False), ("GRAD", "Grad.RNK", True), ("INRE", "IR", False),
    ("M1NI", "ANIM", False), ("M0NI", "GNIM", False), ("M2NI", "QNIM", False),
]


def negative(name):
    return name[0] != name[0].upper()


def columns():
    data = [list(row[1:]) for row in ROWS]
    return [[row[c] for row in data] for c in range(len(HEADER) - 1)]


def mean(xs):
    return sum(xs) / len(xs)


def sd(xs):
    m = mean(xs)
    return math.sqrt(sum((x - m) ** 2 for x in xs) / len(xs))


def zscores():
    return [[(x - mean(col)) / sd(col) for x in col] for col in columns()]


def by_unit(cols):
    return [list(unit) for unit in zip(*cols)]


def mpi(sign):
    rescaled = []
    for name, z in zip(HEADER[1:], zscores()):
        rescaled.append([100 - 10 * v if negative(name) else 100 + 10 * v for v in z])
    out = []
    for unit in by_unit(rescaled):
        m, s = mean(unit), sd(unit)
        out.append(m + sign * s * (s / m))
    return out


def wroclaw():
    z = zscores()
    ideal = [min(col) if negative(name) else max(col) for name, col in zip(HEADER[1:], z)]
    dist = [math.sqrt(sum((v - b) ** 2 for v, b in zip(unit, ideal))) for unit in by_unit(z)]
    return [d / (mean(dist) + 2 * sd(dist)) for d in dist]


def mean_z():
    z = zscores()
    signed = [[-v for v in col] if negative(name) else col for name, col in zip(HEADER[1:], z)]
    return [mean(unit) for unit in by_unit(signed)]


def ranks(values, ascending):
    order = sorted(range(len(values)), key=lambda i: (values[i] if ascending else -values[i], -i))
    result = [0] * len(values)
    for rank, i in enumerate(order, start=1):
        result[i] = rank
    return result


def rankings():
    per_indicator = [ranks(col, negative(name)) for name, col in zip(HEADER[1:], columns())]
    n_rows, n_cols = len(ROWS) + 1, len(HEADER)
    return [(sum(unit) - n_cols) / (n_cols * n_rows - 1) for unit in by_unit(per_indicator)]


def relative():
    rel = []
    for name, col in zip(HEADER[1:], columns()):
        lo, hi = min(col), max(col)
        q = [(x - lo) / (hi - lo) for x in col]
        rel.append([1 - v for v in q] if negative(name) else q)
    return [mean(unit) for unit in by_unit(rel)]


def index_numbers():
    out = []
    for name, col in zip(HEADER[1:], columns()):
        m = mean(col)
        out.append([m / x for x in col] if negative(name) else [x / m for x in col])
    return by_unit(out)


def anim():
    return [mean(u) for u in index_numbers()]


def gnim():
    return [math.prod(u) ** (1 / len(u)) for u in index_numbers()]


def qnim():
    return [math.sqrt(mean([v * v for v in u])) for u in index_numbers()]


COMPUTE = {
    "MPI+": lambda: mpi(+1), "MPI-": lambda: mpi(-1), "WROC": wroclaw, "M1VZ": mean_z,
    "GRAD": rankings, "INRE": relative, "M1NI": anim, "M0NI": gnim, "M2NI": qnim,
}


def index_text(value, style):
    text = "{:,.4f}".format(value)
    if text.lstrip("-").replace(",", "").replace(".", "").strip("0") == "":
        text = text.lstrip("-")
    if style == "it":
        text = text.replace(",", "\0").replace(".", ",").replace("\0", ".")
    return text


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    assert not data.startswith(b"\xef\xbb\xbf"), path + ": byte-order mark"
    assert data.endswith(b"\r\n"), path + ": last line without CR LF"
    lines = data.decode("utf-8").split("\r\n")[:-1]
    return [line.rsplit(";", 1) for line in lines]


def main():
    workbook, style = sys.argv[1], (sys.argv[2] if len(sys.argv) > 2 else "it")
    failures = 0
    for code, header, ascending in METHODS:
        values = COMPUTE[code]()
        texts = [index_text(v, style) for v in values]
        # Units tie when their four-decimal texts agree.
        keys = [float(t.replace(".", "").replace(",", ".")) if style == "it"
                else float(t.replace(",", "")) for t in texts]
        expected_ranks = ranks(keys, ascending)
        got_values = read_lines(workbook + ".out" + code + ".csv")
        got_ranks = read_lines(workbook + ".out" + code + ".rnk")
        expected_v = [[HEADER[0], header]] + [[r[0], t] for r, t in zip(ROWS, texts)]
        expected_r = [[HEADER[0], header]] + [[r[0], str(k)] for r, k in zip(ROWS, expected_ranks)]
        for kind, got, want in (("valori", got_values, expected_v), ("ranghi", got_ranks, expected_r)):
            if got != want:
                failures += 1
                print("%s %s: differ" % (code, kind))
                for g, w in zip(got, want):
                    if g != w:
                        print("   got %s, expected %s" % (g, w))
        print("%s: %d unita' verificate" % (code, len(ROWS)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
