#!/usr/bin/env python3
"""Draws the program's pictures: the skin strips (from the core's strip table),
the message-dialog pictures, the two picture strips of the main window, and
the icons. Everything is drawn here from simple shapes; nothing is taken from
elsewhere. Usage: make_resources.py STRIP_TABLE OUTPUT_DIR"""
import math
import os
import re
import struct
import sys

# --- files ------------------------------------------------------------------

def bmp24(path, width, height, pixels):
    """pixels[y][x] = (r, g, b), row 0 at the top."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        data += row
    write_bmp(path, width, height, 24, data)


def dib32(width, height, pixels, height_factor=1):
    """Bottom-up 32-bit rows (b, g, r, a), straight alpha."""
    data = bytearray()
    for y in reversed(range(height)):
        for r, g, b, a in pixels[y]:
            data += bytes((b, g, r, a))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * height_factor, 1, 32, 0,
                         len(data), 2835, 2835, 0, 0)
    return header, data


def write_bmp(path, width, height, bits, data):
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data),
                         2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0,
                                    14 + len(header)))
        f.write(header + data)


def bmp32(path, canvas):
    header, data = dib32(canvas.w, canvas.h, canvas.px)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0,
                                    14 + len(header)))
        f.write(header + data)


def ico(path, canvases):
    images = []
    for c in canvases:
        header, xor = dib32(c.w, c.h, c.px, height_factor=2)
        mask_stride = ((c.w + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(c.h)):
            row = bytearray(mask_stride)
            for x in range(c.w):
                if c.px[y][x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        images.append((c.w, c.h, header + xor + mask))
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for w, h, blob in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, _, blob in images:
        out += blob
    with open(path, "wb") as f:
        f.write(out)

# --- drawing ------------------------------------------------------------------

SS = 4  # samples per pixel along each axis


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[(0, 0, 0, 0) for _ in range(w)] for _ in range(h)]

    def fill(self, inside, color, x0=0, y0=0, scale=1.0):
        """Paints `color` (r, g, b[, a]) where inside(u, v) holds; u, v are in
        the shape's own units: (pixel - origin) / scale."""
        r, g, b = color[:3]
        alpha = color[3] / 255 if len(color) > 3 else 1.0
        for y in range(self.h):
            for x in range(self.w):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        u = (x + (sx + 0.5) / SS - x0) / scale
                        v = (y + (sy + 0.5) / SS - y0) / scale
                        if inside(u, v):
                            hits += 1
                if hits:
                    self.over(x, y, (r, g, b), alpha * hits / (SS * SS))

    def over(self, x, y, rgb, a):
        dr, dg, db, da = self.px[y][x]
        da /= 255
        oa = a + da * (1 - a)
        mix = lambda s, d: (s * a + d * da * (1 - a)) / oa
        self.px[y][x] = (round(mix(rgb[0], dr)), round(mix(rgb[1], dg)),
                         round(mix(rgb[2], db)), round(oa * 255))


def circle(cx, cy, r):
    return lambda u, v: (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def ring(cx, cy, r1, r2, a0=None, a1=None):
    def inside(u, v):
        d2 = (u - cx) ** 2 + (v - cy) ** 2
        if not r1 * r1 <= d2 <= r2 * r2:
            return False
        if a0 is None:
            return True
        ang = math.degrees(math.atan2(cy - v, u - cx)) % 360  # counter-clockwise from east
        return (ang - a0) % 360 <= (a1 - a0) % 360
    return inside


def segment(x1, y1, x2, y2, w):
    def inside(u, v):
        dx, dy = x2 - x1, y2 - y1
        t = 0 if dx == dy == 0 else max(0, min(1, ((u - x1) * dx + (v - y1) * dy) / (dx * dx + dy * dy)))
        px, py = x1 + t * dx, y1 + t * dy
        return (u - px) ** 2 + (v - py) ** 2 <= (w / 2) ** 2
    return inside


def polygon(points):
    def inside(u, v):
        c = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > v) != (yb > v) and u < (xb - xa) * (v - ya) / (yb - ya) + xa:
                c = not c
        return c
    return inside


def rounded(x1, y1, x2, y2, r):
    def inside(u, v):
        qx = max(x1 + r - u, 0, u - (x2 - r))
        qy = max(y1 + r - v, 0, v - (y2 - r))
        return x1 <= u <= x2 and y1 <= v <= y2 and qx * qx + qy * qy <= r * r
    return inside


def union(*shapes):
    return lambda u, v: any(s(u, v) for s in shapes)


def minus(a, b):
    return lambda u, v: a(u, v) and not b(u, v)

# --- pictures (drawn on a 24-unit grid, scaled to the target size) -------------

