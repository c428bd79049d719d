#!/usr/bin/env python3
"""Writes Verscout's file animation `livupd`: a sheet that leaves the
update server (a globe) and lands in the update folder, as a silent RIFF
AVI clip with RLE8 frames.

Usage: tools/livupd/make_livupd.py [OUTPUT]   (default: updater/res/livupd)

The background is the button face colour (212, 208, 200); the animation
window draws it transparent, so the clip sits on any background. Shapes are
drawn at four times the size and averaged, so their edges are smooth.
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 96, 40
FRAMES = 16
MICROSEC_PER_FRAME = 80000  # 12.5 frames a second
SS = 4  # supersampling
BACKGROUND = (212, 208, 200)

OCEAN = (40, 110, 200)
OCEAN_DARK = (20, 70, 150)
LAND = (70, 160, 80)
OUTLINE = (30, 50, 90)
FOLDER = (235, 190, 70)
FOLDER_DARK = (190, 140, 40)
SHEET = (255, 255, 255)
SHEET_EDGE = (90, 90, 110)
TEXT_LINE = (150, 160, 190)


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def render(frame):
    """One frame as rows of RGB tuples, top row first."""
    t = frame / FRAMES
    # The sheet flies on an arc from the globe to the folder, turning a little.
    sx = 22 + (74 - 22) * t
    sy = 20 - 14 * math.sin(math.pi * t)
    angle = -0.5 + t
    scale = 0.6 + 0.4 * math.sin(math.pi * t)
    # The globe turns: its land moves to the right.
    turn = frame * 2.0

    def colour_at(x, y):
        # The sheet is drawn last, over everything.
        dx, dy = x - sx, y - sy
        ca, sa = math.cos(angle), math.sin(angle)
        u = (dx * ca + dy * sa) / scale
        v = (-dx * sa + dy * ca) / scale
        if abs(u) <= 6 and abs(v) <= 8:
            if abs(u) >= 5.2 or abs(v) >= 7.2:
                return SHEET_EDGE
            if -4 <= u <= 4 and any(abs(v - line) <= 0.5 for line in (-4, -1.5, 1, 3.5)):
                return TEXT_LINE
            return SHEET
        # The folder on the right.
        if 70 <= x <= 92 and 18 <= y <= 36:
            if y <= 21 and x >= 80:
                return BACKGROUND
            if x <= 70.8 or x >= 91.2 or y >= 35.2 or y <= 18.8:
                return FOLDER_DARK
            return FOLDER_DARK if y <= 22.5 else FOLDER
        # The globe on the left.
        if inside_circle(x, y, 18, 20, 14):
            if not inside_circle(x, y, 18, 20, 13):
                return OUTLINE
            lon = (x - 18 + turn) % 28
            lat = y - 20
            if ((lon - 8) / 5) ** 2 + ((lat + 3) / 7) ** 2 <= 1 or ((lon - 20) / 4) ** 2 + ((lat - 5) / 5) ** 2 <= 1:
                return LAND
            return OCEAN_DARK if (x - 12) ** 2 + (y - 14) ** 2 > 150 else OCEAN
        return BACKGROUND

    rows = []
    for py in range(HEIGHT):
        row = []
        for px in range(WIDTH):
            acc = [0, 0, 0]
            for sy_ in range(SS):
                for sx_ in range(SS):
                    c = colour_at(px + (sx_ + 0.5) / SS, py + (sy_ + 0.5) / SS)
                    for i in range(3):
                        acc[i] += c[i]
            n = SS * SS
            row.append(tuple((a + n // 2) // n for a in acc))
        rows.append(row)
    return rows


def quantise(frames):
    """A palette of at most 256 colours (the background first) and the
    frames as index rows. Colours beyond 256 are rounded to 4 bits a
    channel and merged."""
    colours = {BACKGROUND}
    for f in frames:
        for row in f:
            colours.update(row)
    rounding = 0
    while len(colours) > 256:
        rounding += 1
        mask = 0xFF << rounding & 0xFF

        def r(c):
            return c if c == BACKGROUND else tuple(v & mask for v in c)

        colours = {r(c) for c in colours}
        frames = [[[r(c) for c in row] for row in f] for f in frames]
    palette = [BACKGROUND] + sorted(colours - {BACKGROUND})
    index = {c: i for i, c in enumerate(palette)}
    return palette, [[[index[c] for c in row] for row in f] for f in frames]


def rle8(rows):
    """One whole frame, bottom row first, as RLE8 runs and literal runs."""
    out = bytearray()
    for row in reversed(rows):
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and row[x + run] == row[x] and run < 255:
                run += 1
            if run >= 3 or len(row) - x < 3:
                out += bytes((run, row[x]))
                x += run
                continue
            # Literal pixels until the next run of three.
            end = x
            while end < len(row) and end - x < 255:
                if end + 2 < len(row) and row[end] == row[end + 1] == row[end + 2]:
                    break
                end += 1
            count = end - x
            if count < 3:
                for i in range(count):
                    out += bytes((1, row[x + i]))
            else:
                out += bytes((0, count)) + bytes(row[x:end])
                if count % 2:
                    out += b"\0"
            x = end
        out += b"\0\0"  # end of line
    out += b"\0\1"  # end of bitmap
    return bytes(out)


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, data):
    return chunk(b"LIST", kind + data)


def avi(palette, frames):
    encoded = [rle8(f) for f in frames]
    largest = max(len(e) for e in encoded)
    avih = struct.pack("<10I4I", MICROSEC_PER_FRAME, largest * 1000000 // MICROSEC_PER_FRAME, 0, 0x10,
                       len(frames), 0, 1, largest, WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = b"vids" + b"RLE " + struct.pack("<IHHIIIIIIIIhhhh", 0, 0, 0, 0, MICROSEC_PER_FRAME, 1000000, 0,
                                           len(frames), largest, 0xFFFFFFFF, 0, 0, 0, WIDTH, HEIGHT)
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, 0, 0, 0, len(palette), 0)
    strf += b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    hdrl = riff_list(b"hdrl", chunk(b"avih", avih) + riff_list(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_data = b""
    index = b""
    offset = 4
    for e in encoded:
        index += b"00dc" + struct.pack("<III", 0x10, offset, len(e))
        c = chunk(b"00dc", e)
        movi_data += c
        offset += len(c)
    movi = riff_list(b"movi", movi_data)
    return chunk(b"RIFF", b"AVI " + hdrl + movi + chunk(b"idx1", index))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "updater", "res", "livupd")
    palette, frames = quantise([render(i) for i in range(FRAMES)])
    data = avi(palette, frames)
    with open(target, "wb") as out:
        out.write(data)
    print(f"{target}: {len(data)} bytes, {FRAMES} frames of {WIDTH} x {HEIGHT}, {len(palette)} colours")


if __name__ == "__main__":
    main()
