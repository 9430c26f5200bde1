#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_platform_profile: small profile files of our own in Shift-JIS,
each followed by the three choice bytes (section, key, value) the fuzz target reads off the end."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "fuzz_platform_profile")


def sjis(text):
    return text.encode("cp932")


SEEDS = {
    "parts_crlf": sjis("[PartsAssembler]\r\nMenuItems=2\r\nMenu1=Cars,cars.BMP,cars\\cars\r\n"
                       "Menu2=Table,table.BMP,table\\table\r\n\r\n[PartsAssembler.jpn]\r\n"
                       "Menu1=表の車,cars.BMP,cars\\cars\r\nMenu2=ソ能,table.BMP,table\\table\r\n") + b"\x00\x01\x03",
    "settings": sjis("[Partwell]\r\nCGAFolder=C:\\DOGACGA\r\nBackColor=7555739\r\n") + b"\x02\x03\x01",
    "lf_comments": b"; comment\n[S]\n  k = 'quoted'  \n\n\n[Other]\nx=1\n" + b"\x03\x04\x06",
    "mixed_ends": b"[S]\rk=1\n[s]\r\nK=dup\r[T]\nbare\n" + b"\x03\x04\x02",
    "no_final_eol": b"[PartsAssembler]\r\nMenuItems=$FF" + b"\x00\x00\x04",
    "dbcs_names": sjis("[表]\r\nソ=能\r\n[X") + b"\x83\x5d\r\nk=\x81" + b"\x04\x05\x03",
    "empty": b"" + b"\x02\x03\x00",
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
