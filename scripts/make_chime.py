#!/usr/bin/env python3
"""Synthesizes the clock's hourly chime, data/sounds/chime.wav.

Two struck bell tones, high then low (E5, C5), each a few inharmonic partials
that die away, then a short fade to silence: about 1.6 seconds, mono, 16-bit,
22,050 samples a second. Deterministic: the same script writes the same bytes.
Needs nothing but Python 3; the file is kept in the repository, so building
never needs the script.
"""
import math
import os
import struct
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "data", "sounds", "chime.wav")

RATE = 22050
LENGTH = 1.6  # seconds
# (relative frequency, loudness, decay per second) of a small bell's partials.
PARTIALS = [(1.0, 1.0, 3.0), (2.0, 0.45, 4.5), (2.76, 0.25, 6.0), (5.4, 0.12, 9.0)]
# (start in seconds, fundamental in hertz, loudness) of each stroke.
STROKES = [(0.0, 659.26, 0.55), (0.45, 523.25, 0.6)]


def sample(t):
    value = 0.0
    for start, frequency, loudness in STROKES:
        age = t - start
        if age < 0:
            continue
        # A few milliseconds of attack, so the stroke does not click.
        attack = min(1.0, age / 0.004)
        for ratio, level, decay in PARTIALS:
            value += loudness * level * attack * math.exp(-decay * age) * math.sin(2 * math.pi * frequency * ratio * age)
    # The last tenth of a second fades out to nothing.
    tail = LENGTH - t
    if tail < 0.1:
        value *= max(0.0, tail / 0.1)
    return value


def main():
    count = int(RATE * LENGTH)
    values = [sample(i / RATE) for i in range(count)]
    peak = max(abs(v) for v in values)
    scale = 0.7 * 32767 / peak
    frames = b"".join(struct.pack("<h", int(round(v * scale))) for v in values)
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with wave.open(OUT, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


if __name__ == "__main__":
    main()
