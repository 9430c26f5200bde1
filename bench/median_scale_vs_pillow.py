#!/usr/bin/python3
"""Times our median cut (ConvertDepth 8, 2 of a 512 x 384 picture) against Pillow's
quantize(256, method=MEDIANCUT, dither=NONE), and our Scale of a 256 x 192 preview to 128 x 96
against Pillow's BILINEAR resize, on the same pixels in the same run. Prints the medians, the ratios
ours / Pillow (below 1: we are faster) and the PSNR of both results: for the median cut against the
input, for the scaling against the exact 2 x 2 box average of the input.

Both sides are timed in CPU time, so that other work on the machine weighs on neither.

Usage: bench/median_scale_vs_pillow.py [BIN_DIR]   (default build/bench/bin; needs
bench_image_median and bench_image_scale built without sanitizers)
"""
import json
import math
import os
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
BIN = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "bench", "bin")
REPEATS = 7


def ours(binary, name_filter):
    """Median CPU time in ms of each benchmark of the binary, by benchmark name."""
    out = subprocess.run([os.path.join(BIN, binary), "--benchmark_format=json", f"--benchmark_filter={name_filter}",
                          f"--benchmark_repetitions={REPEATS}", "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6}[b["time_unit"]]
            times[b["run_name"]] = b["cpu_time"] * scale
    return times


def pillow(work):
    samples = []
    for _ in range(REPEATS):
        start = time.process_time()
        work()
        samples.append((time.process_time() - start) * 1000)
    return statistics.median(samples)


def psnr(a, b):
    a, b = a.convert("RGB").tobytes(), b.convert("RGB").tobytes()
    mse = sum((x - y) * (x - y) for x, y in zip(a, b)) / len(a)
    return float("inf") if mse == 0 else 10 * math.log10(255 * 255 / mse)


def main():
    with tempfile.TemporaryDirectory() as folder:
        for binary in ("bench_image_median", "bench_image_scale"):
            subprocess.run([os.path.join(BIN, binary), "--dump", folder], check=True)
        median_times = ours("bench_image_median", "MedianCut")
        scale_times = ours("bench_image_scale", "ScaleThumbnail")

        print("median cut, 512 x 384 to 256 colours (CPU ms, median of %d)" % REPEATS)
        for name in ("smooth", "levels", "noise"):
            source = Image.open(os.path.join(folder, f"median_in_{name}.bmp")).convert("RGB")
            source.load()
            mine = Image.open(os.path.join(folder, f"median_ours_{name}.bmp"))
            theirs = source.quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
            peer = pillow(lambda: source.quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE))
            t = median_times[f"MedianCut/{name}"]
            colours = len(source.getcolors(1 << 24))
            print(f"  {name:7s} ({colours:6d} colours): ours {t:7.2f}  Pillow {peer:7.2f}  ratio {t / peer:.3f}"
                  f"   PSNR ours {psnr(source, mine):5.2f} dB  Pillow {psnr(source, theirs):5.2f} dB")

        source = Image.open(os.path.join(folder, "scale_in.bmp")).convert("RGB")
        source.load()
        mine = Image.open(os.path.join(folder, "scale_ours.bmp"))
        theirs = source.resize((128, 96), Image.Resampling.BILINEAR)
        box = source.reduce(2)
        peer = pillow(lambda: source.resize((128, 96), Image.Resampling.BILINEAR))
        t = scale_times["ScaleThumbnail"]
        print("Scale, 256 x 192 to 128 x 96 at 24 bits (CPU ms, median of %d)" % REPEATS)
        print(f"  preview: ours {t:7.3f}  Pillow {peer:7.3f}  ratio {t / peer:.3f}"
              f"   PSNR against the 2 x 2 average: ours {psnr(box, mine):5.2f} dB  Pillow {psnr(box, theirs):5.2f} dB")


if __name__ == "__main__":
    main()
