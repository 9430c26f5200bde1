#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_controls_printformat: a double (host order, little-endian here)
followed by formats of our own, good ones and the kinds that must be refused."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_controls_printformat")

VALUES = {"one_and_half": 1.5, "huge": 1.7e308, "tiny": -4.9e-324, "inf": float("inf"), "nan": float("nan")}
FORMATS = {
    "default": b"%.2lf",
    "integer_look": b"%.0f",
    "literal": b"x=%5.1f%%",
    "exponent": b"%+08.3e",
    "wide": b"%999.999f",
    "string": b"%s",
    "count": b"%n",
    "two": b"%f%f",
    "star": b"%*.*f",
    "nul_inside": b"%f\x00%s",
    "trailing": b"abc%",
    "shift_jis": "値=%.1f度".encode("cp932"),
}

os.makedirs(OUT, exist_ok=True)
for vname, v in VALUES.items():
    for fname, f in FORMATS.items():
        with open(os.path.join(OUT, f"{fname}_{vname}"), "wb") as out:
            out.write(struct.pack("<d", v) + f)
