#!/usr/bin/env python3
"""Draws the page templates of data/Page/Template with ImageMagick (run by hand; the results
are committed): for each layout its picture and, beside it, its "Slots" file.

Each slot is described once below; the picture (shadows, placeholders, outlines) and the XML
are both made from that description, so that the painted frames sit exactly where the page
maker and KQBatch lay the photos."""
import math
import os
import subprocess
import tempfile

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "Page", "Template")

# Figures in their own coordinates; "path" slots are scaled to the slot's size.
HEART = ("M50,88 C20,65 0,45 0,25 C0,10 12,0 27,0 C37,0 45,6 50,15 "
         "C55,6 63,0 73,0 C88,0 100,10 100,25 C100,45 80,65 50,88 Z", 100, 88)
# A speech balloon with its tail at the bottom left.
BALLOON = ("M12,0 L88,0 C95,0 100,5 100,12 L100,52 C100,59 95,64 88,64 L34,64 L14,80 L20,64 "
           "L12,64 C5,64 0,59 0,52 L0,12 C0,5 5,0 12,0 Z", 100, 80)
PRINT = ("M0,0 L100,0 L100,100 L0,100 Z", 100, 100)


def star(cx, cy, outer, inner, points=5):
    out = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        t = math.pi * i / points - math.pi / 2
        out.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return out


def hexagon(cx, cy, r):
    return [(cx + r * math.cos(math.pi / 3 * i), cy + r * math.sin(math.pi / 3 * i)) for i in range(6)]


def points_text(points):
    return " ".join("%g,%g" % (round(x, 1), round(y, 1)) for x, y in points)


class Slot:
    """One slot: kind is box, rect, ellipse, roundedrect, polygon or path."""

    def __init__(self, kind, cx, cy, w, h, angle=0, border=0, colour="FFFFFFFF", figure=None, r=0,
                 points=None, flipv=False, fliph=False, inset=0):
        self.kind, self.w, self.h, self.angle = kind, w, h, angle
        self.border, self.colour, self.figure, self.r = border, colour, figure, r
        self.points, self.flipv, self.fliph, self.inset = points, flipv, fliph, inset
        c, s = abs(math.cos(math.radians(angle))), abs(math.sin(math.radians(angle)))
        self.bw = math.ceil(w * c + h * s) + 2 * inset
        self.bh = math.ceil(w * s + h * c) + 2 * inset
        self.x = int(round(cx - self.bw / 2))
        self.y = int(round(cy - self.bh / 2))

    def centre(self):
        return self.x + self.bw / 2, self.y + self.bh / 2

    def polygon_in_box(self):
        # Polygons are given upright in box coordinates; a flip mirrors them in their bounds.
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        pts = self.points
        if self.flipv:
            pts = [(x, min(ys) + max(ys) - y) for x, y in pts]
        if self.fliph:
            pts = [(min(xs) + max(xs) - x, y) for x, y in pts]
        return pts

    def mvg(self, dx=0, dy=0, grow=0):
        """The slot's figure as ImageMagick drawing commands, on the page."""
        x, y = self.x + dx, self.y + dy
        i = self.inset
        if self.kind == "box":
            return "rectangle %g,%g %g,%g" % (x - grow, y - grow, x + self.bw - 1 + grow, y + self.bh - 1 + grow)
        if self.kind == "rect":
            return "rectangle %g,%g %g,%g" % (x + i - grow, y + i - grow, x + i + self.w - 1 + grow, y + i + self.h - 1 + grow)
        if self.kind == "roundedrect":
            return "roundrectangle %g,%g %g,%g %g,%g" % (x + i - grow, y + i - grow, x + i + self.w - 1 + grow,
                                                         y + i + self.h - 1 + grow, self.r, self.r)
        if self.kind == "ellipse":
            return "ellipse %g,%g %g,%g 0,360" % (x + i + self.w / 2, y + i + self.h / 2, self.w / 2 + grow, self.h / 2 + grow)
        if self.kind == "polygon":
            return "polygon " + " ".join("%g,%g" % (x + px, y + py) for px, py in self.polygon_in_box())
        d, fw, fh = self.figure
        cx, cy = self.centre()
        sx = (self.w + 2 * grow) / fw * (-1 if self.fliph else 1)
        sy = (self.h + 2 * grow) / fh * (-1 if self.flipv else 1)
        return "push graphic-context translate %g,%g rotate %g scale %g,%g translate %g,%g path '%s' pop graphic-context" % (
            cx + dx, cy + dy, self.angle, sx, sy, -fw / 2, -fh / 2, d)

    def xml(self):
        a = ['a="%g"' % self.angle, 'width="%d"' % self.w, 'height="%d"' % self.h,
             'flipv="%s"' % ("true" if self.flipv else "false"), 'fliph="%s"' % ("true" if self.fliph else "false"),
             'border="%d"' % self.border, 'bordercolor="%s"' % self.colour, 'fill="FFFFE488"']
        lines = ["\t<Slot %s>" % " ".join(a),
                 '\t\t<box x="%d" y="%d" width="%d" height="%d"/>' % (self.x, self.y, self.bw, self.bh)]
        i = self.inset
        if self.kind == "rect":
            lines.append('\t\t<rect x="%d" y="%d" width="%d" height="%d"/>' % (i, i, self.w, self.h))
        elif self.kind == "ellipse":
            lines.append('\t\t<ellipse x="%d" y="%d" width="%d" height="%d"/>' % (i, i, self.w, self.h))
        elif self.kind == "roundedrect":
            lines.append('\t\t<roundedrect x="%d" y="%d" width="%d" height="%d" r="%d"/>' % (i, i, self.w, self.h, self.r))
        elif self.kind == "polygon":
            lines.append('\t\t<polygon points="%s"/>' % points_text(self.points))
        elif self.kind == "path":
            lines.append('\t\t<path d="%s"/>' % self.figure[0])
        lines.append("\t</Slot>")
        return lines


