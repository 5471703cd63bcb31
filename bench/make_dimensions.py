#!/usr/bin/python3
"""Writes a benchmark matrix in dimensions, with its structure and composites:
    make_dimensions.py OUT.csv [UNITS [INDICATORS [DIMENSIONS]]]
OUT.csv holds UNITS units (20,000 by default) by INDICATORS indicators (100),
every fifth of negative polarity (a lower-case name), with positive values; OUT.csv.struttura.csv
spreads the indicators evenly over DIMENSIONS weighted dimensions (10) under
the overall index; OUT.csv.metodi.csv defines the composite JRC (minmax, mean,
upward). The figures follow a fixed rule, so every run writes the same files.
"""
import sys


def main():
    path = sys.argv[1]
    units = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
    indicators = int(sys.argv[3]) if len(sys.argv) > 3 else 100
    dimensions = int(sys.argv[4]) if len(sys.argv) > 4 else 10
    names = [("i%d" if j % 5 == 4 else "I%d") % j for j in range(indicators)]
    state = 12345
    with open(path, "w", encoding="utf-8") as out:
        out.write(";".join(["Unita"] + names) + "\n")
        for i in range(units):
            values = []
            for j in range(indicators):
                state = (state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
                values.append("%.3f" % (1 + (state >> 33) % 100000 / 100.0 + (i % 97) * (j % 7)))
            out.write(";".join(["U%d" % i] + values) + "\n")
    with open(path + ".struttura.csv", "w", encoding="utf-8") as out:
        out.write("Elemento;Padre;Peso\n")
        for d in range(dimensions):
            out.write("D%d;;%d\n" % (d, 1 + d % 3))
        for j in range(indicators):
            out.write("%s;D%d;%d\n" % (names[j], j * dimensions // indicators, 1 + j % 4))
    with open(path + ".metodi.csv", "w", encoding="utf-8") as out:
        out.write("Codice;Nome;Normalizzazione;Aggregazione;Costruzione\n")
        out.write("JRC;Indice JRC;minmax;mean;upward\n")


if __name__ == "__main__":
    main()
