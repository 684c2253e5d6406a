#!/usr/bin/env python3
"""Draws the extension's pictures: the toolbar button (bitmap 103), the options
banner (bitmap 135) and the program icon (icon 118), each a blue seal shield
with an "S". Deterministic: the same files on every run.

    python3 resources/tools/make_images.py    # writes into resources/
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)

# The 16 colours of the standard VGA palette, in Windows' order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, DARK_GREY, YELLOW, BLUE, WHITE = 0, 4, 7, 8, 11, 12, 15

GLYPHS = {
    "S": [".###.", "#...#", "#....", ".###.", "....#", "#...#", ".###."],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
}


def palette_256():
    """VGA colours, a 6x6x6 colour cube, then 24 greys: 256 entries."""
    colours = list(VGA)
    levels = [0, 51, 102, 153, 204, 255]
    colours += [(r, g, b) for r in levels for g in levels for b in levels]
    colours += [(8 + 10 * i, 8 + 10 * i, 8 + 10 * i) for i in range(24)]
    assert len(colours) == 256
    return colours


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def shield(pixels, left, top, width, height, fill, edge):
    """A shield: straight sides for the upper half, then curving to a point."""
    def inside(x, y):
        if not (0 <= x < width and 0 <= y < height):
            return False
        u = (x + 0.5) / width * 2 - 1
        v = (y + 0.5) / height
        if v < 0.5:
            return abs(u) <= 0.95
        t = (v - 0.5) / 0.5
        return abs(u) <= 0.95 * (1 - t * t) ** 0.5
    for y in range(height):
        for x in range(width):
            if not inside(x, y):
                continue
            border = not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            pixels[top + y][left + x] = edge if border else fill


def text(pixels, left, top, word, scale, colour):
    for i, letter in enumerate(word):
        for y, row in enumerate(GLYPHS[letter]):
            for x, cell in enumerate(row):
                if cell != "#":
                    continue
                for sy in range(scale):
                    for sx in range(scale):
                        pixels[top + y * scale + sy][left + (i * 6 + x) * scale + sx] = colour


def dib(pixels, bits, colours):
    """BITMAPINFOHEADER, colour table and rows (bottom row first)."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * bits + 31) // 32 * 4
    rows = b""
    for row in reversed(pixels):
        packed = bytearray()
        if bits == 4:
            for x in range(0, width, 2):
                high = row[x]
                low = row[x + 1] if x + 1 < width else 0
                packed.append(high << 4 | low)
        else:
            packed.extend(row)
        rows += bytes(packed) + b"\0" * (stride - len(packed))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 3780, 3780,
                         len(colours), len(colours))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return header, table, rows


def write_bmp(name, pixels, bits, colours):
    header, table, rows = dib(pixels, bits, colours)
    offset = 14 + len(header) + len(table)
    data = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + header + table + rows
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def write_ico(name, pixels, transparent):
    height, width = len(pixels), len(pixels[0])
    header, table, rows = dib(pixels, 4, VGA)
    # An icon's header counts the colour image and the mask below it.
    header = header[:8] + struct.pack("<i", 2 * height) + header[12:]
    mask_stride = (width + 31) // 32 * 4
    mask = b""
    for row in reversed(transparent):
        packed = bytearray(mask_stride)
        for x, clear in enumerate(row):
            if clear:
                packed[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(packed)
    image = header + table + rows + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(image), 6 + 16)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(directory + entry + image)


def toolbar_button():
    pixels = canvas(16, 15, GREY)
    shield(pixels, 1, 0, 14, 15, BLUE, NAVY)
    text(pixels, 6, 3, "S", 1, WHITE)
    write_bmp("toolbar.bmp", pixels, 4, VGA)


def banner():
    colours = palette_256()
    pixels = canvas(197, 52, GREY)
    for x in range(197):  # a rule under the name, fading from navy to grey
        pixels[44][x] = NAVY if x < 120 else DARK_GREY
    shield(pixels, 6, 4, 36, 44, BLUE, YELLOW)
    text(pixels, 18, 12, "S", 2, WHITE)
    text(pixels, 50, 12, "SIGILON", 3, NAVY)
    write_bmp("banner.bmp", pixels, 8, colours)


def program_icon():
    pixels = canvas(32, 32, BLACK)
    clear = [[True] * 32 for _ in range(32)]
    shield(pixels, 2, 1, 28, 30, BLUE, NAVY)
    for y in range(32):
        for x in range(32):
            clear[y][x] = not (2 <= x < 30 and 1 <= y < 31 and pixels[y][x] != BLACK)
    text(pixels, 11, 8, "S", 2, WHITE)
    write_ico("sigilon.ico", pixels, clear)


if __name__ == "__main__":
    toolbar_button()
    banner()
    program_icon()
