#!/usr/bin/env python3
"""Draws the program's pictures from their art files.

    draw_resources.py OUTPUT_DIR ART_FILE...

Each art file (res/art/*.txt) becomes OUTPUT_DIR/<stem>.bmp (an 8-bit palette
bitmap) or OUTPUT_DIR/<stem>.ico (a 32 x 32, 16-colour drawing, given as an icon
of every size Windows asks for at the common display scales), as its `kind`
line says. The art language is described in res/README.md. Any fault in an
art file stops the run with "file:line: message" and exit code 1, so a broken
picture fails the build instead of shipping.

Standard library only: the build machines have nothing else.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

# A grid cell with this character leaves the canvas as it is.
KEEP = "-"

ICON_SIZE = 32
# The icon's images: the drawing resampled to each size whole pixel by whole
# pixel, 16-colour bitmaps up to 64, and 256 pixels as a palette PNG, which
# Windows reads inside an icon since Vista.
ICON_BITMAP_SIZES = (16, 20, 24, 32, 40, 48, 64)
ICON_PNG_SIZE = 256
ICON_COLOURS = 16
ICON_BITS = 4
MASK_BITS = 1
BITMAP_COLOURS = 256
BITMAP_BITS = 8
PLANES = 1

BITMAPFILEHEADER_SIZE = 14
BITMAPINFOHEADER_SIZE = 40
BI_RGB = 0
ICONDIR_SIZE = 6
ICONDIRENTRY_SIZE = 16
ICON_TYPE = 1


class ArtError(Exception):
    """A fault in an art file; the text starts with file:line."""


class Picture:
    def __init__(self, name, kind, width, height, colours, pixels):
        self.name = name
        self.kind = kind
        self.width = width
        self.height = height
        # Legend order: list of (character, (r, g, b) or None for transparent).
        self.colours = colours
        # pixels[y][x]: legend character, top row first.
        self.pixels = pixels


# ---------------------------------------------------------------- parsing

class _Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.cells = [[None] * width for _ in range(height)]

    def put(self, x, y, char):
        # Shapes may run over the edge; only what lies inside is kept.
        if 0 <= x < self.width and 0 <= y < self.height:
            self.cells[y][x] = char


class _Parser:
    def __init__(self, path, text):
        self.path = path
        self.lines = text.splitlines()
        self.index = 0
        self.line_no = 0
        self.command = None
        self.kind = None
        self.canvas = None
        self.colours = []
        self.by_char = {}

    def fail(self, message):
        raise ArtError(f"{self.path}:{self.line_no}: {message}")

    def next_line(self):
        if self.index >= len(self.lines):
            return None
        line = self.lines[self.index]
        self.index += 1
        self.line_no = self.index
        return line

    # Numbers --------------------------------------------------------------

    def number(self, word, what):
        try:
            return float(word)
        except ValueError:
            self.fail(f"{what} must be a number, not '{word}'")

    def integer(self, word, what):
        try:
            return int(word)
        except ValueError:
            self.fail(f"{what} must be a whole number, not '{word}'")

    def args(self, words, names, kinds):
        if len(words) != len(names):
            self.fail(f"'{self.command}' takes {len(names)} values here: "
                      f"{' '.join(names)}")
        return [self.integer(w, n) if k == "i" else self.number(w, n)
                for w, n, k in zip(words, names, kinds)]

    def colour_char(self, word):
        if word not in self.by_char:
            self.fail(f"colour '{word}' is not in the legend")
        return word

    # Commands -------------------------------------------------------------

    def parse(self):
        while True:
            line = self.next_line()
            if line is None:
                break
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                continue
            words = stripped.split()
            command, rest = words[0], words[1:]
            self.command = command
            handler = getattr(self, "cmd_" + command, None)
            if handler is None:
                self.fail(f"unknown command '{command}'")
            if command not in ("kind", "size", "colour") and self.canvas is None:
                self.fail(f"'{command}' before 'size'")
            handler(rest)
        return self.finish()

    def cmd_kind(self, rest):
        if self.kind is not None:
            self.fail("'kind' given twice")
        if rest not in (["bitmap"], ["icon"]):
            self.fail("kind must be 'bitmap' or 'icon'")
        self.kind = rest[0]

    def cmd_size(self, rest):
        if self.canvas is not None:
            self.fail("'size' given twice")
        width, height = self.args(rest, ["width", "height"], "ii")
        if width <= 0 or height <= 0:
            self.fail("width and height must be positive")
        self.canvas = _Canvas(width, height)

    def cmd_colour(self, rest):
        # colour C R G B [description...]   or   colour C none [description...]
        if len(rest) < 2:
            self.fail("'colour' needs a character and R G B (or 'none')")
        char = rest[0]
        if len(char) != 1 or char == KEEP:
            self.fail(f"a colour is one character other than '{KEEP}', not '{char}'")
        if char in self.by_char:
            self.fail(f"colour '{char}' defined twice")
        if rest[1] == "none":
            rgb = None
        else:
            if len(rest) < 4:
                self.fail("'colour' needs R G B")
            rgb = tuple(self.integer(w, "colour component") for w in rest[1:4])
            if any(not 0 <= c <= 255 for c in rgb):
                self.fail("colour components run from 0 to 255")
            for other, other_rgb in self.colours:
                if other_rgb == rgb:
                    self.fail(f"colour '{char}' repeats the RGB of '{other}'")
        self.colours.append((char, rgb))
        self.by_char[char] = rgb

    def cmd_fill(self, rest):
        if len(rest) != 1:
            self.fail("'fill' takes one colour")
        char = self.colour_char(rest[0])
        self.paint_rect(char, 0, 0, self.canvas.width - 1, self.canvas.height - 1)

    def cmd_rect(self, rest):
        if not rest:
            self.fail("'rect' takes a colour and x0 y0 x1 y1")
        char = self.colour_char(rest[0])
        x0, y0, x1, y1 = self.args(rest[1:], ["x0", "y0", "x1", "y1"], "iiii")
        self.paint_rect(char, x0, y0, x1, y1)

    def cmd_frame(self, rest):
        if not rest:
            self.fail("'frame' takes a colour and x0 y0 x1 y1")
        char = self.colour_char(rest[0])
        x0, y0, x1, y1 = self.args(rest[1:], ["x0", "y0", "x1", "y1"], "iiii")
        self.paint_rect(char, x0, y0, x1, y0)
        self.paint_rect(char, x0, y1, x1, y1)
        self.paint_rect(char, x0, y0, x0, y1)
        self.paint_rect(char, x1, y0, x1, y1)

    def cmd_line(self, rest):
        if not rest:
            self.fail("'line' takes a colour and x0 y0 x1 y1")
        char = self.colour_char(rest[0])
        x0, y0, x1, y1 = self.args(rest[1:], ["x0", "y0", "x1", "y1"], "iiii")
        self.paint_line(char, x0, y0, x1, y1)

    def cmd_disc(self, rest):
        # Filled ellipse; pixel (x, y) is in when its centre is.
        if not rest:
            self.fail("'disc' takes a colour and cx cy rx ry")
        char = self.colour_char(rest[0])
        cx, cy, rx, ry = self.args(rest[1:], ["cx", "cy", "rx", "ry"], "ffff")
        if rx <= 0 or ry <= 0:
            self.fail("radii must be positive")
        for y in range(self.canvas.height):
            for x in range(self.canvas.width):
                if _inside(x, y, cx, cy, rx, ry):
                    self.canvas.put(x, y, char)

    def cmd_ring(self, rest):
        # Ellipse outline of the given thickness, drawn inward from the radii.
        if not rest:
            self.fail("'ring' takes a colour and cx cy rx ry thickness")
        char = self.colour_char(rest[0])
        cx, cy, rx, ry, thick = self.args(
            rest[1:], ["cx", "cy", "rx", "ry", "thickness"], "fffff")
        if rx <= 0 or ry <= 0 or thick <= 0:
            self.fail("radii and thickness must be positive")
        for y in range(self.canvas.height):
            for x in range(self.canvas.width):
                if _inside(x, y, cx, cy, rx, ry) and not (
                        rx > thick and ry > thick
                        and _inside(x, y, cx, cy, rx - thick, ry - thick)):
                    self.canvas.put(x, y, char)

    def cmd_sine(self, rest):
        # sine C x0 x1 centre_y amplitude period phase_degrees
        if not rest:
            self.fail("'sine' takes a colour and x0 x1 y amplitude period phase")
        char = self.colour_char(rest[0])
        x0, x1, yc, amp, period, phase = self.args(
            rest[1:], ["x0", "x1", "y", "amplitude", "period", "phase"], "iiffff")
        if period <= 0 or x1 < x0:
            self.fail("period must be positive and x1 not left of x0")
        last = None
        for x in range(x0, x1 + 1):
            angle = 2 * math.pi * (x - x0) / period + math.radians(phase)
            y = int(math.floor(yc - amp * math.sin(angle) + 0.5))
            if last is None:
                self.canvas.put(x, y, char)
            else:
                # Joined to the previous point so steep slopes stay unbroken.
                self.paint_line(char, x - 1, last, x, y)
            last = y

    def cmd_grid(self, rest):
        # grid X Y, then one line per row up to 'end'.
        x0, y0 = self.args(rest, ["x", "y"], "ii")
        start = self.line_no
        rows = []
        while True:
            line = self.next_line()
            if line is None:
                self.line_no = start
                self.fail("'grid' without 'end'")
            if line.strip() == "end":
                break
            rows.append((self.line_no, line.rstrip()))
        if not rows:
            self.line_no = start
            self.fail("empty grid")
        width = len(rows[0][1])
        for line_no, row in rows:
            self.line_no = line_no
            if len(row) != width:
                self.fail(f"grid row is {len(row)} wide, the first row {width}")
        self.line_no = start
        if (x0 < 0 or y0 < 0 or x0 + width > self.canvas.width
                or y0 + len(rows) > self.canvas.height):
            self.fail(f"a {width} x {len(rows)} grid at ({x0}, {y0}) does not fit "
                      f"the {self.canvas.width} x {self.canvas.height} picture")
        for dy, (line_no, row) in enumerate(rows):
            self.line_no = line_no
            for dx, char in enumerate(row):
                if char == KEEP:
                    continue
                self.canvas.put(x0 + dx, y0 + dy, self.colour_char(char))

    # Painting helpers -----------------------------------------------------

    def paint_rect(self, char, x0, y0, x1, y1):
        if x1 < x0 or y1 < y0:
            self.fail("the second corner lies left of or above the first")
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.canvas.put(x, y, char)

    def paint_line(self, char, x0, y0, x1, y1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.canvas.put(x0, y0, char)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    # Final checks ---------------------------------------------------------

    def finish(self):
        self.line_no = len(self.lines)
        if self.kind is None:
            self.fail("no 'kind' line")
        if self.canvas is None:
            self.fail("no 'size' line")
        canvas = self.canvas
        for y, row in enumerate(canvas.cells):
            for x, char in enumerate(row):
                if char is None:
                    self.fail(f"pixel ({x}, {y}) is never painted")
        used = {char for row in canvas.cells for char in row}
        for char, _ in self.colours:
            if char not in used:
                self.fail(f"colour '{char}' is in the legend but not in the picture")
        opaque = [c for c, rgb in self.colours if rgb is not None]
        if self.kind == "bitmap":
            if len(opaque) != len(self.colours):
                self.fail("a bitmap has no transparent colour: it uses its key grey")
            if len(opaque) > BITMAP_COLOURS:
                self.fail(f"a bitmap holds at most {BITMAP_COLOURS} colours")
        else:
            if (canvas.width, canvas.height) != (ICON_SIZE, ICON_SIZE):
                self.fail(f"the icon is {ICON_SIZE} x {ICON_SIZE}")
            has_black = any(rgb == (0, 0, 0) for _, rgb in self.colours)
            # Transparent pixels need black at index 0 (see encode_icon).
            limit = ICON_COLOURS if has_black else ICON_COLOURS - 1
            if len(opaque) > limit:
                self.fail(f"this icon holds at most {limit} opaque colours")
        name = Path(self.path).stem
        return Picture(name, self.kind, canvas.width, canvas.height,
                       list(self.colours), canvas.cells)


def _inside(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def parse_art(path, text=None):
    """Reads one art file into a Picture; raises ArtError on any fault."""
    if text is None:
        try:
            text = Path(path).read_text(encoding="utf-8")
        except OSError as error:
            raise ArtError(f"{path}:0: cannot read: {error.strerror}") from None
    return _Parser(str(path), text).parse()


# ---------------------------------------------------------------- encoding

def _row_stride(width, bits):
    # DIB rows are padded to whole 32-bit words.
    return (width * bits + 31) // 32 * 4


def encode_bitmap(picture):
    """An 8-bit palette BMP file, bottom-up, uncompressed."""
    index = {char: i for i, (char, _) in enumerate(picture.colours)}
    stride = _row_stride(picture.width, BITMAP_BITS)
    pixels = bytearray()
    for row in reversed(picture.pixels):
        line = bytes(index[c] for c in row)
        pixels += line + bytes(stride - len(line))
    palette = b"".join(struct.pack("<4B", b, g, r, 0)
                       for _, (r, g, b) in picture.colours)
    info = struct.pack("<IiiHHIIiiII", BITMAPINFOHEADER_SIZE, picture.width,
                       picture.height, PLANES, BITMAP_BITS, BI_RGB, len(pixels), 0, 0,
                       len(picture.colours), 0)
    offset = BITMAPFILEHEADER_SIZE + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def resample(picture, size):
    """The drawing at size x size: each pixel takes the art pixel under its
    centre, so edges stay sharp and a one-pixel outline survives halving."""
    step = picture.width / size
    return [[picture.pixels[int((y + 0.5) * step)][int((x + 0.5) * step)]
             for x in range(size)] for y in range(size)]


def icon_palette(picture):
    """Black first (a transparent pixel is drawn as (screen AND 1) XOR
    colour, so its colour index must point at black), then the legend."""
    opaque = [(c, rgb) for c, rgb in picture.colours if rgb is not None]
    opaque.sort(key=lambda entry: entry[1] != (0, 0, 0))
    palette_rgb = [rgb for _, rgb in opaque]
    if not palette_rgb or palette_rgb[0] != (0, 0, 0):
        palette_rgb.insert(0, (0, 0, 0))
    index = {c: palette_rgb.index(rgb) for c, rgb in opaque}
    return palette_rgb, index


def encode_icon_bitmap(picture, size):
    """One icon image: size x size, 4 bits per pixel, with an AND mask."""
    palette_rgb, index = icon_palette(picture)
    palette_rgb += [(0, 0, 0)] * (ICON_COLOURS - len(palette_rgb))
    palette = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in palette_rgb)

    transparent = {c for c, rgb in picture.colours if rgb is None}
    xor_stride = _row_stride(size, ICON_BITS)
    and_stride = _row_stride(size, MASK_BITS)
    xor_mask = bytearray()
    and_mask = bytearray()
    for row in reversed(resample(picture, size)):
        nibbles = [0 if c in transparent else index[c] for c in row]
        # Two pixels a byte, the left one in the high nibble.
        line = bytes((nibbles[i] << 4) | nibbles[i + 1]
                     for i in range(0, len(nibbles), 2))
        xor_mask += line + bytes(xor_stride - len(line))
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            if c in transparent:  # eight pixels a byte, leftmost in the top bit
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits

    # An icon image's height counts the XOR and the AND mask together.
    info = struct.pack("<IiiHHIIiiII", BITMAPINFOHEADER_SIZE, size, size * 2, PLANES,
                       ICON_BITS, BI_RGB, len(xor_mask) + len(and_mask), 0, 0, 0, 0)
    return info + palette + bytes(xor_mask) + bytes(and_mask)


def _png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def encode_icon_png(picture, size):
    """The drawing as a palette PNG, its transparent pixels of alpha 0."""
    palette_rgb, index = icon_palette(picture)
    transparent = len(palette_rgb)
    rows = b"".join(
        b"\0" + bytes(index.get(c, transparent) for c in row)  # filter: none
        for row in resample(picture, size))
    header = struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0)  # 8-bit palette
    plte = b"".join(struct.pack("3B", *rgb) for rgb in palette_rgb) + bytes(3)
    trns = bytes([255] * transparent + [0])
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header) + _png_chunk(b"PLTE", plte) +
            _png_chunk(b"tRNS", trns) + _png_chunk(b"IDAT", zlib.compress(rows, 9)) +
            _png_chunk(b"IEND", b""))


def encode_icon(picture):
    """An ICO file of every size, smallest first."""
    images = [(size, encode_icon_bitmap(picture, size)) for size in ICON_BITMAP_SIZES]
    images.append((ICON_PNG_SIZE, encode_icon_png(picture, ICON_PNG_SIZE)))
    directory = struct.pack("<HHH", 0, ICON_TYPE, len(images))
    offset = ICONDIR_SIZE + ICONDIRENTRY_SIZE * len(images)
    entries = b""
    for size, image in images:
        # 256 is written 0; a PNG image names no palette size.
        png = size == ICON_PNG_SIZE
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0 if png else ICON_COLOURS,
                               0, PLANES, 8 if png else ICON_BITS, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(image for _, image in images)


def output_name(picture):
    return picture.name + (".bmp" if picture.kind == "bitmap" else ".ico")


def encode(picture):
    return encode_bitmap(picture) if picture.kind == "bitmap" else encode_icon(picture)


# ---------------------------------------------------------------- main

def main(argv):
    if len(argv) < 2:
        print("usage: draw_resources.py OUTPUT_DIR ART_FILE...", file=sys.stderr)
        return 2
    out_dir = Path(argv[0])
    try:
        # Read every picture before writing any, so a fault leaves no mix.
        pictures = [parse_art(path) for path in argv[1:]]
    except ArtError as error:
        print(f"draw_resources: {error}", file=sys.stderr)
        return 1
    names = [output_name(p) for p in pictures]
    if len(set(names)) != len(names):
        print("draw_resources: two art files give the same output name",
              file=sys.stderr)
        return 1
    out_dir.mkdir(parents=True, exist_ok=True)
    for picture, name in zip(pictures, names):
        (out_dir / name).write_bytes(encode(picture))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
