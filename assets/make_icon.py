#!/usr/bin/env python3
"""Draws the program's icon: a patch of tile map (grass, water, sand, a path) in a dark frame.
assets/icon.png is the 32 x 32 one the editor's windows show; assets/icons/zol-N.png are the
sizes the desktop's icon theme takes (16 to 256 pixels). Standard library only."""
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


def pixel_at(size):
    """The icon's pixel (x, y) at size x size: a one-pixel frame (more at large sizes) around
    4 x 4 tiles with faint grid lines and a little texture."""
    frame = max(1, size // 32)
    inner = size - 2 * frame
    grid = max(1, size // 32)

    def pixel(x, y):
        if min(x, y) < frame or max(x, y) >= size - frame:
            return FRAME
        tx, ty = (x - frame) * 4 // inner, (y - frame) * 4 // inner
        tile = COLOURS[LAYOUT[ty][tx]]
        cell = inner / 4
        if (x - frame) - int(tx * cell) >= int(cell) - grid or (y - frame) - int(ty * cell) >= int(cell) - grid:
            return tuple(max(0, c - 35) for c in tile)
        step = max(1, size // 32)
        shade = (((x // step) * 7 + (y // step) * 13) % 5) * 4
        return tuple(min(255, c + shade) for c in tile)

    return pixel


def write_png(path, width, height, pixel_at):
    rows = b"".join(b"\0" + b"".join(bytes(pixel_at(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    Path(path).write_bytes(png)


SIZES = (16, 32, 48, 64, 128, 256)

if __name__ == "__main__":
    here = Path(__file__).parent
    write_png(here / "icon.png", 32, 32, pixel_at(32))
    (here / "icons").mkdir(exist_ok=True)
    for size in SIZES:
        write_png(here / "icons" / f"zol-{size}.png", size, size, pixel_at(size))
