#!/usr/bin/python3
"""Writes the sample workbooks regioni.xlsx (openpyxl) and regioni.xls (xlwt),
regioni_struttura.xlsx (openpyxl): the same matrix with a Struttura
sheet that groups the indicators into four weighted dimensions, and
regioni_lacune.xlsx (openpyxl): the same matrix with gaps, empty cells and
cells marked as not available ("n.d.", ".."), for the treatments of
missing values (--missing).

Twenty Italian regions by eight indicators of mixed polarity: a name that
begins with a lower-case letter marks an indicator where lower is better.
The figures are rounded, plausible orders of magnitude for teaching and
testing, not official statistics.

sviluppo_umano.xlsx (openpyxl): thirty invented countries by the four
indicators of a human development index (life expectancy, expected and
mean years of schooling, income per head), a Struttura sheet with the
goalposts, the logarithm of income and the mean inside education, and a
Metodi sheet with two composites: HDI (goalposts, geometric mean, upward)
and JRC (minmax, mean, upward). The countries and their figures are
invented.

Needs the Debian packages python3-openpyxl and python3-xlwt.
"""
import os

HEADER = [
    "Regione",
    "PIL pro capite (migliaia di euro)",
    "Tasso di occupazione 20-64 (%)",
    "disoccupazione giovanile (%)",
    "Speranza di vita alla nascita",
    "abbandono scolastico (%)",
    "Laureati 30-34 anni (%)",
    "povertà relativa familiare (%)",
    "emigrazione ospedaliera (%)",
]

ROWS = [
    ("Piemonte", 31.2, 70.1, 22.4, 82.9, 10.8, 27.1, 7.9, 7.6),
    ("Valle d'Aosta/Vallée d'Aoste", 37.4, 72.9, 17.8, 82.4, 13.2, 25.3, 6.4, 16.2),
    ("Lombardia", 39.1, 72.0, 18.3, 83.4, 11.3, 32.6, 6.6, 4.5),
    ("Trentino-Alto Adige/Südtirol", 42.3, 75.6, 12.1, 84.0, 9.9, 30.4, 5.3, 6.8),
    ("Veneto", 33.5, 71.8, 16.7, 83.6, 8.5, 29.9, 6.0, 6.1),
    ("Friuli-Venezia Giulia", 32.6, 71.2, 18.9, 83.1, 7.9, 31.2, 7.1, 5.9),
    ("Liguria", 31.9, 68.3, 26.2, 82.8, 11.6, 30.8, 9.7, 12.4),
    ("Emilia-Romagna", 37.0, 74.2, 17.5, 83.5, 9.6, 33.5, 5.9, 5.2),
    ("Toscana", 32.3, 71.7, 20.4, 83.4, 10.7, 31.7, 6.8, 6.3),
    ("Umbria", 26.5, 68.0, 23.6, 83.6, 9.4, 32.1, 11.5, 10.8),
    ("Marche", 28.4, 69.2, 21.1, 83.5, 9.2, 28.8, 9.4, 12.9),
    ("Lazio", 34.2, 65.8, 29.8, 83.0, 10.1, 34.9, 9.9, 9.7),
    ("Abruzzo", 25.7, 62.7, 26.4, 82.8, 9.0, 25.6, 14.3, 17.1),
    ("Molise", 22.8, 59.8, 33.5, 82.3, 11.8, 26.7, 15.9, 28.4),
    ("Campania", 19.7, 47.3, 43.9, 81.3, 16.4, 21.1, 21.4, 11.3),
    ("Puglia", 19.9, 50.1, 36.2, 82.6, 15.6, 20.8, 20.5, 9.8),
    ("Basilicata", 22.1, 55.2, 34.7, 82.5, 10.5, 22.6, 16.8, 26.5),
    ("Calabria", 17.9, 45.6, 42.3, 82.0, 14.0, 20.2, 24.1, 21.7),
    ("Sicilia", 18.5, 45.8, 45.1, 81.7, 19.4, 19.3, 22.9, 8.2),
    ("Sardegna", 21.9, 56.4, 35.8, 82.9, 13.2, 22.4, 17.6, 7.1),
]

# The framework of the indicators: (element, parent, weight); an empty
# weight counts as 1. Four dimensions at the top, so the overall index is
# the "Indice complessivo" over them.
STRUCTURE = [
    ("Benessere economico", "", 2),
    ("Lavoro", "", 1.5),
    ("Istruzione", "", 1),
    ("Salute", "", 1),
    ("PIL pro capite (migliaia di euro)", "Benessere economico", 1),
    ("povertà relativa familiare (%)", "Benessere economico", 1),
    ("Tasso di occupazione 20-64 (%)", "Lavoro", 2),
    ("disoccupazione giovanile (%)", "Lavoro", 1),
    ("abbandono scolastico (%)", "Istruzione", None),
    ("Laureati 30-34 anni (%)", "Istruzione", None),
    ("Speranza di vita alla nascita", "Salute", 3),
    ("emigrazione ospedaliera (%)", "Salute", 1),
]


