#!/usr/bin/env python3
"""Renders tracker modules with openmpt123 and reports what docs/music.md lists.

    loudness.py DIR_OR_FILES...

For each module: length, peak and RMS in dBFS over the whole render, the
loudest and quietest 4-second stretch (RMS; the quiet one ignores the last
4 seconds, where the tune fades out), and the level of the last 50 ms (a tune
should end in silence, not be cut off). 16-bit renders at 44100 Hz.
"""
import array
import math
import os
import subprocess
import sys
import tempfile
import wave

RATE = 44100
WINDOW = 4 * RATE


def db(value):
    return 20 * math.log10(value) if value > 0 else float("-inf")


def rms(samples):
    if not samples:
        return 0.0
    return math.sqrt(sum(v * v for v in samples) / len(samples)) / 32768


def measure(path):
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, os.path.basename(path))
        with open(path, "rb") as src, open(copy, "wb") as dst:
            dst.write(src.read())
        subprocess.run(["openmpt123", "--quiet", "--render", "--force", "--no-float",
                        "--samplerate", str(RATE), copy],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with wave.open(copy + ".wav", "rb") as w:
            channels = w.getnchannels()
            frames = w.getnframes()
            data = array.array("h", w.readframes(frames))
    if sys.byteorder != "little":
        data.byteswap()
    mono = array.array("i", (data[i] + data[i + 1] for i in range(0, len(data) - 1, 2))) \
        if channels == 2 else data
    peak = max(max(data), -min(data)) / 32768 if data else 0.0
    windows = []
    for start in range(0, max(len(mono) - WINDOW, 0), WINDOW // 2):
        windows.append(rms(mono[start:start + WINDOW]) / (2 if channels == 2 else 1))
    body = windows[:-2] if len(windows) > 2 else windows
    tail = data[-int(0.05 * RATE) * channels:]
    return {
        "seconds": frames / RATE,
        "peak": db(peak),
        "rms": db(rms(data)),
        "loudest": db(max(windows)) if windows else float("-inf"),
        "quietest": db(min(body)) if body else float("-inf"),
        "tail": db(rms(tail)),
    }


def main(args):
    files = []
    for a in args:
        if os.path.isdir(a):
            files += sorted(os.path.join(a, f) for f in os.listdir(a) if f.upper().endswith(".S3M"))
        else:
            files.append(a)
    print("| File | Length | Peak dBFS | RMS dBFS | Loudest 4 s | Quietest 4 s | Last 50 ms |")
    print("|---|---|---|---|---|---|---|")
    for f in files:
        m = measure(f)
        minutes, seconds = divmod(m["seconds"], 60)
        print(f"| {os.path.basename(f)} | {int(minutes)}:{seconds:04.1f} | {m['peak']:.1f} | {m['rms']:.1f} | "
              f"{m['loudest']:.1f} | {m['quietest']:.1f} | {m['tail']:.1f} |")


if __name__ == "__main__":
    main(sys.argv[1:] or ["."])
