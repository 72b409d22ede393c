"""Tests of the picture generator: faulty art stops it with the file and line,
and good art becomes exactly the BMP and ICO bytes Windows expects.

The generator's path comes from DRAW_RESOURCES (set by CTest)."""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

TOOL = Path(os.environ.get(
    "DRAW_RESOURCES",
    Path(__file__).resolve().parents[2] / "res" / "tools" / "draw_resources.py"))

# Keep the source tree free of compiled files.
sys.dont_write_bytecode = True
sys.path.insert(0, str(TOOL.parent))
import draw_resources as draw  # noqa: E402  (found through the path above)

KEY_GREY = "colour . 204 204 204\n"
BLACK = "colour # 0 0 0\n"


def picture(text):
    return draw.parse_art("case.txt", text)


def bitmap_art(rows, extra_colours=""):
    width = len(rows[0])
    return (f"kind bitmap\nsize {width} {len(rows)}\n" + KEY_GREY + BLACK
            + extra_colours + "grid 0 0\n" + "\n".join(rows) + "\nend\n")


def icon_art(body, colours=BLACK):
    return "kind icon\nsize 32 32\ncolour . none\n" + colours + body


class MalformedArtFails(unittest.TestCase):
    def assertFault(self, text, line, words):
        with self.assertRaises(draw.ArtError) as caught:
            picture(text)
        message = str(caught.exception)
        self.assertTrue(message.startswith(f"case.txt:{line}: "), message)
        self.assertIn(words, message)

    def test_unknown_command_names_its_line(self):
        self.assertFault("kind bitmap\nsize 2 2\n" + KEY_GREY + "fil .\n",
                         4, "unknown command 'fil'")

    def test_drawing_before_size(self):
        self.assertFault("kind bitmap\n" + KEY_GREY + "fill .\n", 3, "before 'size'")

    def test_grid_row_of_another_width_names_that_row(self):
        text = "kind bitmap\nsize 3 3\n" + KEY_GREY + "grid 0 0\n...\n..\n...\nend\n"
        self.assertFault(text, 6, "grid row is 2 wide, the first row 3")

    def test_grid_that_runs_off_the_picture(self):
        text = "kind bitmap\nsize 3 3\n" + KEY_GREY + "grid 1 1\n...\n...\nend\n"
        self.assertFault(text, 4, "does not fit")

    def test_grid_without_end(self):
        text = "kind bitmap\nsize 1 1\n" + KEY_GREY + "grid 0 0\n.\n"
        self.assertFault(text, 4, "without 'end'")

    def test_character_missing_from_the_legend(self):
        self.assertFault(bitmap_art(["..", ".x"]), 7, "colour 'x' is not in the legend")

    def test_colour_character_defined_twice(self):
        self.assertFault("kind bitmap\nsize 1 1\n" + KEY_GREY + "colour . 1 2 3\n",
                         4, "defined twice")

    def test_two_characters_with_one_rgb(self):
        # Two palette entries of the key grey would hide one from the mapping.
        self.assertFault("kind bitmap\nsize 1 1\n" + KEY_GREY + "colour g 204 204 204\n",
                         4, "repeats the RGB of '.'")

    def test_colour_component_out_of_range(self):
        self.assertFault("kind bitmap\nsize 1 1\ncolour . 256 0 0\n", 3, "0 to 255")

    def test_keep_character_cannot_be_a_colour(self):
        self.assertFault("kind bitmap\nsize 1 1\ncolour - 1 1 1\n", 3, "one character")

    def test_pixel_left_unpainted(self):
        text = "kind bitmap\nsize 2 2\n" + KEY_GREY + "rect . 0 0 1 0\n"
        self.assertFault(text, 4, "pixel (0, 1) is never painted")

    def test_legend_colour_never_used(self):
        self.assertFault(bitmap_art(["..", ".."]), 8, "colour '#' is in the legend but not")

    def test_missing_kind(self):
        self.assertFault("size 1 1\n" + KEY_GREY + "fill .\n", 3, "no 'kind' line")

    def test_bitmap_cannot_have_a_transparent_colour(self):
        self.assertFault("kind bitmap\nsize 1 1\ncolour . none\nfill .\n", 4,
                         "no transparent colour")

    def test_icon_of_another_size(self):
        self.assertFault("kind icon\nsize 16 16\ncolour . none\nfill .\n", 4,
                         "the icon is 32 x 32")

    def test_icon_with_too_many_colours(self):
        # Without black among them, index 0 goes to black: 15 remain.
        names = [chr(ord("A") + i) for i in range(16)]
        colours = "".join(f"colour {n} {i + 1} 0 0\n" for i, n in enumerate(names))
        body = "fill .\n" + "".join(f"rect {n} {i} 0 {i} 31\n" for i, n in enumerate(names))
        text = icon_art(body, colours)
        self.assertFault(text, text.count("\n"), "at most 15 opaque colours")

    def test_wrong_number_of_values(self):
        text = "kind bitmap\nsize 2 2\n" + KEY_GREY + "rect . 0 0 1\n"
        self.assertFault(text, 4, "'rect' takes 4 values here: x0 y0 x1 y1")

    def test_bad_number(self):
        self.assertFault("kind bitmap\nsize 2 x\n", 2, "height must be a whole number")

    def test_command_line_run_fails_and_writes_nothing(self):
        with tempfile.TemporaryDirectory() as folder:
            good = Path(folder) / "good.txt"
            bad = Path(folder) / "bad.txt"
            good.write_text(bitmap_art([".#", "#."]))
            bad.write_text(bitmap_art([".#", "#"]))
            out = Path(folder) / "out"
            run = subprocess.run([sys.executable, str(TOOL), str(out), str(good), str(bad)],
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 1)
            self.assertIn(f"{bad}:7: grid row is 1 wide", run.stderr)
            self.assertFalse((out / "good.bmp").exists())


