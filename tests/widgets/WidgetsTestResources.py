"""Writes the bitmaps, the icon and the resource script of the widget tests.

    WidgetsTestResources.py OUTPUT_DIR

Every bitmap is an 8-bit palette bitmap like the program's glyphs, with the
key grey RGB(204,204,204) as background. The ids are those of
WidgetsTestResources.h.
"""
import os
import struct
import sys

KEY_GREY = (204, 204, 204)
NEAR_GREY = (204, 204, 203)  # blue one step below the key grey
BLACK = (0, 0, 0)
RED = (255, 0, 0)
GREEN = (0, 128, 0)
BLUE = (0, 0, 255)


def bitmap_file(rows, palette):
    """rows[y][x] are palette indexes, top row first."""
    height, width = len(rows), len(rows[0])
    stride = (width + 3) & ~3
    pixels = b"".join(bytes(row) + b"\0" * (stride - width) for row in reversed(rows))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels),
                         2835, 2835, len(palette), 0)
    offset = 14 + len(header) + len(colours)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + colours + pixels


def framed_glyph(size, centre):
    """A black frame one pixel in from the edge, the centre colour inside,
    one near-grey pixel at (2, 2) and grey outside the frame."""
    rows = [[0] * size for _ in range(size)]
    for y in range(1, size - 1):
        for x in range(1, size - 1):
            edge = x in (1, size - 2) or y in (1, size - 2)
            rows[y][x] = 1 if edge else centre
    rows[2][2] = 2
    return rows


def icon_file():
    """A 32 x 32 icon of 16 colours, all red."""
    size = 32
    palette = [(0, 0, 0)] * 16
    palette[1] = RED
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    xor = bytes([0x11]) * (size * size // 2)
    mask = bytes(size * 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    image = header + colours + xor + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4,
                                                      len(image), 22) + image


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    palette = [KEY_GREY, BLACK, NEAR_GREY, RED, GREEN, BLUE]
    two = framed_glyph(12, 4)
    right = framed_glyph(12, 5)
    files = {
        "glyph12.bmp": bitmap_file(framed_glyph(12, 3), palette),
        "glyph24.bmp": bitmap_file(framed_glyph(24, 3), palette),
        "twoglyphs.bmp": bitmap_file([two[y] + right[y] for y in range(12)], palette),
        # 4 x 2: key grey in the corners, colours between.
        "logo.bmp": bitmap_file([[0, 3, 4, 0], [0, 5, 2, 0]], palette),
        "main.ico": icon_file(),
    }
    # Damaged pictures: the pixels cut short, a colour count far larger than
    # the resource, and sizes whose products wrap around in 32 bits: width
    # times bit count, and row bytes times rows (2^24 bytes by 256 rows).
    whole = files["glyph12.bmp"]
    files["truncated.bmp"] = whole[:len(whole) - 20]
    files["hugepalette.bmp"] = whole[:46] + struct.pack("<I", 0x40000001) + whole[50:]
    files["widerow.bmp"] = whole[:18] + struct.pack("<I", 0x20000001) + whole[22:]
    files["hugerows.bmp"] = whole[:18] + struct.pack("<Ii", 0x01000000, 256) + whole[26:]
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    with open(os.path.join(out, "WidgetsTestResources.rc"), "w") as f:
        f.write('#include "widgets/WidgetsTestResources.h"\n')
        f.write('MAINICON ICON "main.ico"\n')
        f.write('kGlyph12Resource BITMAP "glyph12.bmp"\n')
        f.write('kGlyph24Resource BITMAP "glyph24.bmp"\n')
        f.write('kTwoGlyphsResource BITMAP "twoglyphs.bmp"\n')
        f.write('kLogoResource BITMAP "logo.bmp"\n')
        f.write('kTruncatedResource BITMAP "truncated.bmp"\n')
        f.write('kHugePaletteResource BITMAP "hugepalette.bmp"\n')
        f.write('kWideRowResource BITMAP "widerow.bmp"\n')
        f.write('kHugeRowsResource BITMAP "hugerows.bmp"\n')


if __name__ == "__main__":
    main()
