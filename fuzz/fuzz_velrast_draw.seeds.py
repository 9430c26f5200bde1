#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_velrast_draw: one buffer of each depth with a few calls of every
kind, near the buffer and far outside it (int extremes, NaN, infinities)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_velrast_draw")
NEAR = 0x80


def ints(*values):
    return b"".join(struct.pack("<i", v) for v in values)


def floats(*values):
    return b"".join(struct.pack("<f", v) for v in values)


def near(*values):
    return bytes(v & 0xFF for v in values)


INT_MIN, INT_MAX = -2**31, 2**31 - 1
INF, NAN = float("inf"), float("nan")

CALLS = (
    bytes([NEAR | 0]) + near(0, 0, 30, 2, 4, 20)
    + bytes([NEAR | 1]) + near(1, 1, 1, 20, 5, 1, 3, 18, 1)
    + bytes([NEAR | 0x40 | 1]) + near(-5, -5, 1, 40, 0, 1, 0, 40, 1)
    + bytes([NEAR | 2]) + near(-10, 10, 1, 10, 10, 1, 0, -10, 1)
    + bytes([NEAR | 3]) + near(-3, 0, 40, 12)
    + bytes([NEAR | 4]) + near(0, 0, 1, 20, 15, 1)
    + bytes([NEAR | 5]) + near(-8, 8, 1, 8, -8, 1)
    + bytes([NEAR | 0x40 | 6]) + near(2, 2, 9, 9, 1)
    + bytes([7]) + ints(0x00FF8000)
    + bytes([NEAR | 8]) + near(1, 1, 0)
    + bytes([15]) + near(0, 0)
)
FAR = (
    bytes([0]) + ints(INT_MIN, INT_MIN, INT_MAX, INT_MIN, 0, INT_MAX)
    + bytes([1]) + ints(INT_MAX, 0) + floats(0.5) + ints(INT_MIN, 3) + floats(0.5) + ints(7, INT_MAX) + floats(0.5)
    + bytes([2]) + floats(NAN, 0, 0.5, INF, -INF, 0.5, 3e38, -3e38, 0.5)
    + bytes([2]) + floats(-INF, -INF, 0.5, INF, -INF, 0.5, 0, INF, 0.5)
    + bytes([3]) + ints(INT_MIN, INT_MIN, INT_MAX, INT_MAX)
    + bytes([5]) + floats(INF, NAN, 0.5, -1e30, 1e30, INF)
    + bytes([6]) + ints(INT_MAX, INT_MIN, INT_MIN, INT_MAX)
    + bytes([8]) + floats(NAN, INF, -2.0)
)
LIFECYCLE = (
    bytes([14]) + bytes([NEAR | 0]) + near(0, 0, 3, 3, 0, 3) + bytes([11])
    + bytes([12, 124]) + bytes([NEAR | 13, 5, 7]) + bytes([NEAR | 0]) + near(0, 0, 4, 0, 0, 6)
    + bytes([13]) + ints(0, 5) + bytes([2]) + floats(0, 0, 0.5, 1, 1, 0.5, 0, 1, 0.5)
    + bytes([9, 0, 10, 0, 11])
)

os.makedirs(OUT, exist_ok=True)
for depth in range(4):
    for switches in (0b1100, 0b0100, 0b0000):
        setup = bytes([depth | switches, 41, 23])
        for name, calls in (("near", CALLS), ("far", FAR), ("lifecycle", LIFECYCLE)):
            with open(os.path.join(OUT, f"{8 * (depth + 1) if depth < 3 else 32}_bits_{switches:04b}_{name}"), "wb") as f:
                f.write(setup + calls)
