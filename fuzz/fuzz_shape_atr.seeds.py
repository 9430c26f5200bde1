#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_shape_atr: our own attribute file and small blocks that reach
every branch of the reader (both colour forms, nesting, blocks left open)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_shape_atr")

SEEDS = {
    "forms": b"atr red {\r\n col ( rgb ( 1 0 0 ) )\r\n}\r\natr grey {\r\n col ( 0.5 )\r\n}\r\n",
    "quoted": b'atr "light grey" {\n col(rgb(0.8 0.8 0.85))\n}\n',
    "nested": b"atr outer {\ncol(0.3)\nsub {\n}\ncol(0.9)\n}\natr one { col(1) }\n",
    "open_at_end": b"atr kept {\n}\natr lost {\ncol(rgb 1 1)\n",
    "dbcs": "atr 表示 {\r\ncol(rgb(0.1 0.2 0.3))\r\n}\r\n".encode("cp932"),
}

os.makedirs(OUT, exist_ok=True)
with open(os.path.join(HERE, "..", "data", "_GENIE.ATR"), "rb") as f:
    SEEDS["genie"] = f.read()
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
