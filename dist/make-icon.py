#!/usr/bin/python3
"""Draws Partwell's icon: a catalog sheet in the program's preview colour with a flat-shaded cube
on it, lit as the preview lights its faces. Writes partwell.svg and partwell-48.png and
partwell-128.png from the same shapes (the PNGs drawn four times larger and reduced, for smooth
edges). The output is deterministic.

Usage: dist/make-icon.py OUT_DIR
"""
import os
import sys

from PIL import Image, ImageDraw

VIEW = 128  # the drawing's own units; every shape below is in them

BACKGROUND = (115, 74, 155)  # the program's default preview background, 0x734A9B
GRID = (150, 118, 186)
SHEET = [(8, 8), (120, 8), (120, 120), (8, 120)]
# The cube: top, left and right faces, as the preview would shade them (bright top, darker sides).
CUBE = [
    ((236, 236, 236), [(64, 26), (100, 44), (64, 62), (28, 44)]),
    ((176, 176, 176), [(28, 44), (64, 62), (64, 104), (28, 86)]),
    ((112, 112, 112), [(64, 62), (100, 44), (100, 86), (64, 104)]),
]
GRID_LINES = [((8, 36), (120, 36)), ((8, 64), (120, 64)), ((8, 92), (120, 92)),
              ((36, 8), (36, 120)), ((64, 8), (64, 120)), ((92, 8), (92, 120))]


def hex_colour(rgb):
    return "#%02x%02x%02x" % rgb


def points(poly):
    return " ".join("%d,%d" % p for p in poly)


def svg():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
           % (VIEW, VIEW, VIEW, VIEW),
           '  <rect x="8" y="8" width="112" height="112" rx="10" fill="%s"/>' % hex_colour(BACKGROUND)]
    for (a, b) in GRID_LINES:
        out.append('  <line x1="%d" y1="%d" x2="%d" y2="%d" stroke="%s" stroke-width="2"/>'
                   % (a[0], a[1], b[0], b[1], hex_colour(GRID)))
    for colour, poly in CUBE:
        out.append('  <polygon points="%s" fill="%s" stroke="#202020" stroke-width="2" '
                   'stroke-linejoin="round"/>' % (points(poly), hex_colour(colour)))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def png(size):
    k = size * 4 / VIEW
    scaled = lambda poly: [(x * k, y * k) for (x, y) in poly]
    big = Image.new("RGBA", (size * 4, size * 4), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    draw.rounded_rectangle([8 * k, 8 * k, 120 * k, 120 * k], radius=10 * k, fill=BACKGROUND + (255,))
    for (a, b) in GRID_LINES:
        draw.line(scaled([a, b]), fill=GRID + (255,), width=max(1, round(2 * k)))
    for colour, poly in CUBE:
        draw.polygon(scaled(poly), fill=colour + (255,), outline=(32, 32, 32, 255), width=max(1, round(2 * k)))
    return big.resize((size, size), Image.LANCZOS)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "partwell.svg"), "w", newline="\n") as f:
        f.write(svg())
    for size in (48, 128):
        png(size).save(os.path.join(out_dir, "partwell-%d.png" % size), optimize=True)


if __name__ == "__main__":
    main()
