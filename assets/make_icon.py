#!/usr/bin/env python3
"""Draws the program's icon, assets/icon.png: a 32 x 32 patch of tile map (grass, water, sand,
a path) in a dark frame. Standard library only."""
import struct
import zlib
from pathlib import Path

GRASS, WATER, SAND, PATH, FRAME = (70, 150, 60), (40, 90, 190), (220, 200, 130), (150, 110, 70), (30, 30, 40)
LAYOUT = [
    "WWSG",
    "WSGG",
    "SGPG",
    "GPPG",
]
COLOURS = {"G": GRASS, "W": WATER, "S": SAND, "P": PATH}


def pixel(x, y):
    if x in (0, 31) or y in (0, 31):
        return FRAME
    tile = COLOURS[LAYOUT[(y - 1) * 4 // 30][(x - 1) * 4 // 30]]
    # a faint grid line between tiles and a little texture
    if (x - 1) % 8 == 7 or (y - 1) % 8 == 7:
        return tuple(max(0, c - 35) for c in tile)
    shade = ((x * 7 + y * 13) % 5) * 4
    return tuple(min(255, c + shade) for c in tile)


def write_png(path, width, height, pixel_at):
    rows = b"".join(b"\0" + b"".join(bytes(pixel_at(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    Path(path).write_bytes(png)


if __name__ == "__main__":
    write_png(Path(__file__).with_name("icon.png"), 32, 32, pixel)
