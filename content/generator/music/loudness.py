#!/usr/bin/env python3
"""Renders tracker modules with openmpt123 and reports what docs/music.md lists.

    loudness.py [--wav DIR] DIR_OR_FILES...

For each module, from its order list: the length of one pass, and where a jump
back at its end lands (the loop: the time it resumes at, its length). From a
16-bit, 44100 Hz render that plays the loop once more: peak and RMS (dBFS) of
the first pass; the RMS of consecutive 8-second blocks from the loop's start to
the jump (the sections' contrast: quietest, loudest, range); the quietest
250 ms within 4 s either side of the jump (or of the end, for a tune that
stops): a loop that dips into near silence shows here. `--wav DIR` keeps the
renders.
"""
import array
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
BLOCK = 8.0
DIP_WINDOW = 0.25


def db(value):
    return 20 * math.log10(value) if value > 0 else float("-inf")


def timeline(data):
    """Plays the order list of an S3M: (seconds of one pass, order index a
    jump back lands on or None, seconds at which that order first started)."""
    orders_count, _, patterns_count = struct.unpack_from("<HHH", data, 0x20)
    insnum = struct.unpack_from("<H", data, 0x22)[0]
    speed, tempo = data[0x31], data[0x32]
    orders = list(data[0x60:0x60 + orders_count])
    pattern_ptrs = struct.unpack_from(f"<{patterns_count}H", data, 0x60 + orders_count + 2 * insnum)

    def rows_of(pattern):
        at = pattern_ptrs[pattern] * 16 + 2
        rows, row = [[] for _ in range(64)], 0
        while row < 64 and at < len(data):
            what = data[at]
            at += 1
            if what == 0:
                row += 1
                continue
            if what & 32:
                at += 2
            if what & 64:
                at += 1
            if what & 128:
                rows[row].append((data[at], data[at + 1]))
                at += 2
        return rows

    seconds, started, position, start_row = 0.0, {}, 0, 0
    while position < len(orders):
        pattern = orders[position]
        if pattern == 254:
            position += 1
            continue
        if pattern == 255:
            break
        started.setdefault(position, seconds)
        next_position, next_row = position + 1, 0
        rows = rows_of(pattern)
        for row in range(start_row, 64):
            jump = None
            for command, info in rows[row]:
                if command == 1 and info:
                    speed = info
                elif command == 20 and info >= 32:
                    tempo = info
                elif command == 2:
                    jump = info
                elif command == 3:
                    jump = position + 1 if jump is None else jump
                    next_row = (info >> 4) * 10 + (info & 15)
            seconds += speed * 2.5 / tempo
            if jump is not None:
                if jump <= position and any(c == 2 for c, _ in rows[row]):
                    return seconds, jump, started.get(jump, 0.0)
                next_position = jump
                break
        position, start_row = next_position, next_row
    return seconds, None, None


def render(path, keep_dir):
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, os.path.basename(path))
        shutil.copyfile(path, copy)
        # --repeat 1: a looping tune plays its loop a second time.
        subprocess.run(["openmpt123", "--quiet", "--render", "--force", "--no-float", "--repeat", "1",
                        "--samplerate", str(RATE), copy],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if keep_dir:
            shutil.copyfile(copy + ".wav", os.path.join(keep_dir, os.path.basename(path) + ".wav"))
        with wave.open(copy + ".wav", "rb") as w:
            channels = w.getnchannels()
            data = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder != "little":
        data.byteswap()
    if channels == 2:
        return data, array.array("d", ((data[i] + data[i + 1]) / 65536 for i in range(0, len(data) - 1, 2)))
    return data, array.array("d", (v / 32768 for v in data))


def rms_db(mono, start, end):
    start, end = max(0, int(start * RATE)), min(len(mono), int(end * RATE))
    if end <= start:
        return float("-inf")
    return db(math.sqrt(sum(v * v for v in mono[start:end]) / (end - start)))


def measure(path, keep_dir=None):
    with open(path, "rb") as f:
        one_pass, target, resumes_at = timeline(f.read())
    data, mono = render(path, keep_dir)
    first = data[:int(one_pass * RATE) * 2]
    peak = max(max(first), -min(first)) / 32768 if first else 0.0
    body_from = resumes_at if target is not None else 0.0
    blocks = []
    t = body_from
    while t + BLOCK <= one_pass + 1e-6:
        blocks.append(rms_db(mono, t, t + BLOCK))
        t += BLOCK
    seam = one_pass
    dips = [rms_db(mono, s, s + DIP_WINDOW)
            for s in (seam - 4 + i * DIP_WINDOW for i in range(int(8 / DIP_WINDOW)))
            if s >= 0 and s + DIP_WINDOW <= len(mono) / RATE]
    return {
        "seconds": one_pass,
        "loop_from": resumes_at,
        "rms": rms_db(mono, 0, one_pass),
        "peak": db(peak),
        "quietest_block": min(blocks) if blocks else float("nan"),
        "loudest_block": max(blocks) if blocks else float("nan"),
        "dip": min(dips) if dips else float("nan"),
    }


def clock(seconds):
    minutes, tenths = divmod(round(seconds * 10), 600)
    return f"{minutes}:{tenths / 10:04.1f}"


def main(args):
    keep_dir = None
    if args[:1] == ["--wav"]:
        keep_dir, args = args[1], args[2:]
        os.makedirs(keep_dir, exist_ok=True)
    files = []
    for a in args or ["."]:
        if os.path.isdir(a):
            files += sorted(os.path.join(a, f) for f in os.listdir(a) if f.upper().endswith(".S3M"))
        else:
            files.append(a)
    print("| File | One pass | Loops back to | Loop | Peak dBFS | RMS dBFS | 8 s blocks (quietest / loudest) "
          "| Range dB | Quietest 250 ms at the seam |")
    print("|---|---|---|---|---|---|---|---|---|")
    for f in files:
        m = measure(f, keep_dir)
        loop = (clock(m["loop_from"]), clock(m["seconds"] - m["loop_from"])) if m["loop_from"] is not None \
            else ("(ends)", "")
        print(f"| {os.path.basename(f)} | {clock(m['seconds'])} | {loop[0]} | {loop[1]} | {m['peak']:.1f} | "
              f"{m['rms']:.1f} | {m['quietest_block']:.1f} / {m['loudest_block']:.1f} | "
              f"{m['loudest_block'] - m['quietest_block']:.1f} | {m['dip']:.1f} |")


if __name__ == "__main__":
    main(sys.argv[1:])
