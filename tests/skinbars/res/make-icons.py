#!/usr/bin/env python3
# Draws the tool-bar image strips of the bar tests and demonstration: flat two-tone glyphs,
# antialiased by 4 x 4 supersampling. Writes icons-hot.png (colour) and icons-cold.png (the same
# glyphs in grey), one 20 x 20 image per button, in the order of ICONS.
import math, struct, zlib, sys, os

S = 20
BLUE, DARK, GREEN, RED, ORANGE, PURPLE, TEAL = (0x2B, 0x79, 0xD0), (0x40, 0x48, 0x55), (0x3A, 0xA6, 0x5B), (0xD9, 0x45, 0x3C), (0xF0, 0x9A, 0x26), (0x8E, 0x5B, 0xC8), (0x1F, 0x9E, 0xA8)
WHITE = (255, 255, 255)

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1
def rrect(x0, y0, x1, y1, r):
    def f(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1): return False
        cx = min(max(x, x0 + r), x1 - r); cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return f
def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r
def ring(cx, cy, r, w):
    return lambda x, y: (r - w) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r
def arc(cx, cy, r, w, a0, a1):
    def f(x, y):
        d = math.hypot(x - cx, y - cy)
        a = math.degrees(math.atan2(-(y - cy), x - cx)) % 360
        inside = a0 <= a <= a1 if a0 <= a1 else (a >= a0 or a <= a1)
        return r - w <= d <= r and inside
    return f
