#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the program's two sounds as 16-bit mono wave files:
resources/sounds/alarm.wav, the alarm sound shipped beside the program (a two-note
chime, struck twice), and resources/sounds/default.wav, built into the program for a
sound file that is missing or cannot be played (three short beeps).
Run from the source folder: python3 tools/make_sounds.py"""
import math
import struct
import wave

RATE = 22050


def chime(length, strikes):
    samples = [0.0] * int(RATE * length)
    for start, freqs in strikes:
        for n in range(int(RATE * start), len(samples)):
            t = n / RATE - start
            env = math.exp(-3.2 * t)
            samples[n] += env * sum(math.sin(2 * math.pi * f * t) * a for f, a in freqs)
    return samples


def beeps(freq, count, on, off):
    samples = []
    for _ in range(count):
        for n in range(int(RATE * on)):
            edge = min(1.0, n / 200, (RATE * on - n) / 200)
            samples.append(0.6 * edge * math.sin(2 * math.pi * freq * n / RATE))
        samples += [0.0] * int(RATE * off)
    return samples


def write(path, samples):
    peak = max(abs(s) for s in samples) or 1.0
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b''.join(struct.pack('<h', int(28000 * s / peak)) for s in samples))


bell = [(880, 1.0), (1760, 0.35), (2640, 0.12)]
lower = [(660, 1.0), (1320, 0.35), (1980, 0.12)]
write('resources/sounds/alarm.wav', chime(1.6, [(0.0, bell), (0.35, lower), (0.8, bell), (1.15, lower)]))
write('resources/sounds/default.wav', beeps(1000, 3, 0.12, 0.1))
