#!/usr/bin/env python3
"""Writes the library's bitmap and cursor resources into resources/.

The button strip (bitmap 32600, 48x11, 16 colours) holds four 12x11 images side by side:
collapsed, expanded, collapsed pressed, expanded pressed. Each is a 9x9 dark grey box (x 2 to 10,
y 1 to 9) around a black plus or minus centred at (6, 5), on dark magenta (128, 0, 128), which
the control draws as transparent because it is the colour of each image's top-left pixel. The
inside of a pressed box is a checker of light grey and dark magenta. The cursors are 32x32 monochrome: 32600 no drop
place, 32601 over a drop place, 32602 column resizing.
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

MAGENTA = (128, 0, 128)
GREY = (128, 128, 128)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
LIGHT = (192, 192, 192)


def button(expanded, pressed):
    width, height = 12, 11
    px = [[MAGENTA] * width for _ in range(height)]
    for y in range(1, 10):
        for x in range(2, 11):
            if x in (2, 10) or y in (1, 9):
                px[y][x] = GREY
            elif pressed and (x + y) % 2 == 0:
                px[y][x] = LIGHT
    for x in range(4, 9):
        px[5][x] = BLACK
    if not expanded:
        for y in range(3, 8):
            px[y][6] = BLACK
    return px


# The 16 colours of the classic palette; every pixel of the strip is one of them.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def write_bmp(path, rows):
    """A 4-bit (16-colour) bottom-up BMP."""
    height, width = len(rows), len(rows[0])
    stride = ((width + 1) // 2 + 3) & ~3
    data = b""
    for row in reversed(rows):
        idx = [PALETTE16.index(p) for p in row] + [0]
        line = bytes((idx[x] << 4) | (idx[x + 1] if x + 1 < width else 0) for x in range(0, width, 2))
        data += line + b"\0" * (stride - len(line))
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in PALETTE16)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


def write_cursor(path, art, hotspot):
    # art: 32 strings of 32 chars: '.' transparent, '#' black, 'o' white.
    art = [line.ljust(32, ".") for line in art] + ["." * 32] * (32 - len(art))
    xor_rows, and_rows = [], []
    for line in reversed(art):
        xor_bits = and_bits = 0
        for x, ch in enumerate(line):
            bit = 1 << (31 - x)
            if ch == ".":
                and_bits |= bit
            elif ch == "o":
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 256, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = info + palette + b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


ARROW = [
    "#",
    "##",
    "#o#",
    "#oo#",
    "#ooo#",
    "#oooo#",
    "#ooooo#",
    "#oooooo#",
    "#ooooooo#",
    "#oooooooo#",
    "#ooooo#####",
    "#oo#oo#",
    "#o# #oo#",
    "##  #oo#",
    "#    #oo#",
    "     #oo#",
    "      ##",
]


def with_badge(badge):
    art = [line.replace(" ", ".") for line in ARROW]
    art += ["." * 32] * (32 - len(art))
    art = [list(line.ljust(32, ".")) for line in art]
    for y, line in enumerate(badge):
        for x, ch in enumerate(line):
            if ch != " ":
                art[17 + y][9 + x] = ch
    return ["".join(line) for line in art]


NO_DROP = [
    "  ######  ",
    " #oooooo# ",
    "#oo####oo#",
    "#o#  #ooo#",
    "#o# #ooo##",
    "#o##ooo#o#",
    "#oooo# #o#",
    "#ooo#  #o#",
    "#oo####oo#",
    " #oooooo# ",
    "  ######  ",
]

DROP = [
    "###########",
    "#ooooooooo#",
    "#oooo#oooo#",
    "#oooo#oooo#",
    "#ooo###ooo#",
    "#o#######o#",
    "#ooo###ooo#",
    "#oooo#oooo#",
    "#oooo#oooo#",
    "#ooooooooo#",
    "###########",
]

RESIZE = [
    "           ##           ",
    "           ##           ",
    "           ##           ",
    "           ##           ",
    "    #      ##      #    ",
    "   ##      ##      ##   ",
    "  #o#      ##      #o#  ",
    " #oo########o########oo#",
    "#ooooooooooooooooooooooo",
    " #oo########o########oo#",
    "  #o#      ##      #o#  ",
    "   ##      ##      ##   ",
    "    #      ##      #    ",
    "           ##           ",
    "           ##           ",
    "           ##           ",
]

if __name__ == "__main__":
    images = [button(False, False), button(True, False), button(False, True), button(True, True)]
    strip = [sum((img[y] for img in images), []) for y in range(11)]
    write_bmp(os.path.join(HERE, "buttons.bmp"), strip)
    write_cursor(os.path.join(HERE, "nodrop.cur"), with_badge(NO_DROP), (0, 0))
    write_cursor(os.path.join(HERE, "drop.cur"), with_badge(DROP), (0, 0))
    resize = ["." * 4 + line.replace(" ", ".") for line in RESIZE]
    write_cursor(os.path.join(HERE, "resize.cur"), ["." * 32] * 8 + resize, (15, 16))