class Shapes(unittest.TestCase):
    def test_frame_and_diagonal_line(self):
        pic = picture("kind bitmap\nsize 4 4\n" + KEY_GREY + BLACK
                      + "fill .\nline # 0 0 3 3\n")
        self.assertEqual(["".join(r) for r in pic.pixels],
                         ["#...", ".#..", "..#.", "...#"])

    def test_disc_centred_between_pixels_is_symmetric(self):
        pic = picture("kind bitmap\nsize 6 6\n" + KEY_GREY + BLACK
                      + "fill .\ndisc # 2.5 2.5 3 3\n")
        rows = ["".join(r) for r in pic.pixels]
        self.assertEqual(rows, [".####.", "######", "######",
                                "######", "######", ".####."])

    def test_keep_cells_leave_the_canvas_alone(self):
        pic = picture("kind bitmap\nsize 3 1\n" + KEY_GREY + BLACK
                      + "fill #\ngrid 0 0\n.-.\nend\n")
        self.assertEqual("".join(pic.pixels[0]), ".#.")


class BitmapEncoding(unittest.TestCase):
    def setUp(self):
        # 5 wide: rows need 3 bytes of padding; top row differs from bottom.
        art = bitmap_art(["#....", ".....", "....w"], "colour w 255 255 255\n")
        self.data = draw.encode_bitmap(picture(art))

    def test_headers(self):
        magic, size, _, _, offset = struct.unpack_from("<2sIHHI", self.data, 0)
        (info_size, width, height, planes, bits, compression, image_size,
         _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", self.data, 14)
        self.assertEqual(magic, b"BM")
        self.assertEqual(size, len(self.data))
        self.assertEqual((info_size, width, height, planes, bits, compression),
                         (40, 5, 3, 1, 8, 0))
        self.assertEqual(used, 3)
        self.assertEqual(offset, 14 + 40 + 3 * 4)
        self.assertEqual(image_size, 3 * 8)

    def test_palette_is_blue_green_red_in_legend_order(self):
        palette = self.data[54:54 + 12]
        self.assertEqual(palette, bytes([204, 204, 204, 0, 0, 0, 0, 0, 255, 255, 255, 0]))

    def test_rows_run_bottom_up_and_are_padded(self):
        pixels = self.data[54 + 12:]
        self.assertEqual(pixels[0:8], bytes([0, 0, 0, 0, 2, 0, 0, 0]))
        self.assertEqual(pixels[16:24], bytes([1, 0, 0, 0, 0, 0, 0, 0]))


class IconEncoding(unittest.TestCase):
    SIZES = [16, 20, 24, 32, 40, 48, 64, 256]

    def setUp(self):
        colours = "colour r 255 0 0\n" + BLACK
        body = "fill .\nrect r 1 0 31 31\nline # 31 31 31 31\n"
        self.data = draw.encode_icon(picture(icon_art(body, colours)))
        self.entries = [struct.unpack_from("<BBBBHHII", self.data, 6 + 16 * i)
                        for i in range(len(self.SIZES))]
        self.image = self.entries[self.SIZES.index(32)][7]

    def test_directory(self):
        self.assertEqual(struct.unpack_from("<HHH", self.data, 0), (0, 1, len(self.SIZES)))
        offset = 6 + 16 * len(self.SIZES)
        for size, (width, height, count, _, planes, bits, length, at) in zip(self.SIZES,
                                                                           self.entries):
            self.assertEqual((width, height), (size % 256, size % 256))
            self.assertEqual((count, planes, bits), (0, 1, 8) if size == 256 else (16, 1, 4))
            self.assertEqual(at, offset)  # the images follow each other
            offset += length
        self.assertEqual(offset, len(self.data))
        self.assertEqual(self.entries[3][6], 40 + 16 * 4 + 32 * 16 + 32 * 4)

    def test_image_header_counts_both_masks(self):
        _, width, height, _, bits = struct.unpack_from("<IiiHH", self.data, self.image)
        self.assertEqual((width, height, bits), (32, 64, 4))

    def test_black_comes_first_and_transparent_pixels_use_it(self):
        palette = self.data[self.image + 40:self.image + 40 + 64]
        self.assertEqual(palette[0:4], bytes([0, 0, 0, 0]))
        self.assertEqual(palette[4:8], bytes([0, 0, 255, 0]))
        xor = self.data[self.image + 40 + 64:]
        and_mask = xor[512:]
        # Top row is stored last. Column 0 is transparent, column 1 red.
        top_xor = xor[31 * 16:32 * 16]
        top_and = and_mask[31 * 4:32 * 4]
        self.assertEqual(top_xor[0], 0x01)
        self.assertEqual(top_and[0], 0x80)
        # Bottom row: transparent, red..., black in the last column.
        self.assertEqual(xor[15], 0x10)
        self.assertEqual(and_mask[0:4], bytes([0x80, 0, 0, 0]))

    def test_halving_keeps_a_one_pixel_edge_and_doubling_repeats_pixels(self):
        at16 = self.entries[0][7] + 40 + 64
        self.assertEqual(self.data[at16 + 15 * 8] >> 4, 1)  # top-left: the red column 1
        at64 = self.entries[6][7] + 40 + 64
        top = self.data[at64 + 63 * 32:at64 + 64 * 32]
        self.assertEqual(top[0], 0x00)  # columns 0 and 1: transparent art column 0
        self.assertEqual(top[1], 0x11)  # columns 2 and 3: red art column 1

    def test_the_largest_image_is_a_palette_png_with_transparency(self):
        png = self.data[self.entries[-1][7]:]
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack_from(">4sIIBB", png, 12), (b"IHDR", 256, 256, 8, 3))
        self.assertIn(b"tRNS", png)


if __name__ == "__main__":
    unittest.main()
