#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_image_split: lines of our own for the token splitter and the
line readers (quotes, specials, double-byte characters with awkward trail bytes, every line end)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_image_split")

SEEDS = {
    "specials": b"name=(1, 2.5) x; y [a]{b}:c\r\n",
    "quotes": b'ab"cd ef"gh a "" b "x; y" "unterminated\n',
    "command_line": b'"C:\\Program Files\\Partwell\\Partwell.exe" C:\\DOGACGA\\a.suf',
    "dbcs": "atr 表示 ソ能 {\r\n".encode("cp932") + b"\x83[\x83{\x81 \x81\"\n",
    "lead_at_end": b"abc \x83",
    "line_ends": b"a b\r\nc\rd\n\n\r\ne",
    "numbers": b"col ( rgb ( 1e3 -0.5 .25 ) ) 1e999 -1e-999 0x10 inf nan 1,5\n",
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
