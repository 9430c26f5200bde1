#!/usr/bin/env python3
"""Reads a BMP file with Pillow and prints what it sees, for BmpPillowTest.

First line: width height mode. Then one line per picture row from the top: every pixel as rrggbb
(after conversion to RGB). For palette images, one more line per row: every pixel's index.
"""
import sys

from PIL import Image

with Image.open(sys.argv[1]) as im:
    im.load()
    print(im.size[0], im.size[1], im.mode)
    rgb = im.convert("RGB")
    for y in range(im.size[1]):
        print(" ".join("%02x%02x%02x" % rgb.getpixel((x, y)) for x in range(im.size[0])))
    if im.mode == "P":
        for y in range(im.size[1]):
            print(" ".join(str(im.getpixel((x, y))) for x in range(im.size[0])))
