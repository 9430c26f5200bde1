#!/usr/bin/env python3
"""Writes Partwell's own sample data: the attribute file _GENIE.ATR, the sample DOGA library under
library/ (index parts.ini, empty part and catalog folders) and loose SUF shapes under samples/.

Usage: data/make_sample_library.py [DATA_DIR]   (default: the folder of this script)

The output is deterministic (fixed formatting, no dates), so rerunning it leaves git clean. Every
file is written with CRLF line ends, as files made on Windows have them; parts.ini is Shift-JIS
(code page 932).
"""
import math
import os
import sys

CRLF = "\r\n"

# name, colour: an (r, g, b) triple for the rgb form or a single grey value for the grey form.
ATTRIBUTES = [
    ("white", (0.96, 0.96, 0.96)),  # not pure white: a face of an unknown attribute stays (1, 1, 1)
    ("black", (0.08, 0.08, 0.08)),
    ("red", (0.85, 0.10, 0.10)),
    ("green", (0.15, 0.65, 0.20)),
    ("blue", (0.15, 0.30, 0.85)),
    ("yellow", (0.95, 0.85, 0.15)),
    ("orange", (0.95, 0.50, 0.10)),
    ("cyan", (0.20, 0.75, 0.85)),
    ("magenta", (0.80, 0.20, 0.70)),
    ("brown", (0.45, 0.28, 0.12)),
    ("wood", (0.70, 0.52, 0.32)),
    ("gold", (0.90, 0.72, 0.25)),
    ("navy", (0.08, 0.12, 0.40)),
    ("pink", (0.95, 0.62, 0.70)),
    ("grey", 0.5),
    ("silver", 0.78),
    ("dark grey", 0.28),
    ("light grey", (0.85, 0.85, 0.88)),
]

# Folder records of the index: English name, Japanese name, catalog file, part prefix.
FOLDERS = [
    ("Basic Shapes", "基本ソリッド", "basic.BMP", "basic\\basic"),
    ("Machine Parts", "機能パーツ", "machine.BMP", "machine\\machine"),
    ("Signs", "表示記号", "signs.BMP", "signs\\signs"),
]


def num(v):
    """A coordinate or colour as a DOGA user writes it: fixed point, no trailing zeros."""
    text = f"{v:.4f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def write_bytes(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_text(path, lines, encoding="ascii"):
    write_bytes(path, (CRLF.join(lines) + CRLF).encode(encoding))


def quoted(name):
    return f'"{name}"' if " " in name else name


def attribute_file():
    lines = ["// Partwell sample attribute file: the colours of the attributes our sample shapes use.",
             "// One block per attribute; only the colour matters to the preview.", ""]
    for name, colour in ATTRIBUTES:
        lines.append(f"atr {quoted(name)} {{")
        if isinstance(colour, tuple):
            lines.append("\tcol ( rgb ( " + " ".join(num(c) for c in colour) + " ) )")
        else:
            lines.append(f"\tcol ( {num(colour)} )")
        lines.append("\tamb ( 0.3 )")
        lines.append("\tdif ( 0.7 )")
        lines.append("}")
        lines.append("")
    return lines


def parts_index():
    lines = ["; Sample parts library of Partwell: three folders, 16 slots each", "", "[PartsAssembler]",
             f"MenuItems={len(FOLDERS)}"]
    for i, (name, _, catalog, prefix) in enumerate(FOLDERS, 1):
        lines.append(f"Menu{i}={name},{catalog},{prefix}")
    lines += ["", "[PartsAssembler.jpn]"]
    for i, (_, jpn, catalog, prefix) in enumerate(FOLDERS, 1):
        lines.append(f"Menu{i}={jpn},{catalog},{prefix}")
    return lines


class Shape:
    """Collects objects of polygons and writes them in the SUF grammar."""

    def __init__(self, comment):
        self.lines = [f"// {comment}"]

    def begin(self, name):
        self.lines.append(f"obj suf {name} {{")
        self.current = None

    def end(self):
        self.lines.append("}")

    def atr(self, name):
        if name != self.current:
            self.lines.append(f"\tatr {quoted(name)}")
            self.current = name

    def poly(self, points, normals=None, uvs=None):
        """One primitive. The first vertex stands on the prim line, the closing parenthesis after
        the last vertex, one vertex a line in between."""
        kind = {(False, False): "poly", (False, True): "uvpoly", (True, False): "shade",
                (True, True): "uvshade"}[(normals is not None, uvs is not None)]
        rows = []
        for i, p in enumerate(points):
            fields = [num(c) for c in p]
            if normals is not None:
                fields += [num(c) for c in normals[i]]
            if uvs is not None:
                fields += [num(c) for c in uvs[i]]
            rows.append(" ".join(fields))
        self.lines.append(f"\tprim {kind} ( {rows[0]}")
        for row in rows[1:-1]:
            self.lines.append(f"\t\t{row}")
        self.lines.append(f"\t\t{rows[-1]} )" if len(rows) > 1 else "\t)")

    def text(self):
        return self.lines


