#!/usr/bin/env python3
"""Writes the small seed bitmaps of the bitmap fuzz target: a 9 x 7 picture as a Windows bitmap
at 1, 4, 8, 16, 24 and 32 bits a pixel, one with 8-bit run-length encoding and one stored top
down. Standard library only."""
import struct
from pathlib import Path

W, H = 9, 7
COLOURS = [(0, 0, 0), (248, 16, 136), (40, 200, 80), (255, 255, 255)]


def index(x, y):
    return (x // 3 + y) % 4 if x < 8 else 1


def bitmap(depth, rle=False, top_down=False):
    table = [COLOURS[i % 4] for i in range(1 << depth)] if depth <= 8 else []
    rows = []
    for y in range(H):
        if depth == 1:
            bits = [index(x, y) & 1 for x in range(W)]
            row = bytes(sum(b << (7 - i) for i, b in enumerate(bits[k:k + 8])) for k in range(0, W, 8))
        elif depth == 4:
            row = bytes((index(x, y) << 4) | (index(x + 1, y) if x + 1 < W else 0) for x in range(0, W, 2))
        elif depth == 8:
            row = bytes(index(x, y) for x in range(W))
        elif depth == 16:
            row = b"".join(struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
                           for r, g, b in (COLOURS[index(x, y)] for x in range(W)))
        else:
            row = b"".join(bytes((b, g, r)) + (b"\0" if depth == 32 else b"")
                           for r, g, b in (COLOURS[index(x, y)] for x in range(W)))
        rows.append(row + b"\0" * (-len(row) % 4))
    order = rows if top_down else rows[::-1]
    if rle:
        pixels = b""
        for y in (range(H) if top_down else reversed(range(H))):
            for x in range(W):
                pixels += bytes((1, index(x, y)))
            pixels += b"\0\0"
        pixels += b"\0\1"
    else:
        pixels = b"".join(order)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in table)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, W, -H if top_down else H, 1, depth, 1 if rle else 0, len(pixels),
                       2835, 2835, len(table), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


if __name__ == "__main__":
    out = Path(__file__).parent / "corpus" / "bitmap"
    out.mkdir(parents=True, exist_ok=True)
    for depth in (1, 4, 8, 16, 24, 32):
        (out / f"d{depth}.bmp").write_bytes(bitmap(depth))
    (out / "rle8.bmp").write_bytes(bitmap(8, rle=True))
    (out / "top_down.bmp").write_bytes(bitmap(24, top_down=True))
