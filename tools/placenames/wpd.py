"""Place-detail files (*.wpd): what a place-name file (*.wpn) cannot hold,
for each of its places in file order. core/include/waktuna/files/place_details.h
describes the layout; this writes it."""

import struct
from dataclasses import dataclass, field
from datetime import datetime, timezone
from zoneinfo import ZoneInfo

MAGIC = b"WPD1"
MAX_TEXT = 126
MAX_NAMES = 64
# The year whose January and July offsets give a zone's standard offset.
ZONE_YEAR = 2026


@dataclass
class Details:
    elevation: int | None
    zone: str
    population: int
    region: bytes
    names: list = field(default_factory=list)


def _fold_table():
    t = list(range(256))
    for c in range(ord("A"), ord("Z") + 1):
        t[c] = c + 32
    latin1 = b"aaaaaaaceeeeiiiidnooooo\xD7ouuuuyts"
    for i in range(32):
        t[0xC0 + i] = t[0xE0 + i] = latin1[i]
    t[0xF7] = 0xF7
    t[0xFF] = t[0x9F] = ord("y")
    t[0x8A] = t[0x9A] = ord("s")
    t[0x8E] = t[0x9E] = ord("z")
    t[0x8C] = t[0x9C] = ord("o")
    return bytes(t)


FOLD = _fold_table()


def fold(name):
    """A Windows-1252 name as searches compare it (lower case, no accents)."""
    return bytes(name).translate(FOLD)


def fnv1a(data):
    h = 0x811C9DC5
    for b in data:
        h = ((h ^ b) * 0x01000193) & 0xFFFFFFFF
    return h


def varint(n):
    out = bytearray()
    while True:
        byte = n & 0x7F
        n >>= 7
        if n:
            out.append(byte | 0x80)
        else:
            out.append(byte)
            return bytes(out)


def zigzag(n):
    return n * 2 if n >= 0 else -n * 2 - 1


def standard_offset_minutes(zone):
    """The zone's standard offset: the smaller of its offsets in January and
    July (daylight saving only ever adds; Dublin's "negative" saving too
    gives its winter offset)."""
    z = ZoneInfo(zone)
    offsets = [datetime(ZONE_YEAR, m, 15, 12, tzinfo=timezone.utc).astimezone(z).utcoffset()
               for m in (1, 7)]
    return int(min(offsets).total_seconds()) // 60


class Texts:
    """The file's table of texts; index 0 stands for none."""

    def __init__(self):
        self.items, self.index = [], {}

    def __call__(self, text):
        if not text:
            return 0
        if text not in self.index:
            if len(text) > MAX_TEXT:
                raise ValueError(text)
            self.items.append(text)
            self.index[text] = len(self.items)
        return self.index[text]


def encode(wpn, countries, details):
    """The .wpd bytes for the .wpn bytes `wpn`: one country per section, one
    Details per place in file order."""
    texts = Texts()
    zone_names = sorted({d.zone for d in details if d.zone})
    zone_number = {z: i + 1 for i, z in enumerate(zone_names)}
    zones = bytearray()
    for z in zone_names:
        zones += varint(texts(z.encode("ascii"))) + varint(zigzag(standard_offset_minutes(z)))
    sections = b"".join(varint(texts(c)) for c in countries)
    places = bytearray()
    for d in details:
        places += varint(0 if d.elevation is None else zigzag(d.elevation) + 1)
        places += varint(zone_number.get(d.zone, 0))
        places += varint(d.population)
        places += varint(texts(d.region))
        places.append(len(d.names))
        for n in d.names:
            places += bytes([len(n)]) + n
    table = b"".join(bytes([len(t)]) + t for t in texts.items)
    return (MAGIC + struct.pack("<IIIHHH", len(wpn), fnv1a(wpn), len(details),
                                len(texts.items), len(zone_names), len(countries))
            + table + bytes(zones) + sections + bytes(places))
