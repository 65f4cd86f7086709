#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed files of the data-file fuzzer into tests/fuzz/corpus: a few whole
records of every kind and some of the damage a file can carry. Run from the project
folder; the files are committed, so this is needed only to change them."""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(__file__), "..", "tests", "fuzz", "corpus")


def record(time, kind, text, pending=1, rung=0, last=0.9999999999999999, pad=0, fill=0):
    body = text[:601]
    field = body + bytes([fill]) * (601 - len(body))
    return struct.pack("<di", time, kind) + field + bytes([pending, rung, pad]) + struct.pack("<d", last)


NOON = 46000.5  # 2025-12-09 12:00
SEEDS = {
    "empty": b"",
    "one-of-each-kind": b"".join(record(NOON + k / 24, k, b"kind %d" % k) for k in range(5)),
    "rung-and-done": record(NOON - 3, 0, b"old one-off", pending=0, rung=1, last=NOON - 3)
    + record(NOON - 0.001, 1, b"daily just rung", pending=1, rung=1, last=NOON - 0.001),
    "nan-and-infinite": record(math.nan, 1, b"nan time")
    + record(math.inf, 0, b"infinite", last=-math.inf)
    + record(1e300, 3, b"far", last=math.nan),
    "unknown-kind": record(NOON, 99, b"kind 99") + record(NOON, -1, b"kind -1"),
    "no-terminator": record(NOON, 4, b"\xe9" * 601),
    "odd-length": record(NOON, 2, b"weekly") + b"\x01\x02\x03",
    "line-breaks-and-junk": record(NOON, 3, b"line one\r\nline two\x00junk after", pad=7, fill=0x41),
    "before-1900": record(-1.25, 4, b"1899-12-29 06:00") + record(-693593.5, 1, b"year 1"),
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