def line(x0, y0, x1, y1, w):
    def f(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0, min(1, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= w / 2
    return f
def poly(*pts):
    def f(x, y):
        inside = False
        n = len(pts)
        for i in range(n):
            (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                inside = not inside
        return inside
    return f
def union(*fs):
    return lambda x, y: any(f(x, y) for f in fs)
def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)
def dashed_rect(x0, y0, x1, y1, w):
    edge = minus(rect(x0, y0, x1, y1), rect(x0 + w, y0 + w, x1 - w, y1 - w))
    return lambda x, y: edge(x, y) and int((x + y) / 2.5) % 2 == 0

ICONS = [
    ("new", [(minus(poly((4, 2), (12, 2), (16, 6), (16, 18), (4, 18)), poly((5.5, 3.5), (11.3, 3.5), (14.5, 6.7), (14.5, 16.5), (5.5, 16.5))), DARK),
             (poly((11.5, 2), (16, 6.5), (11.5, 6.5)), DARK), (poly((5.5, 3.5), (11, 3.5), (11, 7), (14.5, 7), (14.5, 16.5), (5.5, 16.5)), WHITE)]),
    ("open", [(poly((1.5, 5), (7, 5), (9, 7), (17, 7), (17, 16), (1.5, 16)), ORANGE), (poly((4, 9), (19, 9), (16.5, 16), (1.5, 16)), (0xF8, 0xC1, 0x4E))]),
    ("save", [(rrect(2, 2, 18, 18, 1.5), BLUE), (rect(5, 2, 14, 7.5), WHITE), (rect(11, 3, 13, 6.5), BLUE), (rect(5, 11, 15, 18), (0xD6, 0xE6, 0xF7))]),
    ("undo", [(arc(11, 11, 6.5, 2.2, 270, 160), BLUE), (poly((1.5, 8), (8, 3.5), (8, 12)), BLUE)]),
    ("redo", [(arc(9, 11, 6.5, 2.2, 20, 270), BLUE), (poly((18.5, 8), (12, 3.5), (12, 12)), BLUE)]),
    ("crop", [(union(rect(5, 1, 7, 15), rect(5, 13, 19, 15)), DARK), (union(rect(1, 5, 15, 7), rect(13, 5, 15, 19)), DARK)]),
    ("brush", [(line(17, 3, 9, 11, 3), (0x8A, 0x5A, 0x2B)), (poly((9.5, 9), (11, 10.5), (7, 17), (2, 18), (3, 13)), PURPLE)]),
    ("text", [(union(rect(3, 3, 17, 6), rect(8.5, 3, 11.5, 17), rect(6.5, 15.5, 13.5, 17.5)), DARK)]),
    ("zoom", [(ring(8.5, 8.5, 6.5, 2), DARK), (line(13, 13, 18, 18, 3), DARK), (union(rect(5.5, 7.7, 11.5, 9.3), rect(7.7, 5.5, 9.3, 11.5)), GREEN)]),
    ("rotate", [(arc(10, 10, 7.5, 2.2, 100, 20), GREEN), (poly((13, 1.5), (19, 5), (13, 9)), GREEN), (rect(7, 7, 13, 13), DARK)]),
    ("select", [(dashed_rect(2, 3, 18, 17, 1.5), DARK)]),
    ("ellipse-select", [(lambda x, y: ring(10, 10, 8, 1.5)(x, y) and int(math.degrees(math.atan2(y - 10, x - 10)) / 22) % 2 == 0, DARK)]),
    ("wand", [(line(3, 17, 12, 8, 2.5), DARK), (poly((14, 1.5), (15.2, 4.8), (18.5, 6), (15.2, 7.2), (14, 10.5), (12.8, 7.2), (9.5, 6), (12.8, 4.8)), ORANGE)]),
    ("print", [(rect(5, 2, 15, 7), WHITE), (minus(rect(5, 2, 15, 7), rect(6.5, 3.5, 13.5, 7)), DARK), (rrect(1.5, 7, 18.5, 15, 2), DARK), (rect(5, 12, 15, 18), WHITE), (minus(rect(5, 12, 15, 18), rect(6.5, 12, 13.5, 16.5)), DARK), (circle(15.5, 9.5, 1), GREEN)]),
    ("help", [(circle(10, 10, 8.5), BLUE), (arc(10, 7.5, 3.5, 1.8, 300, 200), WHITE), (rect(9.1, 9.5, 10.9, 12.5), WHITE), (circle(10, 15, 1.2), WHITE)]),
    ("rectangle", [(minus(rect(2, 4, 18, 16), rect(3.8, 5.8, 16.2, 14.2)), TEAL)]),
    ("ellipse", [(ring(10, 10, 8, 1.8), TEAL)]),
    ("line", [(line(3, 17, 17, 3, 2), TEAL)]),
    ("pen", [(poly((14, 2), (18, 6), (7, 17), (2, 18), (3, 13)), DARK), (poly((3.5, 13.5), (6.5, 16.5), (2.5, 17.5)), ORANGE)]),
    ("mosaic", [(rect(2, 2, 9.5, 9.5), BLUE), (rect(10.5, 2, 18, 9.5), TEAL), (rect(2, 10.5, 9.5, 18), GREEN), (rect(10.5, 10.5, 18, 18), ORANGE)]),
    ("blur", [(lambda x, y: (x - 10) ** 2 + (y - 11) ** 2 <= 36 or (abs(x - 10) < 4.5 - (y - 2) * 0.5 and 2 <= y <= 8), (0x5A, 0x9B, 0xE0))]),
    ("sharpen", [(poly((10, 1.5), (17, 17), (3, 17)), DARK), (poly((10, 7), (13.5, 15), (6.5, 15)), WHITE)]),
    ("lighten", [(circle(10, 10, 4.5), ORANGE)] + [(line(10 + 6.5 * math.cos(a), 10 + 6.5 * math.sin(a), 10 + 9 * math.cos(a), 10 + 9 * math.sin(a), 1.6), ORANGE) for a in [i * math.pi / 4 for i in range(8)]]),
    ("darken", [(minus(circle(10, 10, 8), circle(14, 7, 7)), DARK)]),
    ("copy", [(rect(2, 2, 13, 13), DARK), (rect(3.5, 3.5, 11.5, 11.5), WHITE), (rect(7, 7, 18, 18), DARK), (rect(8.5, 8.5, 16.5, 16.5), WHITE)]),
    ("mail", [(rect(1.5, 4, 18.5, 16), BLUE), (rect(3, 5.5, 17, 14.5), WHITE), (minus(poly((3, 5.5), (17, 5.5), (10, 11.5)), poly((5.5, 5.5), (14.5, 5.5), (10, 9.3))), BLUE)]),
    ("grid", [(union(*[rect(2 + 5.3 * i, 2, 3.4 + 5.3 * i, 18) for i in range(4)] + [rect(2, 2 + 5.3 * i, 18, 3.4 + 5.3 * i) for i in range(4)]), DARK)]),
    ("histogram", [(union(rect(2, 12, 5, 18), rect(6, 7, 9, 18), rect(10, 3, 13, 18), rect(14, 9, 17, 18)), PURPLE)]),
]

def render(layers, grey):
    px = []
    for py in range(S):
        row = []
        for pxx in range(S):
            r = g = b = a = 0.0
            for f, col in layers:
                cov = 0
                for sy in range(4):
                    for sx in range(4):
                        if f(pxx + (sx + 0.5) / 4, py + (sy + 0.5) / 4):
                            cov += 1
                cov /= 16.0
                if cov == 0: continue
                c = col
                if grey and col != WHITE:
                    l = int(0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2])
                    l = int(l * 0.75 + 40)
                    c = (l, l, l)
                # over
                na = cov + a * (1 - cov)
                r = (c[0] * cov + r * a * (1 - cov)) / na
                g = (c[1] * cov + g * a * (1 - cov)) / na
                b = (c[2] * cov + b * a * (1 - cov)) / na
                a = na
            row.append((int(r), int(g), int(b), int(a * 255 + 0.5)))
        px.append(row)
    return px

def png(path, rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    open(path, "wb").write(data)

out = os.path.dirname(os.path.abspath(__file__))
for name, grey in (("icons-hot.png", False), ("icons-cold.png", True)):
    strips = [render(layers, grey) for _, layers in ICONS]
    rows = [sum((s[y] for s in strips), []) for y in range(S)]
    png(os.path.join(out, name), rows)
print(len(ICONS), "icons")
