#!/usr/bin/python3
"""Writes a benchmark matrix and a large structure beside it:
    make_large_structure.py OUT.csv INDICATORS LEVELS [UNITS]
OUT.csv holds UNITS units (20 by default) by INDICATORS indicators (at most
16383, a sheet's columns); OUT.csv.struttura.csv puts each indicator at the
bottom of its own chain of LEVELS - 1 groups under one overall group, so
that the structure has INDICATORS * LEVELS + 1 elements, LEVELS + 1 deep.
With LEVELS above 99 it is refused for its depth. The figures follow a fixed
rule, so every run writes the same files.
"""
import sys


def main():
    path = sys.argv[1]
    indicators = int(sys.argv[2])
    levels = int(sys.argv[3])
    units = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    with open(path, "w", encoding="utf-8") as out:
        out.write(";".join(["Unita"] + ["I%d" % j for j in range(indicators)]) + "\n")
        for i in range(units):
            values = [str((i * 7919 + j * 104729) % 1000 + 1) for j in range(indicators)]
            out.write(";".join(["U%d" % i] + values) + "\n")
    with open(path + ".struttura.csv", "w", encoding="utf-8") as out:
        out.write("Elemento;Padre;Peso\n")
        for j in range(indicators):
            chain = ["I%d" % j] + ["G%d_%d" % (j, g) for g in range(1, levels)] + ["Tutto"]
            for child, parent in zip(chain, chain[1:]):
                out.write("%s;%s;%d\n" % (child, parent, 1 + j % 3))


if __name__ == "__main__":
    main()
