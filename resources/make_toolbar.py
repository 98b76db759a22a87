#!/usr/bin/env python3
"""Draws the main window's tool-bar bitmap, toolbar.png (550 x 26 pixels, RGB).

Twelve 22-pixel button faces stand at the left edges below, from y = 2 to 23.
The program shows a button pressed or raised by drawing an inverted rectangle
outline from (left, 2) to (left + 23, 23), so those outline pixels stay plain
grey here and the faces with their icons are drawn inside them.

Only the standard library is used:  python3 make_toolbar.py [output.png]
"""
import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 550, 26
BUTTON_LEFT = [7, 31, 66, 90, 125, 160, 184, 218, 242, 266, 290, 314]
FACE_TOP, FACE_BOTTOM = 3, 22          # face rows inside the outline (y = 2 and 23)
ICON_DX, ICON_DY = 4, 5                # top-left corner of the 16 x 16 icon

GREY = (192, 192, 192)
PALETTE = {
    'K': (0, 0, 0),          # black outline
    'W': (255, 255, 255),    # white
    'w': (224, 224, 224),    # light grey
    'D': (128, 128, 128),    # dark grey
    'd': (96, 96, 96),       # darker grey
    'Y': (255, 224, 64),     # folder yellow
    'O': (200, 150, 0),      # folder back, dark gold
    'R': (224, 0, 0),        # red
    'P': (255, 160, 176),    # pink
    'N': (0, 0, 160),        # navy blue
    'B': (0, 96, 224),       # blue
    'C': (200, 240, 255),    # pale cyan (glass)
    'G': (0, 160, 0),        # green
    'g': (96, 224, 96),      # light green
    'T': (140, 80, 20),      # brown
    'E': (240, 200, 140),    # bare wood
}


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def hline(self, x0, x1, y, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(y0, y1 + 1):
            self.put(x, y, colour)

    def png(self):
        raw = b''.join(b'\x00' + bytes(c for px in row for c in px) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack('>IIBBBBB', self.width, self.height, 8, 2, 0, 0, 0)
        return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
                + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


# ---------------------------------------------------------------- icons ----
# Each icon is a 16 x 16 grid of palette letters; '.' leaves the face grey.

def blank():
    return [['.'] * 16 for _ in range(16)]


def overlay(grid, art, x0=0, y0=0):
    for dy, row in enumerate(art):
        for dx, ch in enumerate(row):
            if ch != '.' and 0 <= x0 + dx < 16 and 0 <= y0 + dy < 16:
                grid[y0 + dy][x0 + dx] = ch
    return grid


def from_art(art):
    assert len(art) == 16 and all(len(r) == 16 for r in art), art
    return overlay(blank(), art)


RED_X = [
    "RR....RR",
    "RRR..RRR",
    ".RRRRRR.",
    "..RRRR..",
    "..RRRR..",
    ".RRRRRR.",
    "RRR..RRR",
    "RR....RR",
]

GREEN_PLUS = [
    "..KKKK..",
    "..KGGK..",
    "KKKGGKKK",
    "KGGGGGGK",
    "KGGGGGGK",
    "KKKGGKKK",
    "..KGGK..",
    "..KKKK..",
]

CARD = [
    "................",
    "KKKKKKKKKKKKK...",
    "KWWWWWWWWWWWK...",
    "KWNNNNNNWWWWK...",
    "KWWWWWWWWWWWK...",
    "KWDDDDDDDDDWK...",
    "KWWWWWWWWWWWK...",
    "KWDDDDDDDDDWK...",
    "KWWWWWWWWWWWK...",
    "KWDDDDDDDDDWK...",
    "KWWWWWWWWWWWK...",
    "KWDDDDDDDWWWK...",
    "KWWWWWWWWWWWK...",
    "KKKKKKKKKKKKK...",
    "................",
    "................",
]


def icon_open():
    return from_art([
        "................",
        "................",
        ".KKKKK..........",
        "KOOOOOK.........",
        "KOOOOOOKKKKKKK..",
        "KOOOOOOOOOOOOK..",
        "KOOOOOOOOOOOOK..",
        "KOOOKKKKKKKKKKKK",
        "KOOKYYYYYYYYYYYK",
        "KOOKYYYYYYYYYYK.",
        "KOKYYYYYYYYYYYK.",
        "KOKYYYYYYYYYYK..",
        "KKYYYYYYYYYYYK..",
        "KKYYYYYYYYYYK...",
        "KKKKKKKKKKKKK...",
        "................",
    ])


def icon_close():
    grid = from_art([
        "................",
        ".KKKKK..........",
        "KYYYYYK.........",
        "KYYYYYYKKKKKKK..",
        "KWWWWWWWWWWWWK..",
        "KYYYYYYYYYYYYK..",
        "KYYYYYYYYYYYYK..",
        "KYYYYYYYYYYYYK..",
        "KYYYYYYYYYYYYK..",
        "KYYYYYYYYYYYYK..",
        "KOOOOOOOOOOOOK..",
        "KKKKKKKKKKKKKK..",
        "................",
        "................",
        "................",
        "................",
    ])
    return overlay(grid, RED_X, 8, 8)


def icon_add():
    return overlay(from_art(CARD), GREEN_PLUS, 8, 8)


def icon_correct():
    # A pencil lying from its point (bottom left) to its eraser (top right):
    # s runs along the pencil, t across it; the outline is every pixel of the
    # shape that touches a pixel outside it.
    def along(x, y):
        return x - y

    def inside(x, y):
        s, t = along(x, y), x + y - 15
        if s < -12 or s > 12:
            return False
        half = 2.6 if s > -6 else 2.6 * (s + 12) / 6.0 + 0.5
        return abs(t) <= half

    grid = blank()
    for y in range(16):
        for x in range(16):
            if not inside(x, y):
                continue
            s = along(x, y)
            edge = not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if s <= -9:
                ch = 'K'               # graphite point
            elif edge or s >= 11:
                ch = 'K'
            elif s <= -6:
                ch = 'E'               # bare wood
            elif s >= 7:
                ch = 'P'               # eraser
            elif s >= 5:
                ch = 'D'               # metal band
            else:
                ch = 'O' if x + y - 15 in (1, 2) else 'Y'
            grid[y][x] = ch
    return grid


def icon_delete():
    return overlay(from_art(CARD), RED_X, 8, 8)


def icon_convert():
    return from_art([
        "................",
        "........N.......",
        "........NN......",
        ".NNNNNNNNNN.....",
        ".NNNNNNNNNNN....",
        ".NNNNNNNNNN.....",
        "........NN......",
        "........N.......",
        "................",
        ".......G........",
        "......GG........",
        ".....GGGGGGGGGG.",
        "....GGGGGGGGGGG.",
        ".....GGGGGGGGGG.",
        "......GG........",
        ".......G........",
    ])


def icon_sort():
    return from_art([
        "................",
        "..N.......RRR...",
        ".N.N......RRR...",
        "N...N.....RRR...",
        "N...N.....RRR...",
        "NNNNN.....RRR...",
        "N...N.....RRR...",
        "N...N.....RRR...",
        "..........RRR...",
        "NNNNN.....RRR...",
        "....N...RRRRRRR.",
        "...N.....RRRRR..",
        "..N.......RRR...",
        ".N.........R....",
        "N...............",
        "NNNNN...........",
    ])


def icon_search():
    grid = blank()
    cx, cy = 6.0, 6.0
    for y in range(16):
        for x in range(16):
            d = math.hypot(x - cx, y - cy)
            if d <= 3.6:
                grid[y][x] = 'W' if (x - cx) + (y - cy) < -2.5 else 'C'
            elif d <= 5.4:
                grid[y][x] = 'K'
    for i in range(5):                 # the handle
        for w in (-1, 0, 1):
            x, y = 10 + i, 10 + i
            if w < 0:
                grid[y][x - 1 if x > 0 else x] = 'K'
            elif w > 0:
                grid[y - 1][x] = 'K'
            grid[y][x] = 'T'
    grid[14][14] = 'K'
    return grid


def icon_list():
    return from_art([
        "KKKKKKKKKKKKKKKK",
        "KNNNNNNNNNNNNNNK",
        "KNNNNNNNNNNNNNNK",
        "KKKKKKKKKKKKKKKK",
        "KWWWWDWWWWWWWWWK",
        "KWKKWDWBBBBBBWWK",
        "KWWWWDWWWWWWWWWK",
        "KDDDDDDDDDDDDDDK",
        "KWWWWDWWWWWWWWWK",
        "KWKKWDWBBBBBWWWK",
        "KWWWWDWWWWWWWWWK",
        "KDDDDDDDDDDDDDDK",
        "KWWWWDWWWWWWWWWK",
        "KWKKWDWBBBBBBBWK",
        "KWWWWDWWWWWWWWWK",
        "KKKKKKKKKKKKKKKK",
    ])


def icon_postcard():
    # An upright postcard: stamp, postal-code boxes, address columns.
    return from_art([
        "..KKKKKKKKKKKK..",
        "..KRRRWRRRRRRK..",
        "..KRPRWRWRRWRK..",
        "..KRPRWRRRRRRK..",
        "..KRRRWWWWWWWK..",
        "..KWWWWWWWWWWK..",
        "..KWWWNNWWWNWK..",
        "..KWWWNNWWWNWK..",
        "..KWWWNNWNWNWK..",
        "..KWWWNNWNWNWK..",
        "..KWWWWWWNWNWK..",
        "..KWNWNNWNWNWK..",
        "..KWNWNNWNWWWK..",
        "..KWNWNNWWWWWK..",
        "..KWNWWWWWWWWK..",
        "..KKKKKKKKKKKK..",
    ])


def icon_print():
    return from_art([
        "....KKKKKKKK....",
        "....KWWWWWWK....",
        "....KWDDDDWK....",
        "....KWWWWWWK....",
        "....KWDDDWWK....",
        "..KKKKKKKKKKKK..",
        ".KWWWWWWWWWWWWK.",
        "KwwwwwwwwwwwwwwK",
        "KwwwwwwwwwwwgGwK",
        "KwwwwwwwwwwwwwwK",
        "KDDDDDDDDDDDDDDK",
        "KKKKKKKKKKKKKKKK",
        "..KWWWWWWWWWWK..",
        "..KWDDDDDDDDWK..",
        "..KWWWWWWWWWWK..",
        "..KKKKKKKKKKKK..",
    ])


def icon_version():
    grid = blank()
    for y in range(16):
        for x in range(16):
            d = math.hypot(x - 7.5, y - 7.5)
            if d <= 6.4:
                grid[y][x] = 'B'
            elif d <= 7.6:
                grid[y][x] = 'N'
    return overlay(grid, [
        ".WWWW.",
        "WW..WW",
        "....WW",
        "...WW.",
        "..WW..",
        "..WW..",
        "......",
        "..WW..",
        "..WW..",
    ], 5, 3)


ICONS = [icon_open, icon_close, icon_add, icon_correct, icon_delete, icon_convert,
         icon_sort, icon_search, icon_list, icon_postcard, icon_print, icon_version]


# ------------------------------------------------------------- drawing ----

def draw_face(canvas, left, icon):
    x0, x1 = left + 1, left + 22
    for y in range(FACE_TOP, FACE_BOTTOM + 1):
        canvas.hline(x0, x1, y, GREY)
    canvas.hline(x0, x1 - 1, FACE_TOP, PALETTE['W'])            # raised edge
    canvas.vline(x0, FACE_TOP, FACE_BOTTOM - 1, PALETTE['W'])
    canvas.hline(x0, x1, FACE_BOTTOM, PALETTE['D'])
    canvas.vline(x1, FACE_TOP, FACE_BOTTOM, PALETTE['D'])
    for dy, row in enumerate(icon):
        for dx, ch in enumerate(row):
            if ch != '.':
                canvas.put(left + ICON_DX + dx, ICON_DY + dy, PALETTE[ch])


def draw_separator(canvas, x):
    canvas.vline(x, 3, 22, PALETTE['D'])
    canvas.vline(x + 1, 3, 22, PALETTE['W'])


def build():
    canvas = Canvas(WIDTH, HEIGHT, GREY)
    canvas.hline(0, WIDTH - 1, 0, PALETTE['W'])
    canvas.hline(0, WIDTH - 1, HEIGHT - 1, PALETTE['D'])
    for left, make in zip(BUTTON_LEFT, ICONS):
        draw_face(canvas, left, make())
    # Etched separators between the button groups (in the gaps only).
    for a, b in ((2, 3), (4, 5), (5, 6), (7, 8)):
        end = BUTTON_LEFT[a - 1] + 23
        draw_separator(canvas, (end + BUTTON_LEFT[b - 1]) // 2)
    return canvas


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), 'toolbar.png')
    with open(out, 'wb') as f:
        f.write(build().png())
    print(out)


if __name__ == '__main__':
    main()