def box(shape, lo, hi, attributes):
    """Six quads, counter-clockwise seen from outside; attributes for -z, +z, -y, +y, -x, +x."""
    (x0, y0, z0), (x1, y1, z1) = lo, hi
    faces = [
        [(x0, y0, z0), (x0, y1, z0), (x1, y1, z0), (x1, y0, z0)],
        [(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)],
        [(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)],
        [(x0, y1, z0), (x0, y1, z1), (x1, y1, z1), (x1, y1, z0)],
        [(x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0)],
        [(x1, y0, z0), (x1, y1, z0), (x1, y1, z1), (x1, y0, z1)],
    ]
    for face, atr in zip(faces, attributes):
        shape.atr(atr)
        shape.poly(face)


def pyramid(shape, base, height, z0=0.0, x0=0.0, y0=0.0):
    h = base / 2
    corners = [(x0 - h, y0 - h, z0), (x0 + h, y0 - h, z0), (x0 + h, y0 + h, z0), (x0 - h, y0 + h, z0)]
    apex = (x0, y0, z0 + height)
    shape.poly(list(reversed(corners)))
    for i in range(4):
        shape.poly([corners[i], corners[(i + 1) % 4], apex])


def cube():
    s = Shape("Partwell sample: a cube of 100 units with coloured sides")
    s.begin("cube")
    box(s, (-50, -50, -50), (50, 50, 50), ["red", "white", "blue", "blue", "green", "green"])
    s.end()
    return s


def pyramid_shape():
    s = Shape("Partwell sample: a square pyramid")
    s.begin("pyramid")
    s.atr("yellow")
    pyramid(s, 120, 100, z0=-50)
    s.end()
    return s


def cylinder(segments=24, radius=40.0, height=120.0):
    s = Shape("Partwell sample: a cylinder, smooth sides with vertex normals")
    s.begin("cylinder")
    z0, z1 = -height / 2, height / 2
    ring = [(radius * math.cos(2 * math.pi * i / segments), radius * math.sin(2 * math.pi * i / segments))
            for i in range(segments)]
    s.atr("blue")
    for i in range(segments):
        (ax, ay), (bx, by) = ring[i], ring[(i + 1) % segments]
        na = (ax / radius, ay / radius, 0.0)
        nb = (bx / radius, by / radius, 0.0)
        s.poly([(ax, ay, z0), (bx, by, z0), (bx, by, z1), (ax, ay, z1)], normals=[na, nb, nb, na])
    s.atr("light grey")
    s.poly([(x, y, z1) for x, y in ring])
    s.poly([(x, y, z0) for x, y in reversed(ring)])
    s.end()
    return s


def torus(major=60.0, minor=22.0, around=32, across=12):
    s = Shape("Partwell sample: a torus with texture coordinates")
    s.begin("torus")
    s.atr("gold")

    def point(i, j):
        u = 2 * math.pi * i / around
        v = 2 * math.pi * j / across
        r = major + minor * math.cos(v)
        return (r * math.cos(u), r * math.sin(u), minor * math.sin(v))

    for i in range(around):
        for j in range(across):
            quad = [point(i, j), point(i + 1, j), point(i + 1, j + 1), point(i, j + 1)]
            uv = [(i / around, j / across), ((i + 1) / around, j / across),
                  ((i + 1) / around, (j + 1) / across), (i / around, (j + 1) / across)]
            s.poly(quad, uvs=uv)
    s.end()
    return s


