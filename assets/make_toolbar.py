#!/usr/bin/env python3
"""Draws the toolbar's twelve 24 x 24 images into assets/toolbar.bmp: one strip of 288 x 24
pixels in 16 colours (a 4-bit Windows bitmap). Left to right: undo, pen, flood fill,
rectangle edges, filled rectangle, pattern fill, pattern rectangle, cut, copy, copy with a
background, paste, redo (the undo arrow mirrored; it comes last so the others keep their
places, and the toolbar shows it beside undo). Colour 13 (magenta) is the background, shown
transparent. Standard library only."""
import math
import struct
from pathlib import Path

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 200, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, GREEN, YELLOW, BLUE, BACK, CYAN, WHITE = range(16)
SIZE, COUNT = 24, 12


class Image:
    def __init__(self):
        self.px = [[BACK] * (SIZE * COUNT) for _ in range(SIZE)]
        self.ox = 0

    def at(self, index):
        self.ox = index * SIZE
        return self

    def dot(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][self.ox + x] = c

    def mirror(self, index):
        """The image at index, left to right, drawn into the current image."""
        for y in range(SIZE):
            for x in range(SIZE):
                self.dot(SIZE - 1 - x, y, self.px[y][index * SIZE + x])

    def rect(self, x1, y1, x2, y2, c, fill=None):
        for x in range(x1, x2 + 1):
            for y in range(y1, y2 + 1):
                edge = x in (x1, x2) or y in (y1, y2)
                if edge:
                    self.dot(x, y, c)
                elif fill is not None:
                    self.dot(x, y, fill)

    def line(self, x1, y1, x2, y2, c):
        steps = max(abs(x2 - x1), abs(y2 - y1), 1)
        for i in range(steps + 1):
            self.dot(round(x1 + (x2 - x1) * i / steps), round(y1 + (y2 - y1) * i / steps), c)

    def checker(self, x1, y1, x2, y2, a, b):
        for x in range(x1, x2 + 1):
            for y in range(y1, y2 + 1):
                self.dot(x, y, a if ((x - x1) // 3 + (y - y1) // 3) % 2 == 0 else b)

    def page(self, x, y, w, h, fill=WHITE):
        self.rect(x, y, x + w - 1, y + h - 1, BLACK, fill)
        for row in range(y + 3, y + h - 2, 3):
            self.line(x + 2, row, x + w - 3, row, GRAY)

    def bucket(self, inside, inside2=None):
        # a tilted pail pouring to the right
        for y in range(8, 21):
            half = 3 + (y - 8) // 3
            for x in range(11 - half, 11 + half + 1):
                edge = x in (11 - half, 11 + half) or y == 20
                colour = BLACK if edge else inside
                if inside2 is not None and not edge and ((x // 2 + y // 2) % 2):
                    colour = inside2
                self.dot(x, y, colour)
        self.line(5, 8, 17, 8, BLACK)
        self.line(8, 7, 11, 3, BLACK)
        self.line(11, 3, 14, 7, BLACK)
        for y in range(9, 17):
            self.dot(19, y, inside)
            self.dot(20, y + 1, inside)


def draw():
    img = Image()
    # 0 undo: an arrow that turns back to the left
    i = img.at(0)
    for t in range(0, 181, 3):
        a = math.radians(t - 90)
        for r in (5, 6, 7):
            i.dot(14 + round(r * math.cos(a)), 12 + round(r * math.sin(a)), NAVY)
    for y in (5, 6, 7):
        i.line(7, y, 14, y, NAVY)
    for y in (17, 18, 19):
        i.line(8, y, 14, y, NAVY)
    for k in range(5):
        i.line(7 - k, 6 - k, 7 - k, 6 + k, NAVY)
    # 1 pen: a pencil from top right to bottom left
    i = img.at(1)
    for k in range(-2, 3):
        colour = BLACK if abs(k) == 2 else YELLOW
        i.line(18 + k, 3, 7 + k, 14, colour)
        i.line(18, 3 + k, 7, 14 + k, colour)
    i.line(17, 1, 22, 6, RED)
    i.line(16, 2, 21, 7, RED)
    i.line(5, 14, 9, 18, OLIVE)
    i.line(4, 16, 7, 19, OLIVE)
    i.line(3, 21, 5, 19, BLACK)
    i.dot(3, 20, BLACK)
    i.dot(4, 21, BLACK)
    # 2 flood fill: a pail pouring blue
    img.at(2).bucket(BLUE)
    # 3 rectangle edges
    i = img.at(3)
    i.rect(3, 5, 20, 18, BLACK)
    i.rect(4, 6, 19, 17, BLUE)
    # 4 filled rectangle
    i = img.at(4)
    i.rect(3, 5, 20, 18, BLACK, GREEN)
    # 5 pattern fill: a pail pouring a pattern
    img.at(5).bucket(RED, YELLOW)
    # 6 pattern rectangle
    i = img.at(6)
    i.checker(4, 6, 19, 17, RED, YELLOW)
    i.rect(3, 5, 20, 18, BLACK)
    # 7 cut: scissors
    i = img.at(7)
    i.line(8, 2, 14, 13, GRAY)
    i.line(15, 2, 9, 13, GRAY)
    i.line(9, 2, 15, 13, BLACK)
    i.line(14, 2, 8, 13, BLACK)
    for cx in (7, 16):
        for a in range(24):
            t = a * math.pi / 12
            i.dot(cx + round(3 * math.cos(t)), 17 + round(3 * math.sin(t)), RED)
    # 8 copy: two pages
    i = img.at(8)
    i.page(3, 2, 11, 14)
    i.page(10, 8, 11, 14)
    # 9 copy with a background: two pages on a coloured ground
    i = img.at(9)
    i.rect(1, 1, 22, 22, DGREEN, GREEN)
    i.page(3, 2, 11, 14)
    i.page(10, 8, 11, 14)
    # 10 paste: a clipboard holding a page
    i = img.at(10)
    i.rect(3, 4, 17, 21, BLACK, OLIVE)
    i.rect(7, 2, 13, 5, BLACK, SILVER)
    i.page(10, 9, 11, 13)
    # 11 redo: the undo arrow turning back to the right
    img.at(11).mirror(0)
    return img


def write_bmp(path, img):
    width, height = SIZE * COUNT, SIZE
    row_bytes = (width * 4 + 31) // 32 * 4
    pixels = b""
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(0, width, 2):
            row.append((img.px[y][x] << 4) | img.px[y][x + 1])
        pixels += bytes(row) + b"\0" * (row_bytes - len(row))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    Path(path).write_bytes(header + info + colours + pixels)


if __name__ == "__main__":
    write_bmp(Path(__file__).with_name("toolbar.bmp"), draw())
