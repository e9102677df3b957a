#!/usr/bin/env python3
"""Writes seeds of the fuzz targets. For the bitmap target: a 9 x 7 picture as a Windows bitmap
at 1, 4, 8, 16, 24 and 32 bits a pixel, one with 8-bit run-length encoding and one stored top
down. For the tiled target: maps that name their tileset file (given after a NUL byte, as the
target reads its input), the links and folders the target lays out beside the map, layer groups
at the nesting limit and one past it, and DOCTYPEs with and without entities. Standard library
only."""
import base64
import json
import struct
import zlib
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


TSX = ('<?xml version="1.0" encoding="UTF-8"?>\n<tileset version="1.10" name="tiles" tilewidth="32" '
       'tileheight="32" tilecount="64" columns="4">\n <image source="tiles.bmp" width="128" height="512"/>\n'
       '</tileset>\n')
TSJ = json.dumps({"type": "tileset", "name": "tiles", "tilewidth": 32, "tileheight": 32, "tilecount": 64,
                  "columns": 4, "image": "tiles.bmp", "imagewidth": 128, "imageheight": 512})
OBJECTS = ('<objectgroup id="3" name="links and events">'
           '<object id="1" type="link" x="16" y="16"><properties><property name="target_map" type="int" value="1"/>'
           '<property name="target_x" type="int" value="2"/><property name="target_y" type="int" value="3"/>'
           '</properties><point/></object>'
           '<object id="2" type="event" x="48" y="48"><properties><property name="event" type="int" value="9"/>'
           '</properties><point/></object></objectgroup>')


def tmx(tilesets, data='<data encoding="csv">\n1,2,\n3,64\n</data>', groups=0, head="", properties=""):
    """A 2 x 2 TMX map of 32 x 32 tiles with one layer inside groups nested groups."""
    return (head + '<map version="1.10" orientation="orthogonal" renderorder="right-down" width="2" height="2" '
            'tilewidth="32" tileheight="32" infinite="0">' + properties + tilesets + "<group>" * groups +
            '<layer id="1" name="cells" width="2" height="2">' + data + "</layer>" + "</group>" * groups +
            OBJECTS + "</map>\n")


def tmj(tilesets, groups=0, layer=None):
    layer = layer or {"type": "tilelayer", "name": "cells", "width": 2, "height": 2, "data": [1, 2, 3, 64]}
    for _ in range(groups):
        layer = {"type": "group", "name": "g", "layers": [layer]}
    return json.dumps({"type": "map", "orientation": "orthogonal", "width": 2, "height": 2, "tilewidth": 32,
                       "tileheight": 32, "infinite": False, "tilesets": tilesets, "layers": [
                           layer, {"type": "objectgroup", "objects": [
                               {"type": "event", "x": 48, "y": 16,
                                "properties": [{"name": "event", "type": "int", "value": 7}]}]}]})


def source(name, first=1):
    return f'<tileset firstgid="{first}" source="{name}"/>'


def tiled_seeds():
    inline = ('<tileset firstgid="1" name="tiles" tilewidth="32" tileheight="32" tilecount="64" columns="4">'
              '<image source="tiles.bmp" width="128" height="512"/></tileset>')
    ids = struct.pack("<4I", 1, 2, 3, 64)
    entity = '<!DOCTYPE map [<!ENTITY e "1,2,3,64">]>'
    seeds = {
        # A map and its tileset file, separated by the NUL the target splits at.
        "external.tmx": tmx(source("t.tsx")) + "\0" + TSX,
        "external.tmj": tmj([{"firstgid": 1, "source": "t.tsj"}]) + "\0" + TSJ,
        "twice.tmx": tmx(source("t.tsx") + source("link.tsx", 65)) + "\0" + TSX,
        "inside_link.tmx": tmx(source("sub/link.tsx")) + "\0" + TSX,
        "outside_link.tmx": tmx(source("out.tsx")),
        "outside_link.tmj": tmj([{"firstgid": 1, "source": "out.tsj"}]),
        "outside_folder.tmx": tmx(source("up/t.tsx")),
        "sibling.tmx": tmx(source("../maps2/t.tsx")),
        "sibling_link.tmx": tmx(source("sib.tsx")),
        "nested_32.tmx": tmx(inline, groups=32),
        "nested_33.tmx": tmx(inline, groups=33),
        "nested_32.tmj": tmj([json.loads(TSJ) | {"firstgid": 1}], groups=32),
        "nested_33.tmj": tmj([json.loads(TSJ) | {"firstgid": 1}], groups=33),
        "entity.tmx": tmx(inline, data='<data encoding="csv">&e;</data>', head=entity),
        "entity_tileset.tmx": tmx(source("t.tsx")) + "\0" + entity.replace("map", "tileset", 1) + TSX,
        "doctype.tmx": tmx(inline, head='<!DOCTYPE map SYSTEM "map.dtd">'),
        "zlib.tmx": tmx(inline, data='<data encoding="base64" compression="zlib">' +
                        base64.b64encode(zlib.compress(ids)).decode() + "</data>",
                        properties='<properties><property name="palette" value="tiles"/></properties>'),
        "gzip.tmj": tmj([json.loads(TSJ) | {"firstgid": 1}], layer={
            "type": "tilelayer", "name": "cells", "width": 2, "height": 2, "encoding": "base64",
            "compression": "gzip", "data": base64.b64encode(gzip_bytes(ids)).decode()}),
    }
    return seeds


def gzip_bytes(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, 31)
    return packer.compress(data) + packer.flush()


if __name__ == "__main__":
    out = Path(__file__).parent / "corpus" / "bitmap"
    out.mkdir(parents=True, exist_ok=True)
    for depth in (1, 4, 8, 16, 24, 32):
        (out / f"d{depth}.bmp").write_bytes(bitmap(depth))
    (out / "rle8.bmp").write_bytes(bitmap(8, rle=True))
    (out / "top_down.bmp").write_bytes(bitmap(24, top_down=True))
    out = Path(__file__).parent / "corpus" / "tiled"
    out.mkdir(parents=True, exist_ok=True)
    for name, text in tiled_seeds().items():
        (out / name).write_bytes(text.encode())
