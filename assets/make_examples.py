#!/usr/bin/env python3
"""Draws the example cell palette and writes the example maps.

Writes assets/tileset.bmp (64 cells of 32 x 32 pixels, 4 across and 16 down, 24-bit BMP),
examples/sample.bmp (the same picture), examples/sample.zol with examples/sample.flg, and
examples/flagless.zol (a map with no flag file). Standard library only; the output is the same
on every run.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

CELL = 32
COLS = 4
ROWS = 16
WIDTH = CELL * COLS
HEIGHT = CELL * ROWS


def hash2(x, y, seed):
    """A small integer hash mapped to 0.0 .. 1.0."""
    h = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFF) / 65535.0


def smooth_noise(x, y, seed, scale):
    """Value noise, tiling every 32 pixels so cells join up seamlessly."""
    period = max(1, CELL // scale)
    gx, gy = x / scale, y / scale
    x0, y0 = int(gx), int(gy)
    fx, fy = gx - x0, gy - y0
    fx = fx * fx * (3 - 2 * fx)
    fy = fy * fy * (3 - 2 * fy)

    def v(a, b):
        return hash2(a % period, b % period, seed)

    top = v(x0, y0) * (1 - fx) + v(x0 + 1, y0) * fx
    bottom = v(x0, y0 + 1) * (1 - fx) + v(x0 + 1, y0 + 1) * fx
    return top * (1 - fy) + bottom * fy


def clamp(c):
    return tuple(max(0, min(255, int(round(v)))) for v in c)


def shade(c, f):
    return clamp((c[0] * f, c[1] * f, c[2] * f))


def mix(a, b, t):
    return clamp(tuple(a[i] * (1 - t) + b[i] * t for i in range(3)))


class Cell:
    """One 32 x 32 cell being drawn."""

    def __init__(self, seed):
        self.seed = seed
        self.px = [[(0, 0, 0)] * CELL for _ in range(CELL)]  # px[y][x]

    def set(self, x, y, c):
        if 0 <= x < CELL and 0 <= y < CELL:
            self.px[y][x] = clamp(c)

    def get(self, x, y):
        return self.px[y][x]

    def noise_fill(self, base, amount=0.12, scale=4, speckle=0.06, seed=0):
        s = self.seed * 31 + seed
        for y in range(CELL):
            for x in range(CELL):
                n = smooth_noise(x, y, s, scale) - 0.5
                p = hash2(x, y, s + 7) - 0.5
                self.set(x, y, shade(base, 1 + n * amount * 2 + p * speckle * 2))

    def rect(self, x0, y0, x1, y1, c, noise=0.0, seed=0):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                f = 1 + (hash2(x, y, self.seed * 17 + seed) - 0.5) * noise * 2
                self.set(x, y, shade(c, f))

    def outline(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def disc(self, cx, cy, r, c, light=None, noise=0.0, seed=0):
        """Filled circle; with light, shaded as a ball lit from the upper left."""
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d2 = dx * dx + dy * dy
                if d2 <= r * r:
                    f = 1.0
                    if light:
                        f = 1 + light * (-(dx + dy) / (2 * r)) - 0.25 * light * (d2 / (r * r))
                    f *= 1 + (hash2(x, y, self.seed * 13 + seed) - 0.5) * noise * 2
                    self.set(x, y, shade(c, f))

    def ellipse(self, cx, cy, rx, ry, c, alpha=1.0):
        for y in range(CELL):
            for x in range(CELL):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1:
                    self.set(x, y, mix(self.get(x, y), c, alpha))

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.set(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.set(x, y, c)

    def shadow(self, cx, cy, rx, ry):
        self.ellipse(cx, cy, rx, ry, (0, 0, 0), 0.28)


# Colours.
GRASS = (86, 158, 66)
DARK_GRASS = (58, 118, 52)
WATER = (58, 120, 196)
DEEP = (30, 66, 140)
SAND = (222, 202, 140)
DIRT = (156, 112, 70)
STONE = (150, 150, 146)
BRICK = (160, 74, 56)
MORTAR = (196, 186, 170)
WOOD = (152, 100, 56)
DARK_WOOD = (98, 62, 34)
LEAF = (48, 128, 54)
SNOW = (236, 240, 248)
ICE = (172, 214, 236)
LAVA = (224, 80, 24)


# ---- ground ----------------------------------------------------------------------------------

def grass(c, base=GRASS):
    c.noise_fill(base, 0.10, 4, 0.05)
    for i in range(26):
        x = int(hash2(i, 1, c.seed) * 32)
        y = int(hash2(i, 2, c.seed) * 30)
        tone = shade(base, 1.22 if i % 2 else 0.78)
        c.set(x, y, tone)
        c.set(x, y + 1, tone)


def water(c, base=WATER, waves=True):
    c.noise_fill(base, 0.08, 8, 0.02)
    if waves:
        for i in range(7):
            x = int(hash2(i, 3, c.seed) * 26)
            y = int(hash2(i, 4, c.seed) * 30)
            for k in range(5):
                c.set(x + k, y - (1 if k in (1, 2, 3) else 0), shade(base, 1.35))


def sand(c):
    c.noise_fill(SAND, 0.06, 4, 0.05)
    for i in range(14):
        x = int(hash2(i, 5, c.seed) * 32)
        y = int(hash2(i, 6, c.seed) * 32)
        c.set(x, y, shade(SAND, 0.82))


def dirt(c, base=DIRT):
    c.noise_fill(base, 0.12, 4, 0.08)
    for i in range(8):
        x = int(hash2(i, 7, c.seed) * 31)
        y = int(hash2(i, 8, c.seed) * 31)
        c.rect(x, y, x + 1, y, shade(base, 1.25))


def path(c):
    grass(c)
    for y in range(CELL):
        for x in range(CELL):
            wobble = (smooth_noise(x, y, c.seed, 4) - 0.5) * 4
            if 5 + wobble < x < 26 + wobble:
                n = 1 + (hash2(x, y, c.seed + 9) - 0.5) * 0.16
                c.set(x, y, shade((176, 138, 92), n))


def shore(c, side):
    sand(c)
    for y in range(CELL):
        for x in range(CELL):
            d = {"n": y, "s": 31 - y, "w": x, "e": 31 - x}[side]
            edge = 12 + (smooth_noise(x if side in "ns" else y, 0, c.seed, 4) - 0.5) * 5
            if d < edge:
                n = 1 + (smooth_noise(x, y, c.seed, 8) - 0.5) * 0.12
                c.set(x, y, shade(WATER, n))
            elif d < edge + 1.5:
                c.set(x, y, (240, 244, 246))


def stone_floor(c):
    c.noise_fill(STONE, 0.05, 4, 0.04)
    for y in range(0, CELL, 16):
        c.hline(0, 31, y, shade(STONE, 0.7))
    for y0 in (0, 16):
        off = 0 if y0 == 0 else 8
        for x in (off, off + 16):
            c.vline(x % 32, y0, y0 + 15, shade(STONE, 0.7))


def cobble(c):
    c.noise_fill(shade(STONE, 0.6), 0.05, 4, 0.03)
    for i in range(10):
        cx = 4 + (i % 3) * 11 + (5 if (i // 3) % 2 else 0)
        cy = 4 + (i // 3) * 9
        c.disc(cx % 32, cy, 4.5, shade(STONE, 0.95 + hash2(i, 9, c.seed) * 0.15), light=0.4)


def bricks(c, base=BRICK, mortar=MORTAR):
    c.noise_fill(mortar, 0.03, 4, 0.03)
    for row in range(4):
        y0 = row * 8
        off = 0 if row % 2 == 0 else 8
        for k in range(-1, 3):
            x0 = off + k * 16
            tone = shade(base, 0.9 + hash2(row, k, c.seed) * 0.2)
            c.rect(x0 + 1, y0 + 1, x0 + 15, y0 + 7, tone, 0.05)
            c.hline(x0 + 1, x0 + 15, y0 + 1, shade(tone, 1.15))


def stone_wall(c):
    c.noise_fill((92, 92, 98), 0.04, 4, 0.02)
    for row in range(3):
        y0 = row * 11
        off = (row * 7) % 16
        for k in range(-1, 3):
            x0 = off + k * 14
            tone = shade((150, 148, 150), 0.85 + hash2(row, k, c.seed) * 0.25)
            c.rect(x0 + 1, y0 + 1, x0 + 13, y0 + 9, tone, 0.06)
            c.hline(x0 + 1, x0 + 13, y0 + 1, shade(tone, 1.2))
            c.vline(x0 + 13, y0 + 1, y0 + 9, shade(tone, 0.75))


def wood_floor(c, base=WOOD):
    c.noise_fill(base, 0.04, 2, 0.04)
    for x in range(0, CELL, 8):
        c.vline(x, 0, 31, shade(base, 0.6))
        cut = int(hash2(x, 10, c.seed) * 28)
        c.hline(x, x + 7, cut, shade(base, 0.6))
    for y in range(CELL):
        for x in range(CELL):
            if hash2(x // 8, y, c.seed) > 0.85:
                c.set(x, y, shade(c.get(x, y), 0.9))


def roof(c, base):
    c.noise_fill(base, 0.04, 4, 0.03)
    for row in range(4):
        y0 = row * 8
        off = 0 if row % 2 == 0 else 4
        for k in range(-1, 5):
            x0 = off + k * 8
            for y in range(y0, y0 + 8):
                for x in range(x0, x0 + 8):
                    t = (y - y0) / 7
                    c.set(x, y, shade(base, 1.15 - t * 0.35))
            c.vline(x0, y0, y0 + 7, shade(base, 0.6))
        c.hline(0, 31, y0 + 7, shade(base, 0.5))


def snow(c):
    c.noise_fill(SNOW, 0.04, 8, 0.02)
    for i in range(10):
        x = int(hash2(i, 11, c.seed) * 30)
        y = int(hash2(i, 12, c.seed) * 30)
        c.set(x, y, (200, 210, 230))


def ice(c):
    c.noise_fill(ICE, 0.06, 8, 0.01)
    for i in range(3):
        x0 = int(hash2(i, 13, c.seed) * 20)
        y0 = int(hash2(i, 14, c.seed) * 20)
        for k in range(10):
            c.set(x0 + k, y0 + k // 2, (236, 248, 255))
    for k in range(6):
        c.set(4 + k, 4, (255, 255, 255))
        c.set(4, 4 + k, (255, 255, 255))


def lava(c):
    for y in range(CELL):
        for x in range(CELL):
            n = smooth_noise(x, y, c.seed, 8)
            if n > 0.55:
                c.set(x, y, mix((250, 170, 40), (255, 240, 120), (n - 0.55) * 2))
            elif n > 0.35:
                c.set(x, y, LAVA)
            else:
                c.set(x, y, mix((90, 26, 16), LAVA, n / 0.35 * 0.6))


def swamp(c):
    c.noise_fill((84, 98, 58), 0.12, 4, 0.05)
    for i in range(3):
        cx = 6 + hash2(i, 15, c.seed) * 20
        cy = 6 + hash2(i, 16, c.seed) * 20
        c.ellipse(cx, cy, 5, 3, (64, 92, 84), 0.9)


def cave_floor(c):
    c.noise_fill((96, 84, 74), 0.12, 4, 0.06)
    for i in range(6):
        x = int(hash2(i, 17, c.seed) * 30)
        y = int(hash2(i, 18, c.seed) * 30)
        c.disc(x, y, 1.5, (70, 62, 56))


def cave_wall(c):
    c.noise_fill((62, 54, 50), 0.2, 4, 0.05)
    for y in range(CELL):
        for x in range(CELL):
            n = smooth_noise(x, y, c.seed + 3, 8)
            if n > 0.6:
                c.set(x, y, shade(c.get(x, y), 1.35))
            elif n < 0.3:
                c.set(x, y, shade(c.get(x, y), 0.7))


def carpet(c):
    c.noise_fill((150, 36, 48), 0.03, 2, 0.04)
    c.outline(2, 2, 29, 29, (220, 180, 70))
    c.outline(4, 4, 27, 27, (220, 180, 70))
    for k in range(6):
        c.set(15 - k, 10 + k, (220, 180, 70))
        c.set(16 + k, 10 + k, (220, 180, 70))
        c.set(15 - k, 21 - k, (220, 180, 70))
        c.set(16 + k, 21 - k, (220, 180, 70))


def checker(c):
    for y in range(CELL):
        for x in range(CELL):
            light = ((x // 8) + (y // 8)) % 2 == 0
            base = (226, 222, 210) if light else (72, 80, 96)
            c.set(x, y, shade(base, 1 + (hash2(x, y, c.seed) - 0.5) * 0.06))


def farmland(c):
    c.noise_fill((120, 80, 48), 0.06, 4, 0.05)
    for y in range(2, CELL, 6):
        c.hline(0, 31, y, (86, 56, 34))
        c.hline(0, 31, y + 1, (150, 104, 64))


# ---- things standing on the ground -------------------------------------------------------------

def tree(c, leaf=LEAF, ground=None):
    (ground or grass)(c)
    c.shadow(17, 27, 11, 4)
    c.rect(14, 18, 18, 28, DARK_WOOD, 0.1)
    c.vline(14, 18, 28, shade(DARK_WOOD, 1.3))
    for (cx, cy, r) in ((16, 12, 11), (10, 15, 7), (22, 15, 7), (16, 7, 7)):
        c.disc(cx, cy, r, leaf, light=0.5, noise=0.12)
    for i in range(8):
        x = int(8 + hash2(i, 19, c.seed) * 16)
        y = int(4 + hash2(i, 20, c.seed) * 14)
        c.set(x, y, shade(leaf, 1.45))


def pine(c):
    grass(c)
    c.shadow(16, 28, 9, 3)
    c.rect(14, 24, 17, 29, DARK_WOOD)
    for tier, (top, bottom, half) in enumerate(((2, 12, 6), (8, 19, 9), (14, 26, 12))):
        for y in range(top, bottom + 1):
            w = int(half * (y - top) / (bottom - top))
            for x in range(16 - w, 16 + w + 1):
                f = 1.15 if x < 16 else 0.85
                c.set(x, y, shade((34, 100, 60), f * (1 + (hash2(x, y, tier) - 0.5) * 0.15)))


def bush(c):
    grass(c)
    c.shadow(16, 24, 12, 4)
    for (cx, cy, r) in ((10, 18, 7), (22, 18, 7), (16, 14, 8)):
        c.disc(cx, cy, r, (60, 140, 60), light=0.5, noise=0.1)
    for (x, y) in ((11, 13), (20, 16), (15, 20)):
        c.disc(x, y, 1.3, (200, 40, 60))


def flowers(c, colours):
    grass(c)
    for i in range(9):
        x = int(3 + hash2(i, 21, c.seed) * 26)
        y = int(3 + hash2(i, 22, c.seed) * 26)
        col = colours[i % len(colours)]
        for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
            c.set(x + dx, y + dy, col)
        c.set(x, y, (250, 220, 60))


def rock(c):
    grass(c)
    c.shadow(17, 24, 12, 4)
    c.disc(15, 17, 10, (132, 128, 124), light=0.6, noise=0.08)
    c.disc(23, 21, 6, (120, 116, 112), light=0.6, noise=0.08)
    c.hline(10, 16, 14, (100, 96, 92))


def door(c):
    bricks(c)
    c.rect(7, 6, 24, 31, DARK_WOOD)
    c.rect(9, 8, 22, 31, WOOD, 0.06)
    for x in (12, 16, 20):
        c.vline(x, 8, 31, shade(WOOD, 0.7))
    c.disc(20, 20, 1.6, (230, 200, 80))
    c.hline(7, 24, 5, shade(BRICK, 0.6))


def window_wall(c):
    bricks(c)
    c.rect(7, 7, 24, 22, (70, 46, 30))
    c.rect(9, 9, 22, 20, (140, 200, 230))
    c.rect(9, 9, 14, 13, (210, 236, 250))
    c.vline(15, 9, 20, (70, 46, 30))
    c.vline(16, 9, 20, (70, 46, 30))
    c.hline(9, 22, 15, (70, 46, 30))
    c.rect(6, 23, 25, 24, (200, 196, 186))


def bridge(c, horizontal):
    water(c)
    for k in range(CELL):
        for j in range(4, 28):
            x, y = (k, j) if horizontal else (j, k)
            plank = (k // 4) % 2
            f = (1.0 if plank else 0.88) * (1 + (hash2(x, y, c.seed) - 0.5) * 0.1)
            c.set(x, y, shade(WOOD, f))
        for j in (4, 27):
            x, y = (k, j) if horizontal else (j, k)
            c.set(x, y, DARK_WOOD)
        if k % 4 == 0:
            for j in range(4, 28):
                x, y = (k, j) if horizontal else (j, k)
                c.set(x, y, shade(WOOD, 0.6))


def fence(c, horizontal):
    grass(c)
    for k in range(CELL):
        for j in (11, 12, 19, 20):
            x, y = (k, j) if horizontal else (j - 2, k)
            c.set(x, y, WOOD if j % 2 else shade(WOOD, 0.7))
    for p in (4, 20):
        if horizontal:
            c.rect(p, 6, p + 4, 26, DARK_WOOD)
            c.vline(p, 6, 26, shade(DARK_WOOD, 1.4))
        else:
            c.rect(12, p, 16, p + 7, DARK_WOOD)
            c.hline(12, 16, p, shade(DARK_WOOD, 1.4))


def sign(c):
    grass(c)
    c.shadow(16, 28, 8, 2)
    c.rect(15, 16, 17, 28, DARK_WOOD)
    c.rect(5, 5, 26, 17, WOOD, 0.06)
    c.outline(5, 5, 26, 17, DARK_WOOD)
    for y in (9, 12, 15):
        c.hline(8, 23 - (y % 5), y - 1, (70, 44, 24))


def chest(c):
    wood_floor(c, (132, 96, 64))
    c.shadow(16, 27, 12, 3)
    c.rect(5, 11, 26, 26, (150, 82, 36), 0.05)
    c.rect(5, 8, 26, 14, (176, 100, 44), 0.05)
    c.outline(5, 8, 26, 26, (70, 36, 16))
    c.hline(5, 26, 14, (70, 36, 16))
    for x in (9, 22):
        c.vline(x, 8, 26, (214, 176, 70))
    c.rect(14, 13, 17, 17, (240, 206, 80))


def stairs(c, down):
    c.noise_fill(STONE, 0.03, 4, 0.03)
    for i in range(6):
        y0 = 2 + i * 5
        f = (1.1 - i * 0.12) if down else (0.5 + i * 0.12)
        c.rect(3, y0, 28, y0 + 4, shade(STONE, f), 0.04)
        c.hline(3, 28, y0, shade(STONE, f * 1.25))
    c.vline(2, 2, 31, (80, 80, 80))
    c.vline(29, 2, 31, (80, 80, 80))


def table(c):
    wood_floor(c)
    c.shadow(17, 26, 13, 3)
    c.rect(3, 9, 28, 22, (176, 122, 70), 0.04)
    c.outline(3, 9, 28, 22, (90, 56, 30))
    c.rect(4, 23, 6, 28, (90, 56, 30))
    c.rect(25, 23, 27, 28, (90, 56, 30))
    c.disc(12, 15, 3, (236, 236, 236), light=0.3)
    c.disc(21, 14, 2.2, (200, 60, 50), light=0.4)


def barrel(c):
    wood_floor(c)
    c.shadow(16, 28, 10, 3)
    for y in range(5, 28):
        w = 9 + int(2 * (1 - abs(y - 16) / 11))
        for x in range(16 - w, 16 + w + 1):
            f = 1.2 - abs(x - 13) / 16
            c.set(x, y, shade((150, 96, 50), f))
    for y in (8, 16, 24):
        c.hline(5, 27, y, (70, 70, 76))
    c.ellipse(16, 6, 8, 2.5, (120, 78, 40))


def well(c):
    grass(c)
    c.disc(16, 17, 12, (140, 140, 140), light=0.4, noise=0.1)
    c.disc(16, 17, 8, (40, 70, 120))
    c.disc(16, 17, 6, (30, 54, 96))
    c.rect(3, 3, 5, 18, DARK_WOOD)
    c.rect(26, 3, 28, 18, DARK_WOOD)
    c.rect(3, 3, 28, 5, (150, 60, 40))


def mushroom(c):
    grass(c, DARK_GRASS)
    for (cx, cy, r) in ((11, 15, 6), (22, 21, 4.5)):
        c.rect(int(cx) - 1, int(cy), int(cx) + 1, int(cy + r + 3), (236, 226, 200))
        c.disc(cx, cy, r, (210, 40, 40), light=0.5)
        c.disc(cx - r / 3, cy - r / 3, 1.2, (255, 255, 255))
        c.disc(cx + r / 3, cy, 1.0, (255, 255, 255))


def cactus(c):
    sand(c)
    c.shadow(17, 28, 8, 2)
    green = (70, 150, 70)
    c.rect(13, 5, 19, 28, green)
    c.rect(5, 12, 9, 19, green)
    c.rect(9, 17, 13, 19, green)
    c.rect(23, 9, 27, 16, green)
    c.rect(19, 14, 23, 16, green)
    for y in range(6, 28, 3):
        c.set(15, y, (180, 220, 160))
        c.set(17, y + 1, (40, 100, 40))


def stump(c):
    grass(c)
    c.shadow(16, 24, 11, 3)
    c.rect(8, 14, 23, 24, DARK_WOOD, 0.08)
    c.ellipse(15.5, 14, 8, 4, (190, 150, 100))
    c.ellipse(15.5, 14, 4, 2, (150, 110, 70))


def wheat(c):
    farmland(c)
    for i in range(0, CELL, 4):
        for j in range(2, CELL, 6):
            c.vline(i + 1, j - 2, j + 2, (200, 170, 60))
            c.set(i + 1, j - 3, (236, 206, 90))


def pillar(c):
    checker(c)
    c.shadow(18, 28, 9, 3)
    for y in range(3, 29):
        for x in range(9, 23):
            c.set(x, y, shade((220, 216, 204), 1.2 - abs(x - 13) / 14))
    c.rect(7, 2, 24, 5, (200, 196, 184))
    c.rect(7, 26, 24, 29, (200, 196, 184))
    for x in (12, 16, 20):
        c.vline(x, 6, 25, (170, 166, 156))


def torch_wall(c):
    stone_wall(c)
    c.rect(14, 16, 17, 26, DARK_WOOD)
    c.disc(15.5, 12, 4.5, (250, 150, 40))
    c.disc(15.5, 13, 2.5, (255, 236, 120))
    for y in range(CELL):
        for x in range(CELL):
            d = ((x - 15.5) ** 2 + (y - 12) ** 2) ** 0.5
            if 5 < d < 14:
                c.set(x, y, mix(c.get(x, y), (255, 200, 90), 0.25 * (1 - (d - 5) / 9)))


def grave(c):
    grass(c, DARK_GRASS)
    c.shadow(17, 27, 10, 3)
    stone = (160, 160, 168)
    c.rect(8, 10, 23, 27, stone, 0.06)
    c.disc(15.5, 10, 8, stone, light=0.3)
    c.vline(15, 9, 20, (90, 90, 98))
    c.hline(12, 19, 12, (90, 90, 98))


def statue(c):
    stone_floor(c)
    c.shadow(17, 28, 11, 3)
    c.rect(6, 22, 25, 29, (120, 120, 124))
    c.rect(11, 10, 20, 22, (176, 176, 182))
    c.disc(15.5, 7, 4.5, (186, 186, 192), light=0.5)
    c.rect(6, 12, 10, 14, (176, 176, 182))
    c.rect(21, 8, 24, 14, (176, 176, 182))


def pot(c):
    stone_floor(c)
    c.shadow(16, 27, 9, 3)
    c.disc(16, 18, 9, (190, 110, 60), light=0.6)
    c.rect(11, 6, 20, 10, (170, 96, 52))
    c.ellipse(15.5, 6, 5, 1.6, (60, 34, 20))
    c.hline(8, 24, 18, (120, 60, 30))


def bed(c):
    wood_floor(c)
    c.rect(5, 2, 26, 29, DARK_WOOD)
    c.rect(7, 4, 24, 27, (240, 240, 236))
    c.rect(9, 5, 22, 10, (255, 255, 255))
    c.rect(7, 13, 24, 27, (60, 100, 170), 0.04)
    c.hline(7, 24, 13, (90, 130, 200))


def bookshelf(c):
    c.noise_fill(DARK_WOOD, 0.05, 4, 0.04)
    for shelf in range(3):
        y0 = 2 + shelf * 10
        c.rect(2, y0, 29, y0 + 8, (50, 30, 18))
        x = 3
        i = 0
        while x < 28:
            w = 2 + int(hash2(i, shelf, c.seed) * 3)
            h = 5 + int(hash2(i, shelf + 9, c.seed) * 3)
            col = [(170, 40, 40), (40, 90, 160), (60, 140, 70), (200, 170, 60), (120, 60, 140)][i % 5]
            c.rect(x, y0 + 8 - h, min(x + w - 1, 28), y0 + 8, col)
            x += w + 1
            i += 1


def lily_pond(c):
    water(c, waves=False)
    for (cx, cy, r) in ((10, 10, 5), (22, 19, 6), (11, 24, 4)):
        c.disc(cx, cy, r, (70, 150, 70), light=0.3)
        for k in range(int(r)):
            c.set(int(cx) + k, int(cy), shade(WATER, 1.0))
    c.disc(22, 18, 2, (250, 170, 200))


def waterfall(c):
    for y in range(CELL):
        for x in range(CELL):
            n = hash2(x, y // 3, c.seed)
            streak = smooth_noise(x, 0, c.seed, 2)
            c.set(x, y, mix((80, 150, 220), (230, 244, 255), streak * 0.7 + n * 0.2))
    for x in range(CELL):
        for y in range(26, CELL):
            if hash2(x, y, c.seed + 5) > 0.4:
                c.set(x, y, (250, 252, 255))


def snow_tree(c):
    tree(c, (40, 96, 70), ground=snow)
    for (cx, cy) in ((12, 6), (20, 8), (9, 12), (23, 13), (16, 4)):
        c.ellipse(cx, cy, 3.5, 1.8, (246, 248, 252))


def magic_circle(c):
    c.noise_fill((70, 64, 90), 0.06, 4, 0.04)
    for y in range(CELL):
        for x in range(CELL):
            d = ((x + 0.5 - 16) ** 2 + (y + 0.5 - 16) ** 2) ** 0.5
            if 12.5 < d < 14 or 8.5 < d < 9.5:
                c.set(x, y, (140, 220, 255))
    import math
    pts = [(16 + 12.5 * math.cos(a * 4 * math.pi / 5 - math.pi / 2),
            16 + 12.5 * math.sin(a * 4 * math.pi / 5 - math.pi / 2)) for a in range(6)]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        for t in range(40):
            f = t / 39
            c.set(int(x0 + (x1 - x0) * f), int(y0 + (y1 - y0) * f), (180, 236, 255))


def deep_water(c):
    water(c, DEEP)


def dirt_plain(c):
    dirt(c, (128, 96, 64))


def tall_grass(c):
    grass(c, (74, 146, 58))
    for i in range(22):
        x = int(hash2(i, 23, c.seed) * 30)
        y = int(6 + hash2(i, 24, c.seed) * 24)
        for k in range(5):
            c.set(x + (k // 3), y - k, (110 + 8 * k, 186, 80))


def autumn_tree(c):
    tree(c, (210, 120, 40))


def dark_grass(c):
    grass(c, DARK_GRASS)


def grass2(c):
    grass(c, (98, 168, 72))
    for i in range(6):
        x = int(hash2(i, 25, c.seed) * 30)
        y = int(hash2(i, 26, c.seed) * 30)
        c.set(x, y, (236, 236, 236))


# (name, drawing, flag). Flags: 0 walkable, 1 blocks, 2 a doorway or stairs, 3 harmful or slippery.
TILES = [
    ("grass", grass, 0),
    ("grass, light", grass2, 0),
    ("tall grass", tall_grass, 0),
    ("red flowers", lambda c: flowers(c, [(220, 60, 70), (240, 120, 150)]), 0),
    ("water", water, 1),
    ("deep water", deep_water, 1),
    ("sand", sand, 0),
    ("dirt path", path, 0),
    ("shore, water north", lambda c: shore(c, "n"), 0),
    ("shore, water south", lambda c: shore(c, "s"), 0),
    ("shore, water west", lambda c: shore(c, "w"), 0),
    ("shore, water east", lambda c: shore(c, "e"), 0),
    ("stone floor", stone_floor, 0),
    ("cobblestone", cobble, 0),
    ("brick wall", bricks, 1),
    ("stone wall", stone_wall, 1),
    ("tree", tree, 1),
    ("pine tree", pine, 1),
    ("bush", bush, 1),
    ("rock", rock, 1),
    ("wooden floor", wood_floor, 0),
    ("red roof", lambda c: roof(c, (176, 64, 48)), 1),
    ("blue roof", lambda c: roof(c, (60, 90, 150)), 1),
    ("door", door, 2),
    ("window wall", window_wall, 1),
    ("bridge, east-west", lambda c: bridge(c, True), 0),
    ("bridge, north-south", lambda c: bridge(c, False), 0),
    ("fence, east-west", lambda c: fence(c, True), 1),
    ("fence, north-south", lambda c: fence(c, False), 1),
    ("sign", sign, 1),
    ("chest", chest, 1),
    ("stairs down", lambda c: stairs(c, True), 2),
    ("stairs up", lambda c: stairs(c, False), 2),
    ("lava", lava, 3),
    ("snow", snow, 0),
    ("ice", ice, 3),
    ("swamp", swamp, 3),
    ("cave floor", cave_floor, 0),
    ("cave wall", cave_wall, 1),
    ("carpet", carpet, 0),
    ("table", table, 1),
    ("barrel", barrel, 1),
    ("well", well, 1),
    ("yellow flowers", lambda c: flowers(c, [(250, 210, 60), (250, 250, 250)]), 0),
    ("mushrooms", mushroom, 0),
    ("cactus", cactus, 1),
    ("tree stump", stump, 1),
    ("bare dirt", dirt_plain, 0),
    ("farmland", farmland, 0),
    ("wheat", wheat, 0),
    ("checkered floor", checker, 0),
    ("pillar", pillar, 1),
    ("wall torch", torch_wall, 1),
    ("grave", grave, 1),
    ("statue", statue, 1),
    ("pot", pot, 1),
    ("bed", bed, 1),
    ("bookshelf", bookshelf, 1),
    ("lily pond", lily_pond, 1),
    ("waterfall", waterfall, 1),
    ("dark grass", dark_grass, 0),
    ("autumn tree", autumn_tree, 1),
    ("snowy tree", snow_tree, 1),
    ("magic circle", magic_circle, 2),
]
assert len(TILES) == 64

T = {name: n for n, (name, _, _) in enumerate(TILES)}
FLAGS = [flag for (_, _, flag) in TILES]


def draw_tileset():
    """The picture as rows of (r, g, b), top row first."""
    rows = [[(0, 0, 0)] * WIDTH for _ in range(HEIGHT)]
    for n, (_, draw, _) in enumerate(TILES):
        cell = Cell(n + 1)
        draw(cell)
        left, top = (n % COLS) * CELL, (n // COLS) * CELL
        for y in range(CELL):
            rows[top + y][left:left + CELL] = cell.px[y]
    return rows


def bmp_bytes(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


# ---- maps --------------------------------------------------------------------------------------

def map_bytes(grid, links, events, palette):
    """grid[x][y] holds cell numbers; each is stored with its flag from FLAGS."""
    width, height = len(grid), len(grid[0])
    out = bytearray((width - 1, height - 1))
    for x in range(width):
        for y in range(height):
            n = grid[x][y]
            out.append(n + 64 * FLAGS[n])
    out.append(len(links))
    for link in links:
        out += bytes(link)
    out.append(len(events))
    for event in events:
        out += bytes(event)
    out += palette
    return bytes(out)


def island_map():
    W, H = 48, 40
    g = [[T["water"]] * H for _ in range(W)]

    def land(x, y):
        main = ((x - 19) / 15.0) ** 2 + ((y - 20) / 15.5) ** 2
        main += (hash2(x, y, 99) - 0.5) * 0.12
        islet = ((x - 42) / 4.3) ** 2 + ((y - 21) / 4.6) ** 2
        return main <= 1.0 or islet <= 1.0

    def is_land(x, y):
        return 0 <= x < W and 0 <= y < H and land(x, y)

    for x in range(W):
        for y in range(H):
            if not land(x, y):
                d = min(((x - 19) / 15.0) ** 2 + ((y - 20) / 15.5) ** 2,
                        ((x - 42) / 4.3) ** 2 + ((y - 21) / 4.6) ** 2)
                if d > 1.55 or x in (0, W - 1) or y in (0, H - 1):
                    g[x][y] = T["deep water"]
                continue
            coastal = [not is_land(x + dx, y + dy) for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0))]
            near = any(not is_land(x + dx, y + dy) for dx in (-2, -1, 0, 1, 2) for dy in (-2, -1, 0, 1, 2))
            if sum(coastal) == 1:
                g[x][y] = [T["shore, water north"], T["shore, water south"],
                           T["shore, water west"], T["shore, water east"]][coastal.index(True)]
            elif near:
                g[x][y] = T["sand"]
            else:
                r = hash2(x, y, 7)
                g[x][y] = (T["grass"] if r < 0.7 else T["grass, light"] if r < 0.85
                           else T["tall grass"] if r < 0.93 else T["dark grass"])

    # A house: roof over two rows, a wall with windows and a door.
    for x in range(11, 17):
        g[x][8] = T["red roof"]
        g[x][9] = T["red roof"]
        g[x][10] = T["window wall"] if x in (12, 15) else T["brick wall"]
    g[13][10] = T["door"]
    for x in range(10, 18):
        g[x][11] = T["grass"]
    # The path from the door south, then east to the bridge.
    for y in range(11, 22):
        g[13][y] = T["dirt path"]
    for x in range(13, 35):
        if land(x, 21):
            g[x][21] = T["dirt path"]
    bridge_xs = [x for x in range(28, 40) if not land(x, 21)]
    for x in bridge_xs:
        g[x][21] = T["bridge, east-west"]
    for x in range(bridge_xs[-1] + 1, 42):
        g[x][21] = T["dirt path"]
    g[42][21] = T["stairs down"]

    # A fenced garden beside the house, a well, a sign and a chest.
    for x in range(19, 24):
        g[x][13] = T["fence, east-west"]
        g[x][17] = T["fence, east-west"]
    for y in range(14, 17):
        g[19][y] = T["fence, north-south"]
        g[23][y] = T["fence, north-south"]
        for x in range(20, 23):
            g[x][y] = T["wheat"] if y != 15 else T["farmland"]
    g[23][15] = T["grass"]  # the garden gate
    g[9][14] = T["well"]
    g[14][20] = T["sign"]
    g[26][17] = T["chest"]
    g[14][24] = T["red flowers"]
    g[15][25] = T["yellow flowers"]
    g[26][26] = T["yellow flowers"]
    g[27][12] = T["rock"]
    g[22][30] = T["rock"]

    # Trees and bushes on open grass, away from the house, path and garden.
    keep_clear = {(x, y) for x in range(7, 25) for y in range(4, 19)}
    keep_clear |= {(x, y) for x in range(8, 42) for y in range(19, 24)}
    keep_clear |= {(26, 17), (14, 20)} | {(19, y) for y in range(5, 8)}
    for x in range(W):
        for y in range(H):
            if (x, y) in keep_clear or g[x][y] not in (T["grass"], T["grass, light"], T["dark grass"]):
                continue
            r = hash2(x, y, 31)
            if r < 0.14:
                g[x][y] = T["tree"]
            elif r < 0.19:
                g[x][y] = T["pine tree"]
            elif r < 0.22:
                g[x][y] = T["bush"]

    links = [
        (1, 5, 9, 13, 10),   # the door: into the house, map 1
        (2, 3, 3, 42, 21),   # the stairs on the islet: down to map 2
        (3, 10, 1, 19, 5),   # the north shore path: out to map 3
    ]
    g[19][5] = T["dirt path"]
    events = [
        (1, 14, 20),  # the sign
        (2, 26, 17),  # the chest
        (3, 9, 14),   # the well
        (4, 21, 15),  # the garden
    ]
    return map_bytes(g, links, events, b"sample")


def small_map():
    """A snowy clearing with a frozen pond, for a map that comes without a flag file."""
    W, H = 20, 16
    g = [[T["snow"]] * H for _ in range(W)]
    for x in range(W):
        for y in range(H):
            if x in (0, W - 1) or y in (0, H - 1):
                g[x][y] = T["snowy tree"]
            elif ((x - 12) / 4.5) ** 2 + ((y - 8) / 3.2) ** 2 <= 1:
                g[x][y] = T["ice"]
            elif hash2(x, y, 5) < 0.08:
                g[x][y] = T["snowy tree"]
    for x in range(1, 7):
        g[x][8] = T["dirt path"]
    g[0][8] = T["dirt path"]
    g[3][4] = T["stone wall"]
    g[4][4] = T["stone wall"]
    g[3][5] = T["stairs down"]
    links = [(0, 42, 22, 0, 8)]
    events = [(5, 12, 8)]
    return map_bytes(g, links, events, b"sample")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    bmp = bmp_bytes(draw_tileset())
    write(os.path.join(HERE, "tileset.bmp"), bmp)
    write(os.path.join(ROOT, "examples", "sample.bmp"), bmp)
    write(os.path.join(ROOT, "examples", "sample.zol"), island_map())
    write(os.path.join(ROOT, "examples", "sample.flg"), bytes(FLAGS))
    write(os.path.join(ROOT, "examples", "flagless.zol"), small_map())


if __name__ == "__main__":
    main()
