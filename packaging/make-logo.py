#!/usr/bin/env python3
"""Writes kvvexdra.png, the 100 x 50 logo front ends show beside the engine's name: a small
checkered board and the letters "Kv". Standard library only; run it again after a change."""
import struct
import sys
import zlib

WIDTH, HEIGHT = 100, 50
BACKGROUND = (24, 32, 48)
LIGHT, DARK = (232, 220, 196), (150, 104, 72)
LETTERS = (240, 196, 64)

# 5 x 7 glyphs, one string per row.
GLYPHS = {
    "K": ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    "v": [".....", ".....", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
}


def draw():
    pixels = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
    # A 4 x 4 board of 9-pixel squares.
    for row in range(4):
        for column in range(4):
            colour = LIGHT if (row + column) % 2 == 0 else DARK
            for y in range(7 + row * 9, 7 + row * 9 + 9):
                for x in range(6 + column * 9, 6 + column * 9 + 9):
                    pixels[y][x] = colour
    # The letters, each glyph pixel a 5 x 5 block.
    left = 48
    for letter in "Kv":
        for gy, line in enumerate(GLYPHS[letter]):
            for gx, cell in enumerate(line):
                if cell == "X":
                    for y in range(8 + gy * 5, 8 + gy * 5 + 5):
                        for x in range(left + gx * 4, left + gx * 4 + 4):
                            pixels[y][x] = LETTERS
        left += 6 * 4
    return pixels


def png(pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    target = sys.argv[1] if len(sys.argv) > 1 else "kvvexdra.png"
    with open(target, "wb") as out:
        out.write(png(draw()))
