#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_shape_suf: two of our sample shapes and small files for every
primitive kind, the warnings and the conversion error."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_shape_suf")

SEEDS = {
    "minimal": b"obj suf box {\r\natr red\r\nprim poly ( 0 0 0\r\n1 0 0\r\n0 1 0 )\r\n}\r\n",
    "kinds": b"obj suf k {\nprim uvpoly ( 1 2 3 0 0\n4 5 6 1 1 )\nprim shade ( 1 2 3 0 0 1 )\n"
             b"prim uvshade (\n1 2 3 0 0 1 0 0\n)\nprim poly ( )\n}\n",
    "two_objects": b"obj suf a {\natr blue\n}\nobj suf b {\natr missing\nprim poly ( 1 1 1 )\n}\n",
    "bad_number": b"obj suf a {\nprim poly ( 0 0 0\nx y 1e39\n}\n",
    "open_prim": b"OBJ SUF a {\nPRIM POLY (\n-1.5e1 +2 .5\n}\natr red\n",
}

os.makedirs(OUT, exist_ok=True)
for sample in ("cube.suf", "two_objects.suf"):
    with open(os.path.join(HERE, "..", "data", "samples", sample), "rb") as f:
        SEEDS[sample.replace(".suf", "")] = f.read()
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