def write_xml(name, slots, transparent=False, move=True):
    lines = ['<?xml version="1.0" encoding="UTF-16"?>',
             '<Slots Move="%s" Transparent="%s">' % ("on" if move else "off", "on" if transparent else "off")]
    for slot in slots:
        lines += slot.xml()
    lines.append("</Slots>")
    with open(os.path.join(OUT, name + ".xml"), "wb") as f:
        f.write(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def draw(*args):
    subprocess.run(["convert"] + [str(a) for a in args], check=True)


def shadows_and_places(tmp, size, slots, background, out, quality=88):
    """Soft shadows under the slots, light placeholders in them, and their outlines."""
    w, h = size
    shadow = os.path.join(tmp, "shadow.png")
    args = ["-size", "%dx%d" % size, "xc:none", "-fill", "black"]
    for s in slots:
        args += ["-draw", s.mvg(5, 8)]
    draw(*args, "-channel", "A", "-blur", "0x7", "-evaluate", "multiply", "0.45", "+channel", shadow)
    args = [background, shadow, "-compose", "over", "-composite", "-fill", "#FFFFFF66", "-stroke", "none"]
    for s in slots:
        args += ["-draw", s.mvg()]
    for s in slots:
        if s.border:
            colour = "#" + s.colour[2:]
            args += ["-fill", "none", "-stroke", colour, "-strokewidth", s.border, "-draw", s.mvg(grow=-s.border / 2)]
    draw(*args, "-quality", quality, "-strip", out)


def classic(tmp):
    size = (900, 600)
    slots = [
        Slot("box", 284, 300, 476, 520),
        Slot("rect", 700, 165, 300, 250, border=10, colour="FFFFFFFF"),
        Slot("roundedrect", 700, 435, 300, 250, border=6, colour="FFB08D5E", r=28),
    ]
    bg = os.path.join(tmp, "bg.png")
    draw("-size", "%dx%d" % size, "gradient:#F7F1E5-#E6D8BF", "-fill", "none", "-stroke", "#B08D5E",
         "-strokewidth", 2, "-draw", "rectangle 18,18 881,581", "-strokewidth", 1, "-draw", "rectangle 26,26 873,573", bg)
    shadows_and_places(tmp, size, slots, bg, os.path.join(OUT, "Classic.jpg"))
    write_xml("Classic", slots)


def hearts(tmp):
    size = (900, 600)
    slots = [
        Slot("path", 270, 340, 320, 282, angle=-10, border=8, colour="FFFFFFFF", figure=HEART),
        Slot("path", 630, 340, 320, 282, angle=10, border=8, colour="FFFFFFFF", figure=HEART),
        Slot("ellipse", 450, 110, 140, 140, border=5, colour="FFE91E63", inset=4),
    ]
    bg = os.path.join(tmp, "bg.png")
    confetti = []
    for j in range(46):
        x, y = (j * 197) % 880 + 10, (j * 113) % 580 + 10
        sc = 0.12 + (j % 5) * 0.04
        confetti += ["-draw", "push graphic-context translate %d,%d rotate %d scale %g,%g translate -50,-44 path '%s' pop graphic-context"
                     % (x, y, (j * 37) % 60 - 30, sc, sc, HEART[0])]
    draw("-size", "%dx%d" % size, "radial-gradient:#FFF0F5-#F4A7C0", "-fill", "#FFFFFF50", *confetti, bg)
    shadows_and_places(tmp, size, slots, bg, os.path.join(OUT, "Hearts.jpg"))
    write_xml("Hearts", slots)


def chat(tmp):
    size = (900, 600)
    slots = [
        Slot("path", 265, 200, 400, 320, angle=-4, border=6, colour="FFFFFFFF", figure=BALLOON),
        Slot("path", 630, 390, 390, 312, angle=5, border=6, colour="FFFFFFFF", figure=BALLOON, fliph=True),
        Slot("polygon", 810, 95, 150, 150, border=4, colour="FFFFC107", points=star(75, 75, 75, 32)),
    ]
    bg = os.path.join(tmp, "bg.png")
    clouds = []
    for cx, cy, r in ((120, 520, 90), (230, 560, 70), (760, 70, 60), (640, 40, 50), (470, 590, 80)):
        clouds += ["-draw", "ellipse %d,%d %d,%d 0,360" % (cx, cy, r * 1.6, r)]
    draw("-size", "%dx%d" % size, "gradient:#9CCBF2-#E8F4FD", "(", "-size", "%dx%d" % size, "xc:none",
         "-fill", "#FFFFFFB0", *clouds, "-blur", "0x14", ")", "-compose", "over", "-composite", bg)
    shadows_and_places(tmp, size, slots, bg, os.path.join(OUT, "Chat.jpg"))
    write_xml("Chat", slots)


def snapshots(tmp):
    size = (900, 600)
    slots = [
        Slot("path", 215, 230, 300, 240, angle=-8, border=14, colour="FFFDFDF8", figure=PRINT),
        Slot("path", 470, 370, 300, 240, angle=4, border=14, colour="FFFDFDF8", figure=PRINT),
        Slot("path", 715, 215, 260, 300, angle=9, border=14, colour="FFFDFDF8", figure=PRINT),
    ]
    bg = os.path.join(tmp, "bg.png")
    planks = []
    for x in range(0, 900, 150):
        planks += ["-draw", "line %d,0 %d,599" % (x, x)]
    draw("-size", "%dx%d" % size, "gradient:#9C7A5B-#6B4E37", "-fill", "none", "-stroke", "#5A3F2C80",
         "-strokewidth", 3, *planks, bg)
    shadows_and_places(tmp, size, slots, bg, os.path.join(OUT, "Snapshots.jpg"))
    write_xml("Snapshots", slots)


def window(tmp):
    """A mount with three windows: the page lies over the photos (Transparent on)."""
    size = (600, 400)
    down = [(0, 0), (160, 0), (80, 139)]
    slots = [
        Slot("ellipse", 120, 200, 170, 230, inset=0),
        Slot("polygon", 300, 200, 190, 190, points=hexagon(95, 95, 95)),
        Slot("polygon", 480, 190, 160, 139, points=[(80, 0), (160, 139), (0, 139)], flipv=True),
    ]
    # The windows are a few pixels inside the slots, so the mount overlaps each photo's edge.
    holes = ["ellipse 120,200 77,107 0,360",
             "polygon " + " ".join("%g,%g" % (300 + 87 * math.cos(math.pi / 3 * i), 200 + 87 * math.sin(math.pi / 3 * i)) for i in range(6)),
             "polygon " + " ".join("%g,%g" % (400 + 80 + (x - 80) * 0.88, 120 + 6 + y * 0.88) for x, y in down)]
    mask = os.path.join(tmp, "mask.png")
    args = ["-size", "%dx%d" % size, "xc:white", "-fill", "black"]
    for hole in holes:
        args += ["-draw", hole]
    draw(*args, mask)
    mount = os.path.join(tmp, "mount.png")
    args = ["-size", "%dx%d" % size, "xc:#24544C", "-fill", "none", "-stroke", "#D9B45A", "-strokewidth", 3]
    for hole in holes:
        args += ["-draw", hole]
    args += ["-strokewidth", 2, "-draw", "rectangle 10,10 589,389"]
    draw(*args, mask, "-alpha", "off", "-compose", "CopyOpacity", "-composite", "-define", "png:color-type=6",
         "-strip", os.path.join(OUT, "Window.png"))
    write_xml("Window", slots, transparent=True, move=False)


def main():
    os.makedirs(OUT, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for make in (classic, hearts, chat, snapshots, window):
            make(tmp)
    for name in sorted(os.listdir(OUT)):
        print("%8d %s" % (os.path.getsize(os.path.join(OUT, name)), name))


if __name__ == "__main__":
    main()
