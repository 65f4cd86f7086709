#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Data files for the end-to-end scripts, by the file format's table (not the program's code):
  alarmfile.py write FILE KIND,yyyy-MM-ddTHH:mm:ss,RUNG,PENDING,TEXT ...
  alarmfile.py dump FILE    a line a record: KIND RUNG PENDING TEXT"""
import datetime
import struct
import sys

RECORD = struct.Struct("<di601s??xd")  # time, kind, text, snooze pending, rung, padding, last rung
NEVER_RUNG = 0.9999999999999999
if sys.argv[1] == "write":
    with open(sys.argv[2], "wb") as f:
        for entry in sys.argv[3:]:
            kind, when, rung, pending, text = entry.split(",", 4)
            days = (datetime.datetime.fromisoformat(when) - datetime.datetime(1899, 12, 30)) / datetime.timedelta(days=1)
            f.write(RECORD.pack(days, int(kind), text.encode("cp1252"), pending == "1", rung == "1", NEVER_RUNG))
else:
    data = open(sys.argv[2], "rb").read()
    for offset in range(0, len(data) - RECORD.size + 1, RECORD.size):
        _, kind, text, pending, rung, _ = RECORD.unpack_from(data, offset)
        print(kind, int(rung), int(pending), text.split(b"\0")[0].decode("cp1252"))