WHITE = (255, 255, 255)
SHADOW = (0, 0, 0, 60)


def badge(c, s, color, glyph):
    c.fill(circle(12.5, 12.9, 11.2), SHADOW, scale=s)
    c.fill(circle(12, 12, 11), color, scale=s)
    c.fill(circle(12, 9, 8.5), (255, 255, 255, 45), scale=s)  # a soft gloss
    c.fill(glyph, WHITE, scale=s)


def pic_error(c, s):
    badge(c, s, (208, 48, 48), union(segment(7.5, 7.5, 16.5, 16.5, 3.2),
                                      segment(16.5, 7.5, 7.5, 16.5, 3.2)))


def pic_information(c, s):
    badge(c, s, (30, 110, 215), union(circle(12, 6.6, 1.9), rounded(10.3, 9.5, 13.7, 18.5, 1)))


def pic_question(c, s):
    glyph = union(ring(12, 8.5, 2.6, 5.2, 300, 180), segment(14.5, 12.2, 12, 14.2, 2.6),
                  segment(12, 14, 12, 15, 2.6), circle(12, 18.6, 1.8))
    badge(c, s, (30, 110, 215), glyph)


def pic_warning(c, s):
    tri = [(12, 1.5), (23, 21.5), (1, 21.5)]
    c.fill(polygon([(x + 0.5, y + 0.6) for x, y in tri]), SHADOW, scale=s)
    c.fill(polygon(tri), (160, 110, 0), scale=s)
    c.fill(polygon([(12, 4.2), (20.8, 20.2), (3.2, 20.2)]), (250, 200, 40), scale=s)
    c.fill(union(segment(12, 8.5, 12, 14.5, 2.6), circle(12, 17.6, 1.5)), (40, 30, 0), scale=s)


def pic_house(c, s):
    c.fill(polygon([(12, 2), (23, 12), (20, 12), (20, 22), (4, 22), (4, 12), (1, 12)]),
           (40, 100, 190), scale=s)
    c.fill(rounded(9.5, 14, 14.5, 22, 0.5), (250, 220, 120), scale=s)


def pic_gear(c, s):
    def gear(u, v):
        d = math.hypot(u - 12, v - 12)
        a = math.atan2(v - 12, u - 12)
        edge = 8.2 + (2.6 if math.cos(8 * a) > 0.2 else 0)
        return 3.8 <= d <= edge
    c.fill(gear, (110, 120, 135), scale=s)


def pic_clock(c, s):
    c.fill(circle(12, 12, 11), (40, 110, 60), scale=s)
    c.fill(circle(12, 12, 8.8), WHITE, scale=s)
    c.fill(union(segment(12, 12, 12, 6, 2), segment(12, 12, 16, 14.5, 2)), (30, 30, 30), scale=s)


def pic_bubble(c, s):
    c.fill(union(rounded(1.5, 3, 22.5, 17, 4), polygon([(6, 15), (12, 15), (5, 22)])),
           (235, 150, 30), scale=s)
    for x in (7, 12, 17):
        c.fill(circle(x, 10, 1.7), WHITE, scale=s)


def pic_table(c, s):
    c.fill(rounded(2, 3, 22, 21, 1.5), (60, 90, 150), scale=s)
    c.fill(rounded(3.5, 7.5, 20.5, 19.5, 0.5), WHITE, scale=s)
    lines = [segment(3.5, y, 20.5, y, 1) for y in (11.5, 15.5)] + \
            [segment(x, 7.5, x, 19.5, 1) for x in (9, 15)]
    c.fill(union(*lines), (60, 90, 150), scale=s)


def pic_calendar(c, s):
    c.fill(rounded(2, 4, 22, 22, 2), (200, 200, 205), scale=s)
    c.fill(rounded(3, 9, 21, 21, 1), WHITE, scale=s)
    c.fill(rounded(2, 4, 22, 9, 2), (200, 50, 50), scale=s)
    c.fill(union(segment(7, 2, 7, 6, 2), segment(17, 2, 17, 6, 2)), (90, 90, 90), scale=s)
    c.fill(union(segment(7, 15, 10.5, 18.5, 2.2), segment(10.5, 18.5, 17, 11.5, 2.2)),
           (30, 140, 60), scale=s)


def pic_convert(c, s):
    right = union(segment(3, 8, 17, 8, 2.6), polygon([(16, 3.5), (22, 8), (16, 12.5)]))
    left = union(segment(7, 16, 21, 16, 2.6), polygon([(8, 11.5), (2, 16), (8, 20.5)]))
    c.fill(right, (40, 130, 70), scale=s)
    c.fill(left, (40, 100, 190), scale=s)


def pic_about(c, s):
    pic_information(c, s)


