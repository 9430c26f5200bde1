#!/usr/bin/env python3
"""Writes our corpus of hostile BMP files and the fuzzer's seed files.

tests/image/data/hostile/refuse_*.bmp  each breaks one rule LoadBmp checks before it allocates, and
                                        must be refused;
tests/image/data/hostile/safe_*.bmp    run-length data that writes past its row or block, or stops
                                        short; must load, with every write kept inside the block;
fuzz/corpus/fuzz_image_loadbmp/        small valid files of every depth plus the hostile ones.

Run from anywhere: python3 tests/image/make_hostile_bmps.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
HOSTILE = os.path.join(HERE, "data", "hostile")
SEEDS = os.path.join(ROOT, "fuzz", "corpus", "fuzz_image_loadbmp")


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def bmp(width, height, bits, *, compression=0, clr_used=0, offset=None, table=None, pixels=None,
        size_image=None, info_size=40, magic=b"BM", truncate=None):
    """A BMP file; every field can be set to a lie. None means "what an honest file would hold"."""
    if table is None:
        count = clr_used or (1 << bits if bits <= 8 else 0)
        table = b"".join(struct.pack("<BBBB", i * 7 & 255, i * 13 & 255, i * 29 & 255, 0) for i in range(count))
    if pixels is None:
        rows = abs(height) if abs(height) < 1 << 16 else 1
        pixels = bytes((i * 37 + 11) & 255 for i in range(stride(max(width, 1) if width < 1 << 16 else 1, bits) * rows))
    if offset is None:
        offset = 14 + info_size + len(table)
    if size_image is None:
        size_image = len(pixels)
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression, size_image,
                       2835, 2835, clr_used, 0)
    if info_size > 40:
        info += bytes(info_size - 40)
    elif info_size < 40:
        info = info[:info_size]
    body = info + table
    # Offsets that point far away are lies about a short file; only near ones get real padding.
    gap = bytes(max(0, offset - 14 - len(body))) if offset <= 4096 else b""
    data = body + gap + pixels
    header = magic + struct.pack("<IHHI", 14 + len(data), 0, 0, offset)
    out = header + data
    return out[:truncate] if truncate is not None else out


def rle(width, height, code):
    return bmp(width, height, 8, compression=1, pixels=bytes(code), size_image=len(code))


REFUSED = {
    # Headers that are not ours to read.
    "refuse_bad_magic": bmp(4, 4, 8, magic=b"MB"),
    "refuse_short_file_header": bmp(4, 4, 8, truncate=10),
    "refuse_short_info_header": bmp(4, 4, 8, truncate=30),
    "refuse_core_header": bmp(4, 4, 24, info_size=12),
    "refuse_v5_header": bmp(4, 4, 24, info_size=124),
    "refuse_bit_count_2": bmp(4, 4, 2),
    "refuse_bit_count_0": bmp(4, 4, 0, table=b"", pixels=b"\0" * 16),
    "refuse_bitfields_16": bmp(4, 4, 16, compression=3),
    "refuse_rle4": bmp(4, 4, 4, compression=2, pixels=b"\x04\x11\x00\x01", size_image=4),
    "refuse_rle8_at_24_bits": bmp(4, 4, 24, compression=1, pixels=b"\x04\x11\x00\x01", size_image=4),
    "refuse_rle8_at_4_bits": bmp(4, 4, 4, compression=1, pixels=b"\x04\x11\x00\x01", size_image=4),
    "refuse_jpeg_compression": bmp(4, 4, 24, compression=4),
    # Sizes that cannot be an image, or that would ask for more memory than any file justifies.
    "refuse_width_0": bmp(0, 4, 8, pixels=b"\0" * 16),
    "refuse_width_negative": bmp(-4, 4, 8, pixels=b"\0" * 16),
    "refuse_width_int_min": bmp(-(1 << 31), 4, 8, pixels=b"\0" * 16),
    "refuse_height_0": bmp(4, 0, 8, pixels=b"\0" * 16),
    "refuse_height_int_min": bmp(4, -(1 << 31), 8, pixels=b"\0" * 16),
    # 0x7FFFFFFF x 32 bits: the stride needs more than 32 bits.
    "refuse_stride_overflow": bmp(0x7FFFFFFF, 1, 32, pixels=b"\0" * 16),
    # 0x40000000 x 32 bits: a 32-bit stride wraps to 0.
    "refuse_stride_wraps_to_zero": bmp(0x40000000, 1, 32, pixels=b"\0" * 16),
    # 65536 x 65536 x 8 bits: 4 GiB, which a 32-bit stride x height wraps to 0.
    "refuse_block_wraps_to_zero": bmp(65536, 65536, 8, pixels=b"\0" * 16),
    # 16384 x 16385 x 8 bits: just past 256 MiB.
    "refuse_block_past_256_mib": bmp(16384, 16385, 8, pixels=b"\0" * 16),
    # The same, run-length coded: the coded data would justify any size.
    "refuse_rle_block_past_256_mib": bmp(16384, -16385, 8, compression=1, pixels=b"\x00\x01", size_image=2),
    # Colour tables.
    "refuse_clr_used_257_at_8_bits": bmp(4, 4, 8, clr_used=257),
    "refuse_clr_used_3_at_1_bit": bmp(8, 2, 1, clr_used=3),
    "refuse_clr_used_huge": bmp(4, 4, 8, clr_used=0x40000000, table=b"\0" * 64),
    "refuse_table_beyond_end": bmp(4, 4, 8, truncate=14 + 40 + 100),
    # Pixel data.
    "refuse_pixels_beyond_end": bmp(100, 100, 24, truncate=14 + 40 + 1000),
    "refuse_pixels_one_byte_short": bmp(5, 3, 24)[:-1],
    "refuse_offset_beyond_end": bmp(4, 4, 24, offset=1 << 20),
    "refuse_offset_at_end": bmp(4, 4, 24, offset=0xFFFFFFFF),
    "refuse_offset_inside_file_header": bmp(4, 4, 24, offset=10),
    "refuse_offset_inside_info_header": bmp(4, 4, 24, offset=40),
    "refuse_offset_inside_table": bmp(4, 4, 8, offset=14 + 40 + 4 * 100),
    "refuse_rle_data_beyond_end": bmp(4, 4, 8, compression=1, pixels=b"\x04\x11\x00\x01", size_image=1000),
    "refuse_rle_size_huge": bmp(4, 4, 8, compression=1, pixels=b"\x04\x11\x00\x01", size_image=0xFFFFFFFF),
}

SAFE = {
    # A run of 255 in a row of 4 bytes, then in the last row: clipped at the row's end.
    "safe_rle_run_past_row": rle(4, 2, [255, 7, 0, 0, 255, 9, 0, 1]),
    # A literal of 9 bytes in a row of 4 (stride 4), on the last row.
    "safe_rle_literal_past_block": rle(3, 1, [0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 1]),
    # A delta that jumps far past the picture, followed by a run that must not land anywhere.
    "safe_rle_delta_past_block": rle(4, 2, [0, 2, 255, 255, 4, 5, 0, 1]),
    # A delta to the right past the row end, then a run there.
    "safe_rle_delta_past_row": rle(4, 2, [0, 2, 200, 0, 3, 6, 0, 1]),
    # More end-of-line codes than rows.
    "safe_rle_too_many_lines": rle(4, 2, [1, 1, 0, 0, 1, 2, 0, 0, 1, 3, 0, 0, 1, 4, 0, 1]),
    # Coded data that stops inside a literal, inside a delta and after a lone byte.
    "safe_rle_literal_cut": rle(8, 1, [2, 3, 0, 6, 1, 2]),
    "safe_rle_delta_cut": rle(8, 1, [2, 3, 0, 2, 1]),
    "safe_rle_lone_byte": rle(8, 1, [2, 3, 4]),
    # No end-of-picture code at all.
    "safe_rle_no_end": rle(4, 2, [4, 1, 0, 0, 4, 2]),
}


def valid_seeds():
    seeds = {}
    for bits in (1, 4, 8, 16, 24, 32):
        seeds["seed_%d_bits" % bits] = bmp(5, 3, bits)
        seeds["seed_%d_bits_top_down" % bits] = bmp(5, -3, bits)
    seeds["seed_8_bits_clr_used_20"] = bmp(6, 2, 8, clr_used=20)
    seeds["seed_24_bits_clr_used_5"] = bmp(3, 3, 24, clr_used=5, table=b"")
    seeds["seed_8_bits_offset_0"] = bmp(4, 2, 8, offset=0)
    seeds["seed_rle_every_code"] = rle(8, 4, [3, 1, 0, 3, 9, 8, 7, 0, 0, 0, 2, 1, 1, 2, 5,
                                              0, 0, 0, 4, 1, 2, 3, 4, 0, 1])
    return seeds


def write_all(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name + ".bmp"), "wb") as f:
            f.write(data)


def main():
    write_all(HOSTILE, {**REFUSED, **SAFE})
    write_all(SEEDS, {**valid_seeds(), **REFUSED, **SAFE})
    print("%d hostile files in %s, %d seeds in %s" % (len(REFUSED) + len(SAFE), HOSTILE,
                                                       len(REFUSED) + len(SAFE) + len(valid_seeds()), SEEDS))


if __name__ == "__main__":
    main()
