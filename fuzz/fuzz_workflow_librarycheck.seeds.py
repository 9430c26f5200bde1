#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_workflow_librarycheck: index values of our own (usable, climbing,
absolute, drive, UNC, control bytes, broken Shift-JIS, temporary file names) and small catalogs:
512 x 384 at 8 bits in run-length form (blank, with a drawn cell, with indices past a short colour
table) and a 24-bit one of another size."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_workflow_librarycheck")


def rle8_catalog(colours, cell_index, drawn_slots, fill=255):
    rows = []
    for y in range(384):
        row = bytearray()
        x = 0
        while x < 512:
            slot = (y // 96) * 4 + x // 128
            index = cell_index if slot in drawn_slots and (x % 128) == (y % 96) else fill
            run = 1
            while x + run < 512 and run < 255:
                nx = x + run
                nslot = (y // 96) * 4 + nx // 128
                nindex = cell_index if nslot in drawn_slots and (nx % 128) == (y % 96) else fill
                if nindex != index:
                    break
                run += 1
            row += bytes([run, index])
            x += run
        rows.append(bytes(row) + b"\x00\x00")
    pixels = b"".join(reversed(rows)) + b"\x00\x01"
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in colours)
    offset = 14 + 40 + len(table)
    header = struct.pack("<IiiHHIIiiII", 40, 512, 384, 1, 8, 1, len(pixels), 0, 0, len(colours), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + table + pixels


def bmp24(width, height, colour):
    stride = (width * 3 + 3) & ~3
    row = bytes(colour) * width + b"\x00" * (stride - width * 3)
    pixels = row * height
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) + header + pixels


grey = [(i, i, i) for i in range(255)] + [(155, 74, 115)]
SEEDS = {
    "usable": b"cars\\cars",
    "climbing": b"cars\\..\\..\\evil",
    "absolute": b"\\windows\\system",
    "drive": b"C:\\x.BMP",
    "unc": b"\\\\server\\share\\x",
    "control": b"ca\x01rs\\cars",
    "sjis": "表示\\ソ能".encode("cp932"),
    "broken_sjis": b"\x83\\\xff",
    "temporary": b".cars.BMP.partwell-a1B2c3",
    "blank_catalog": rle8_catalog(grey, 0, set()),
    "drawn_cell": rle8_catalog(grey, 0, {5, 15}),
    "short_table": rle8_catalog([(0, 0, 0), (155, 74, 115)], 7, {2}, fill=1),
    "other_size": bmp24(20, 10, (155, 74, 115)),
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