def pic_button(c, s, face, glyph):
    c.fill(rounded(0.5, 0.5, 23.5, 23.5, 5), face, scale=s)
    c.fill(rounded(0.5, 0.5, 23.5, 12, 5), (255, 255, 255, 50), scale=s)
    c.fill(glyph, WHITE, scale=s)


HIDE_GLYPH = rounded(6, 14.5, 18, 18, 1)
CLOSE_GLYPH = union(segment(7.5, 7.5, 16.5, 16.5, 3), segment(16.5, 7.5, 7.5, 16.5, 3))

PAGE_PICTURES = [pic_house, pic_gear, pic_clock, pic_bubble, pic_table, pic_calendar,
                 pic_convert, pic_about]
SMALL_PICTURES = PAGE_PICTURES[:5] + [
    lambda c, s: pic_button(c, s, (60, 110, 190), HIDE_GLYPH),    # 5: hide
    lambda c, s: pic_button(c, s, (25, 60, 120), HIDE_GLYPH),     # 6: hide, held down
    lambda c, s: pic_button(c, s, (200, 60, 50), CLOSE_GLYPH),    # 7: close
    lambda c, s: pic_button(c, s, (130, 25, 20), CLOSE_GLYPH),    # 8: close, held down
]


def picture(draw, size):
    c = Canvas(size, size)
    draw(c, size / 24)
    return c


def strip(draws, size):
    c = Canvas(size * len(draws), size)
    for i, draw in enumerate(draws):
        one = picture(draw, size)
        for y in range(size):
            c.px[y][i * size:(i + 1) * size] = one.px[y]
    return c


def emblem(c, s):
    """The program's mark: a white crescent and star on a green disc."""
    c.fill(circle(12.4, 12.6, 11.4), SHADOW, scale=s)
    c.fill(circle(12, 12, 11.2), (20, 120, 80), scale=s)
    c.fill(circle(12, 9, 9), (255, 255, 255, 40), scale=s)
    c.fill(minus(circle(11, 12, 7.5), circle(14, 10.5, 6.4)), (255, 250, 225), scale=s)
    star = []
    for k in range(10):
        r = 3.4 if k % 2 == 0 else 1.4
        a = math.radians(90 + 36 * k)
        star.append((16.6 + r * math.cos(a), 13.4 - r * math.sin(a)))
    c.fill(polygon(star), (255, 250, 225), scale=s)

# --- skin strips ----------------------------------------------------------------

def read_strips(table_path):
    text = open(table_path).read()
    listed = re.findall(r'^SKIN_STRIP\("(\w+)",\s*' + r",\s*".join([r"0x([0-9a-f]{6})"] * 5),
                        text, re.M)
    full = re.search(r'FULL_STRIP\("(\w+)",([^)]*)\)', text, re.S)
    full_rows = [int(h, 16) for h in re.findall(r"0x([0-9a-f]{6})", full.group(2))]
    assert len(listed) == 20 and len(full_rows) == 29
    split = lambda c: ((c >> 16) & 255, (c >> 8) & 255, c & 255)

    def blend(a, b, x):  # per channel, halves to even (Python's round)
        return tuple(max(0, min(255, round(p + (q - p) * x))) for p, q in zip(a, b))

    strips = []
    for name, *rows in listed:
        r0, r1, r15, r27, r28 = (split(int(h, 16)) for h in rows)
        if name == full.group(1):
            strips.append((name, [split(c) for c in full_rows]))
            continue
        col = [None] * 29
        col[0], col[1], col[15], col[27], col[28] = r0, r1, r15, r27, r28
        for y in range(2, 15):
            col[y] = blend(r1, r15, (y - 1) / 14)
        for y in range(16, 27):
            col[y] = blend(r15, r27, (y - 15) / 12)
        strips.append((name, col))
    return strips


def main():
    table, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for name, rows in read_strips(table):
        bmp24(os.path.join(out, name + ".bmp"), 1, 29, [[c] for c in rows])
    for name, draw in (("error", pic_error), ("warning", pic_warning),
                       ("information", pic_information), ("question", pic_question)):
        bmp32(os.path.join(out, "dialog_" + name + ".bmp"), picture(draw, 32))
    bmp32(os.path.join(out, "imagelist24.bmp"), strip(PAGE_PICTURES, 24))
    bmp32(os.path.join(out, "imagelist16.bmp"), strip(SMALL_PICTURES, 16))
    ico(os.path.join(out, "tray.ico"), [picture(emblem, 16), picture(emblem, 32)])
    ico(os.path.join(out, "waktuna.ico"), [picture(emblem, n) for n in (16, 32, 48)])


if __name__ == "__main__":
    main()