# The gaps of regioni_lacune.xlsx: (region, column from 1, what the cell
# holds instead of the figure; None leaves it empty). Molise misses three of
# eight figures (62.5%, below the usual 65% coverage), emigrazione
# ospedaliera four of twenty (80%).
GAPS = [
    ("Valle d'Aosta/Vallée d'Aoste", 3, "n.d."),
    ("Valle d'Aosta/Vallée d'Aoste", 8, None),
    ("Trentino-Alto Adige/Südtirol", 8, ".."),
    ("Umbria", 6, None),
    ("Molise", 1, "n.d."),
    ("Molise", 3, None),
    ("Molise", 8, "n.d."),
    ("Basilicata", 5, None),
    ("Calabria", 7, ".."),
    ("Sardegna", 8, None),
]


def with_gaps(rows):
    holes = {(region, column): text for region, column, text in GAPS}
    result = []
    for row in rows:
        cells = list(row)
        for column in range(1, len(cells)):
            if (row[0], column) in holes:
                cells[column] = holes[(row[0], column)]
        result.append(cells)
    return result


def write_xlsx(path, structure=None, rows=ROWS):
    import openpyxl

    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Indicatori"
    sheet.append(HEADER)
    for row in rows:
        sheet.append(list(row))
    if structure:
        sheet = book.create_sheet("Struttura")
        sheet.append(["Elemento", "Padre", "Peso"])
        for row in structure:
            sheet.append(list(row))
    book.save(path)


COUNTRIES = [
    "Aldoria", "Belvania", "Corvessa", "Dunmark", "Elbaria", "Fennoria",
    "Galdessa", "Harwen", "Istrania", "Jorvik Sud", "Kalmoria", "Lustania",
    "Mirelia", "Norvessa", "Oltrania", "Pelmora", "Quarnel", "Rosveld",
    "Sarnia", "Talvera", "Umbrosia", "Valdena", "Westmora", "Xandria",
    "Ystria", "Zelmora", "Arcadena", "Brenmoor", "Caldoria", "Drumlin",
]

HDI_HEADER = [
    "Paese",
    "Speranza di vita alla nascita (anni)",
    "Anni di istruzione attesi",
    "Anni medi di istruzione",
    "RNL pro capite (PPA, $)",
]

HDI_STRUCTURE_HEADER = ["Elemento", "Padre", "Minimo", "Massimo", "Trasformazione", "Aggregazione"]
HDI_STRUCTURE = [
    ("Salute", "ISU", None, None, None, None),
    ("Istruzione", "ISU", None, None, None, "mean"),
    ("Reddito", "ISU", None, None, None, None),
    (HDI_HEADER[1], "Salute", 20, 85, None, None),
    (HDI_HEADER[2], "Istruzione", 0, 18, None, None),
    (HDI_HEADER[3], "Istruzione", 0, 15, None, None),
    (HDI_HEADER[4], "Reddito", 100, 75000, "log", None),
]

HDI_COMPOSITES = [
    ("Codice", "Nome", "Normalizzazione", "Aggregazione", "Costruzione"),
    ("HDI", "Indice di sviluppo umano", "goalposts", "geometric", "upward"),
    ("JRC", "Indice in stile JRC", "minmax", "mean", "upward"),
]


def hdi_rows():
    """Invented figures: a development level per country, spread out and
    perturbed by fixed offsets, rounded as statistical tables round them.
    One country's expected schooling is above its goalpost (19.6 > 18) and
    one's income above 75,000, so that both are clipped."""
    rows = []
    for k, country in enumerate(COUNTRIES):
        level = ((k * 11) % 30) / 29.0  # 0 .. 1, in a shuffled order
        wobble = ((k * 7) % 5 - 2) / 10.0  # -0.2 .. 0.2
        life = round(52 + 31 * level + 3 * wobble, 1)
        expected = round(6 + 13.6 * level - 2 * wobble, 1)
        mean_years = round(2 + 11.5 * level + 2.5 * wobble, 1)
        income = round(700 * (110 ** (level + wobble / 4)), -1)
        rows.append((country, life, expected, mean_years, income))
    return rows


def write_hdi(path):
    import openpyxl

    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Paesi"
    sheet.append(HDI_HEADER)
    for row in hdi_rows():
        sheet.append(list(row))
    sheet = book.create_sheet("Struttura")
    sheet.append(HDI_STRUCTURE_HEADER)
    for row in HDI_STRUCTURE:
        sheet.append(list(row))
    sheet = book.create_sheet("Metodi")
    for row in HDI_COMPOSITES:
        sheet.append(list(row))
    book.save(path)


def write_xls(path):
    import xlwt

    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Indicatori")
    for c, name in enumerate(HEADER):
        sheet.write(0, c, name)
    for r, row in enumerate(ROWS, start=1):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    book.save(path)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_xlsx(os.path.join(here, "regioni.xlsx"))
    write_xls(os.path.join(here, "regioni.xls"))
    write_xlsx(os.path.join(here, "regioni_struttura.xlsx"), STRUCTURE)
    write_xlsx(os.path.join(here, "regioni_lacune.xlsx"), rows=with_gaps(ROWS))
    write_hdi(os.path.join(here, "sviluppo_umano.xlsx"))