def gear(teeth=16, root=48.0, tip=60.0, hole=14.0, width=20.0):
    s = Shape("Partwell sample: a spur gear with a hub and a square shaft hole")
    s.begin("gear")
    z0, z1 = -width / 2, width / 2
    # Outline: for each tooth, root, flank up, tip, tip, flank down.
    outline = []
    for t in range(teeth):
        a = 2 * math.pi * t / teeth
        step = 2 * math.pi / teeth
        for frac, r in ((0.0, root), (0.15, tip), (0.45, tip), (0.6, root)):
            ang = a + frac * step
            outline.append((r * math.cos(ang), r * math.sin(ang)))
    n = len(outline)
    s.atr("silver")
    for i in range(n):
        (ax, ay), (bx, by) = outline[i], outline[(i + 1) % n]
        s.poly([(ax, ay, z0), (bx, by, z0), (bx, by, z1), (ax, ay, z1)])
    # Faces: a ring of quads between the outline and the square hole, as a fan of quads per edge.
    inner = []
    for i in range(n):
        ang = math.atan2(outline[i][1], outline[i][0])
        c, sn = math.cos(ang), math.sin(ang)
        k = hole / max(abs(c), abs(sn))  # on the square of half-side `hole`
        inner.append((k * c, k * sn))
    s.atr("dark grey")
    for i in range(n):
        j = (i + 1) % n
        o0, o1, i0, i1 = outline[i], outline[j], inner[i], inner[j]
        s.poly([(i0[0], i0[1], z1), (o0[0], o0[1], z1), (o1[0], o1[1], z1), (i1[0], i1[1], z1)])
        s.poly([(i1[0], i1[1], z0), (o1[0], o1[1], z0), (o0[0], o0[1], z0), (i0[0], i0[1], z0)])
    s.atr("black")
    square = [(hole, hole), (-hole, hole), (-hole, -hole), (hole, -hole)]
    for i in range(4):
        (ax, ay), (bx, by) = square[i], square[(i + 1) % 4]
        s.poly([(ax, ay, z1), (bx, by, z1), (bx, by, z0), (ax, ay, z0)])
    s.end()
    return s


def arrow_sign():
    s = Shape("Partwell sample: a direction sign, an arrow plate on a post")
    s.begin("arrow")
    box(s, (-4, -4, -80), (4, 4, 30), ["grey"] * 6)
    s.atr("navy")
    plate = [(-40, -6, 30), (40, -6, 30), (40, -6, 80), (-40, -6, 80)]
    s.poly(plate)
    s.atr("white")
    arrow = [(-30, -7, 50), (5, -7, 50), (5, -7, 40), (30, -7, 55), (5, -7, 70), (5, -7, 60), (-30, -7, 60)]
    s.poly(arrow)
    s.end()
    return s


def two_objects():
    s = Shape("Partwell sample: two objects in one file (a table and a vase)")
    s.begin("table")
    box(s, (-60, -40, 40), (60, 40, 48), ["wood"] * 6)
    for x in (-52, 44):
        for y in (-32, 24):
            box(s, (x, y, -40), (x + 8, y + 8, 40), ["brown"] * 6)
    s.end()
    s.begin("vase")
    s.atr("cyan")
    pyramid(s, 30, 50, z0=48)
    s.end()
    return s


def unknown_attribute():
    s = Shape("Partwell sample: a wedge that names an attribute the attribute file lacks")
    s.begin("wedge")
    s.atr("orange")
    s.poly([(-50, -30, -30), (50, -30, -30), (50, 30, -30), (-50, 30, -30)])
    s.atr("chrome_plated")
    s.poly([(-50, -30, -30), (-50, 30, -30), (50, 30, 30), (50, -30, 30)])
    s.atr("orange")
    s.poly([(50, -30, -30), (50, -30, 30), (50, 30, 30), (50, 30, -30)])
    s.poly([(-50, -30, -30), (50, -30, 30), (50, -30, -30)])
    s.poly([(-50, 30, -30), (50, 30, -30), (50, 30, 30)])
    s.end()
    return s


SAMPLES = {
    "cube.suf": cube,
    "pyramid.suf": pyramid_shape,
    "cylinder.suf": cylinder,
    "torus.suf": torus,
    "gear.suf": gear,
    "arrow.suf": arrow_sign,
    "two_objects.suf": two_objects,
    "unknown_attribute.suf": unknown_attribute,
}


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write_text(os.path.join(data, "_GENIE.ATR"), attribute_file())
    library = os.path.join(data, "library", "common")
    index = os.path.join(library, "parts", "parts.ini")
    write_text(index, parts_index(), encoding="cp932")
    for _, _, _, prefix in FOLDERS:
        write_bytes(os.path.join(library, "parts", prefix.split("\\")[0], ".gitkeep"), b"")
    write_bytes(os.path.join(library, "catalog", ".gitkeep"), b"")
    for name, make in SAMPLES.items():
        write_text(os.path.join(data, "samples", name), make().text())


if __name__ == "__main__":
    main()
