#!/usr/bin/env python3
"""Draws the ROM bitmap (16 colours, 16 x 16) and the application icon
(32 x 32 and 16 x 16, 16 colours) from the text pictures rom16.txt and
rom32.txt in PICTURES_DIR.

usage: images.py PICTURES_DIR OUTDIR  ->  OUTDIR/rom.bmp, OUTDIR/zorvane.ico
"""
import os
import struct
import sys

# The standard 16-colour palette, as (R, G, B).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
GREEN, NAVY, SILVER, WHITE = 2, 4, 7, 15
INKS = {"G": GREEN, "B": NAVY, "W": WHITE}


def read_picture(path):
    with open(path) as f:
        rows = [line.rstrip("\n") for line in f if not line.startswith("#")]
    size = len(rows)
    assert all(len(r) == size for r in rows), path
    return rows


def below_diagonal(x, y, size):
    """True for the ground under the line from the bottom-left to the top-right corner."""
    return x + y >= size


def pixels(rows, upper_ground):
    size = len(rows)
    out = []
    for y, row in enumerate(rows):
        out.append([INKS[c] if c in INKS else SILVER if below_diagonal(x, y, size) else upper_ground
                    for x, c in enumerate(row)])
    return out


def transparent(rows):
    size = len(rows)
    return [[c == "." and not below_diagonal(x, y, size) for x, c in enumerate(row)]
            for y, row in enumerate(rows)]


def pack_4bit(pix):
    """Bottom-up rows of 4-bit indices, each padded to 4 bytes."""
    data = b""
    for row in reversed(pix):
        line = bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))
        data += line + b"\0" * (-len(line) % 4)
    return data


def pack_mask(mask):
    """Bottom-up 1-bit AND mask (1 = transparent), rows padded to 4 bytes."""
    data = b""
    for row in reversed(mask):
        bits = bytearray((len(row) + 7) // 8)
        for x, clear in enumerate(row):
            if clear:
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bytes(bits) + b"\0" * (-len(bits) % 4)
    return data


def dib(pix, mask=None):
    size = len(pix)
    height = size * 2 if mask is not None else size
    header = struct.pack("<IiiHHIIiiII", 40, size, height, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    body = pack_4bit(pix) + (pack_mask(mask) if mask is not None else b"")
    return header + palette + body


def write_bmp(path, rows):
    image = dib(pixels(rows, WHITE))
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(image), 0, 0, 14 + 40 + 64) + image)


def write_ico(path, pictures):
    images = [dib(pixels(rows, 0), transparent(rows)) for rows in pictures]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, image in zip(pictures, images):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    pictures, outdir = sys.argv[1:3]
    os.makedirs(outdir, exist_ok=True)
    rom16, rom32 = (read_picture(os.path.join(pictures, name)) for name in ("rom16.txt", "rom32.txt"))
    write_bmp(os.path.join(outdir, "rom.bmp"), rom16)
    write_ico(os.path.join(outdir, "zorvane.ico"), [rom32, rom16])


if __name__ == "__main__":
    main()
