#!/usr/bin/python3
"""Writes the sample workbook europa.xlsx (openpyxl) and its boundary file
europa.confini.geojson, which the maps find beside it.

The 27 member states of the European Union by six indicators of mixed
polarity (a name that begins with a lower-case letter marks an indicator
where lower is better). The figures are invented from a fixed seed, not
statistics.

The boundaries are the country shapes of Natural Earth (public domain) at
1:110 million that ship with geopandas ('naturalearth_lowres'), cut to
Europe (so that France keeps no overseas department), with the Italian
name of each state in the attribute "nome". Malta is too small for that
scale: the map lists it among the units without a shape.

Needs the Debian packages python3-openpyxl and python3-geopandas.
"""
import os
import random

import geopandas
import geopandas.datasets
from openpyxl import Workbook
from shapely.geometry import box

STATES = [
    ("Austria", "AUT"), ("Belgio", "BEL"), ("Bulgaria", "BGR"), ("Cipro", "CYP"),
    ("Croazia", "HRV"), ("Danimarca", "DNK"), ("Estonia", "EST"), ("Finlandia", "FIN"),
    ("Francia", "FRA"), ("Germania", "DEU"), ("Grecia", "GRC"), ("Irlanda", "IRL"),
    ("Italia", "ITA"), ("Lettonia", "LVA"), ("Lituania", "LTU"), ("Lussemburgo", "LUX"),
    ("Malta", "MLT"), ("Paesi Bassi", "NLD"), ("Polonia", "POL"), ("Portogallo", "PRT"),
    ("Repubblica Ceca", "CZE"), ("Romania", "ROU"), ("Slovacchia", "SVK"),
    ("Slovenia", "SVN"), ("Spagna", "ESP"), ("Svezia", "SWE"), ("Ungheria", "HUN"),
]

HEADER = [
    "Stato membro",
    "Reddito disponibile pro capite (indice)",
    "Tasso di occupazione (%)",
    "abbandono scolastico (%)",
    "Accesso a internet veloce (%)",
    "emissioni pro capite (t)",
    "Fiducia nelle istituzioni (%)",
]

# The centre and spread of each indicator, and how much a state's general
# level moves it (so that the indicators agree, as real ones mostly do).
SHAPE = [(100, 18, 1.0), (70, 6, 0.8), (9, 3, -0.6), (75, 12, 0.7), (7, 2.5, -0.3), (45, 12, 0.6)]

HERE = os.path.dirname(os.path.abspath(__file__))


def write_workbook(path):
    rng = random.Random(27)
    book = Workbook()
    sheet = book.active
    sheet.title = "Matrice"
    sheet.append(HEADER)
    for name, _ in STATES:
        level = rng.gauss(0, 1)
        row = [name]
        for centre, spread, pull in SHAPE:
            value = centre + spread * (pull * level + (1 - abs(pull)) * rng.gauss(0, 1))
            row.append(round(max(value, 0.5), 1))
        sheet.append(row)
    book.save(path)


def write_boundaries(path):
    world = geopandas.read_file(geopandas.datasets.get_path("naturalearth_lowres"))
    italian = {code: name for name, code in STATES}
    states = world[world["iso_a3"].isin(italian)].copy()
    states = states.clip(box(-25.0, 33.0, 45.0, 72.0))
    states["nome"] = states["iso_a3"].map(italian)
    states = states[["nome", "iso_a3", "name", "geometry"]].sort_values("nome")
    if os.path.exists(path):
        os.remove(path)
    states.to_file(path, driver="GeoJSON", COORDINATE_PRECISION=4)


if __name__ == "__main__":
    write_workbook(os.path.join(HERE, "europa.xlsx"))
    write_boundaries(os.path.join(HERE, "europa.confini.geojson"))
