#!/usr/bin/python3
"""Times our LoadBmp and SaveBmp against Pillow's BMP open/load/save on the same 512 x 384 8-bit
catalog, in one run, and prints the ratios (ours / Pillow; below 1 means we are faster).

Usage: bench/bmp_vs_pillow.py [path/to/bench_image_bmp]
(default build/bench/bin/bench_image_bmp; build it with the Release configuration of bench/README.md)

Our SaveBmp writes a temporary file, flushes it to disk and renames it over the target, so a crash
never leaves a half-written catalog. Pillow's plain save does none of that; the line "Pillow, same
durability" times Pillow's save followed by the same fsync and rename, for a like-for-like figure.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))


def ours(binary, catalog):
    env = dict(os.environ, PARTWELL_BENCH_BMP=catalog)
    out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true"],
                         env=env, check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            times[b["run_name"].replace("BM_", "")] = b["real_time"] * scale[b["time_unit"]]
    return times


def median_us(fn, seconds=1.0):
    fn()
    samples = []
    end = time.perf_counter() + seconds
    while time.perf_counter() < end or len(samples) < 20:
        start = time.perf_counter()
        fn()
        samples.append((time.perf_counter() - start) * 1e6)
    samples.sort()
    return samples[len(samples) // 2]


def pillow(catalog):
    target = catalog + ".pil.bmp"

    def load():
        with Image.open(catalog) as im:
            im.load()

    with Image.open(catalog) as im:
        im.load()
        image = im.copy()

    def save():
        image.save(target, "BMP")

    def save_durably():
        temp = target + ".tmp"
        with open(temp, "wb") as f:
            image.save(f, "BMP")
            f.flush()
            os.fsync(f.fileno())
        os.replace(temp, target)

    times = {"load": median_us(load), "save": median_us(save), "save_durably": median_us(save_durably)}
    os.remove(target)
    return times


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "bench", "bin", "bench_image_bmp")
    with tempfile.TemporaryDirectory(prefix="partwell-bmp-bench-") as folder:
        catalog = os.path.join(folder, "catalog.bmp")
        us = ours(binary, catalog)
        them = pillow(catalog)
    print("512 x 384 8-bit catalog, median microseconds per call")
    print("LoadBmp            ours %8.1f  Pillow open+load %8.1f  ratio %.2f" %
          (us["LoadBmp"], them["load"], us["LoadBmp"] / them["load"]))
    print("SaveBmp            ours %8.1f  Pillow save      %8.1f  ratio %.2f" %
          (us["SaveBmp"], them["save"], us["SaveBmp"] / them["save"]))
    print("SaveBmp            ours %8.1f  Pillow, same durability %8.1f  ratio %.2f" %
          (us["SaveBmp"], them["save_durably"], us["SaveBmp"] / them["save_durably"]))
    print("SaveBmpToMemory    ours %8.1f  (encoding only)" % us["SaveBmpToMemory"])


if __name__ == "__main__":
    main()
