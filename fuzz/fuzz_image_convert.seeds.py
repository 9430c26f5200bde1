#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_image_convert: one small picture of every depth and row order,
short and full colour tables, each with a chain of operations that reaches every conversion target
and mode, Scale and ResizeCanvas (refused sizes included)."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_image_convert")
DEPTHS = [1, 4, 8, 16, 24, 32, 2]  # the index into the target's table of depths; 2 is refused

# (kind, p1, p2, p3): kind 0 ConvertDepth(targets[p1 % 8], p2 % 4), 1 Scale(p1 % 32, p2 % 32),
# 2 ResizeCanvas(p1 % 32, p2 % 32, p3 x 0x01010101).
CHAINS = {
    "median": [(0, 2, 2, 0), (1, 12, 9, 0), (0, 1, 2, 0), (2, 20, 3, 5), (0, 4, 0, 0), (0, 0, 0, 0)],
    "cube": [(0, 4, 0, 0), (0, 2, 1, 0), (1, 2, 2, 0), (2, 1, 1, 255), (0, 3, 1, 0), (0, 5, 0, 0)],
    "grey": [(0, 2, 0, 0), (2, 33, 17, 1), (0, 1, 0, 0), (0, 0, 3, 0), (0, 4, 0, 0), (1, 1, 7, 0)],
    "carries": [(0, 3, 1, 0), (1, 49, 2, 0), (0, 3, 0, 0), (2, 0, 5, 9), (0, 6, 0, 0), (0, 7, 2, 0)],
}


def seed(depth_index, width, height, top_down, table, chain, rng, body):
    data = bytes([depth_index, width - 1, (height - 1) | (0x80 if top_down else 0), table, len(chain) - 1])
    for op in chain:
        data += bytes(op)
    data += bytes(6 * 4 - 4 * len(chain))
    return data + bytes(rng.randrange(256) for _ in range(body))


rng = random.Random(5)
os.makedirs(OUT, exist_ok=True)
for i, depth in enumerate(DEPTHS):
    for name, chain in CHAINS.items():
        for top_down in (False, True):
            table = 0 if (i + top_down) % 2 == 0 else 3  # full table, or 4 entries
            width, height = 5 + i, 3 + 2 * top_down
            data = seed(i, width, height, top_down, table, chain, rng, 1024 + width * height * 4)
            path = os.path.join(OUT, f"{depth}_bits_{name}{'_top_down' if top_down else ''}")
            with open(path, "wb") as f:
                f.write(data)
