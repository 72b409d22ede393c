"""Tests of the help file writer: its output is read back by a reader of this
test's own, written from the description of the WinHelp format (the internal
file system and its B+ trees, |SYSTEM, |FONT, |TOPIC, |CONTEXT and the
keyword index), its HTML page by Python's own HTML parser, and faulty sources
stop it with the file and line.

The writer's path comes from WRITE_HELP and the program's help source from
HELP_SOURCE (both set by CTest)."""

import base64
import itertools
import math
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
from html.parser import HTMLParser
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
TOOL = Path(os.environ.get("WRITE_HELP", ROOT / "res" / "tools" / "write_help.py"))
HELP_SOURCE = Path(os.environ.get("HELP_SOURCE", ROOT / "help" / "zemko-help.txt"))

# Keep the source tree free of compiled files.
sys.dont_write_bytecode = True
sys.path.insert(0, str(TOOL.parent))
import write_help  # noqa: E402  (found through the path above)


# ---------------------------------------------------------------- the reader

def c_string(data, at):
    end = data.index(b"\0", at)
    return data[at:end], end + 1


def read_compressed_ushort(data, at):
    # One byte: value * 2. Two bytes (low bit set): value * 2 + 1.
    if data[at] & 1:
        return struct.unpack_from("<H", data, at)[0] >> 1, at + 2
    return data[at] >> 1, at + 1


def read_compressed_short(data, at):
    if data[at] & 1:
        return (struct.unpack_from("<H", data, at)[0] >> 1) - 16384, at + 2
    return (data[at] >> 1) - 64, at + 1


def read_compressed_long(data, at):
    if data[at] & 1:
        return (struct.unpack_from("<I", data, at)[0] >> 1) - 0x40000000, at + 4
    return (struct.unpack_from("<H", data, at)[0] >> 1) - 16384, at + 2


class BTree:
    """A B+ tree as stored: header, fixed-size pages, index pages above the
    leaves. Entries are read with a function (data, at) -> (entry, next)."""

    def __init__(self, data, read_leaf, read_key):
        (magic, self.flags, self.page_size, structure, zero, self.splits, self.root,
         minus_one, self.page_count, self.levels, self.entry_count) = \
            struct.unpack_from("<HHH16shhhhhhi", data, 0)
        assert magic == 0x293B, hex(magic)
        assert zero == 0 and minus_one == -1
        self.structure = structure.rstrip(b"\0").decode("ascii")
        self.data = data
        self.read_leaf = read_leaf
        self.read_key = read_key
        assert len(data) == 38 + self.page_count * self.page_size

    def page(self, number):
        start = 38 + number * self.page_size
        return self.data[start:start + self.page_size]

    def leaf_pages(self):
        """Leaf page numbers, first found by always going left, then by the
        chain of next pages."""
        number = self.root
        for _ in range(self.levels - 1):
            number = struct.unpack_from("<h", self.page(number), 4)[0]
        seen = []
        previous = -1
        while number != -1:
            page = self.page(number)
            unused, count, back, following = struct.unpack_from("<Hhhh", page, 0)
            assert back == previous, "leaf chain is broken"
            seen.append(number)
            previous, number = number, following
        return seen

    def leaf_entries(self, number):
        page = self.page(number)
        unused, count = struct.unpack_from("<Hh", page, 0)
        at = 8
        entries = []
        for _ in range(count):
            entry, at = self.read_leaf(page, at)
            entries.append(entry)
        assert unused == self.page_size - at, "free space of a leaf page"
        return entries

    def entries(self):
        result = []
        for number in self.leaf_pages():
            result += self.leaf_entries(number)
        assert len(result) == self.entry_count
        return result

    def find(self, key, key_of):
        """Looks a key up from the root as a viewer does: in an index page,
        the last entry whose key is not above the searched one (else the
        page before the first entry) leads down."""
        number = self.root
        for _ in range(self.levels - 1):
            page = self.page(number)
            unused, count, child = struct.unpack_from("<Hhh", page, 0)
            at = 6
            for _ in range(count):
                entry_key, at = self.read_key(page, at)
                entry_page = struct.unpack_from("<h", page, at)[0]
                at += 2
                if entry_key > key:
                    break
                child = entry_page
            number = child
        for entry in self.leaf_entries(number):
            if key_of(entry) == key:
                return entry
        return None


def read_name_and_long(page, at):
    name, at = c_string(page, at)
    return (name, struct.unpack_from("<i", page, at)[0]), at + 4


def read_name_key(page, at):
    return c_string(page, at)


def read_keyword_entry(page, at):
    keyword, at = c_string(page, at)
    count, offset = struct.unpack_from("<hi", page, at)
    return (keyword, count, offset), at + 6


def read_hash_and_offset(page, at):
    return struct.unpack_from("<ii", page, at), at + 8


def read_hash_key(page, at):
    return struct.unpack_from("<i", page, at)[0], at + 4


class Paragraph:
    def __init__(self, record, info):
        self.record = record    # the display record it belongs to
        self.info = info        # paragraph format: {bit: value}
        self.runs = []          # (text, font, jump hash or None)

    @property
    def text(self):
        return "".join(run[0] for run in self.runs)


class Link:
    pass


class HelpFile:
    """Everything this test needs from a help file, read from its bytes."""

    def __init__(self, data):
        magic, directory_start, free_list, size = struct.unpack_from("<iiii", data, 0)
        assert magic == 0x00035F3F
        assert free_list == -1
        assert size == len(data), "the header's file size"
        self.data = data
        self.directory = BTree(self.internal_file(directory_start), read_name_and_long,
                               read_name_key)
        self.files = {name.decode("ascii"): self.internal_file(offset)
                      for name, offset in self.directory.entries()}
        self.read_system()
        self.read_fonts()
        self.read_topics()
        self.context = BTree(self.files["|CONTEXT"], read_hash_and_offset, read_hash_key)
        self.keywords = BTree(self.files["|KWBTREE"], read_keyword_entry, read_name_key)

    def internal_file(self, offset):
        reserved, used, flags = struct.unpack_from("<iiB", self.data, offset)
        assert reserved >= used + 9 and offset + reserved <= len(self.data)
        return self.data[offset + 9:offset + 9 + used]

    # |SYSTEM: header, then records of (type, size, data).
    def read_system(self):
        system = self.files["|SYSTEM"]
        magic, self.minor, major, self.date, self.system_flags = \
            struct.unpack_from("<HHHiH", system, 0)
        assert (magic, major) == (0x036C, 1)
        self.records = {}
        at = 12
        while at < len(system):
            kind, size = struct.unpack_from("<HH", system, at)
            self.records.setdefault(kind, []).append(system[at + 4:at + 4 + size])
            at += 4 + size
        assert at == len(system)

    def text_record(self, kind):
        return c_string(self.records[kind][0], 0)[0].decode("cp1251")

    # |FONT: face names of equal length, then 11-byte descriptors.
    def read_fonts(self):
        font = self.files["|FONT"]
        faces, descriptors, face_at, descriptor_at = struct.unpack_from("<HHHH", font, 0)
        length = (descriptor_at - face_at) // faces
        self.faces = [font[face_at + i * length:face_at + (i + 1) * length].split(b"\0")[0]
                      .decode("cp1251") for i in range(faces)]
        self.fonts = []
        for i in range(descriptors):
            attributes, half_points, family, face, r, g, b = \
                struct.unpack_from("<BBBHBBB", font, descriptor_at + i * 11)
            self.fonts.append({"bold": bool(attributes & 1), "half_points": half_points,
                               "face": self.faces[face], "colour": (r, g, b)})
        assert descriptor_at + descriptors * 11 == len(font)

    # |TOPIC: 4 KiB blocks of a 12-byte header and link data.
    def read_topics(self):
        topic = self.files["|TOPIC"]
        assert self.minor == 21 and self.system_flags == 0, "uncompressed 3.1 file"
        assert len(topic) % 4096 == 0, "whole topic blocks"
        self.block_headers = [struct.unpack_from("<iii", topic, i) for i in range(0, len(topic), 4096)]
        stream = b"".join(topic[i + 12:i + 4096] for i in range(0, len(topic), 4096))

        def stream_offset(pos):
            block, offset = (pos - 12) >> 14, (pos - 12) & 0x3FFF
            assert pos >= 12 and offset < 4084, f"TOPICPOS {pos:#x}"
            return block * 4084 + offset

        self.links = []
        pos, previous = 12, -1
        while pos != -1:
            at = stream_offset(pos)
            link = Link()
            (size, data2_length, back, link.next, data1_length, link.type) = \
                struct.unpack_from("<iiiiiB", stream, at)
            assert back == previous, "links are chained both ways"
            link.pos = pos
            link.block = (pos - 12) >> 14
            link.start = at
            link.data1 = stream[at + 21:at + data1_length]
            link.data2 = stream[at + data1_length:at + size]
            assert len(link.data2) == data2_length, "uncompressed text"
            self.links.append(link)
            previous, pos = pos, link.next
        last = self.links[-1]
        assert not any(stream[last.start + 21 + len(last.data1) + len(last.data2):]), \
            "zeros after the last link"

        # Topics: a header link and the display links up to the next header.
        self.topics = []
        characters = {}
        for link in self.links:
            count = characters.setdefault(link.block, 0)
            if link.type == 0x02:
                fields = struct.unpack("<iiiiiii", link.data1)
                topic = {"title": c_string(link.data2, 0)[0].decode("cp1251"),
                         "header": fields, "link": link, "paragraphs": [],
                         "offset": (link.block << 15) + count}
                self.topics.append(topic)
            elif link.type == 0x20:
                length = self.read_display(link, self.topics[-1]["paragraphs"])
                characters[link.block] = count + length
            else:
                raise AssertionError(f"record type {link.type:#x}")
        # The last link is an empty topic header that ends the last topic.
        end = self.topics.pop()
        assert end["title"] == "" and not end["paragraphs"]

    def read_display(self, link, paragraphs):
        data = link.data1
        at = 0
        size, at = read_compressed_long(data, at)
        length, at = read_compressed_ushort(data, at)
        assert length == len(link.data2), "characters counted with their NULs"
        at += 4
        bits = struct.unpack_from("<H", data, at)[0]
        at += 2
        info = {}
        for bit in (0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040):
            if bits & bit:
                info[bit], at = read_compressed_short(data, at)
        if bits & 0x0200:
            count, at = read_compressed_short(data, at)
            info[0x0200] = []
            for _ in range(count):
                stop, at = read_compressed_ushort(data, at)
                info[0x0200].append(stop)
        strings = link.data2.split(b"\0")[:-1]
        paragraph = Paragraph(link, info)
        font, jump = None, None
        for string in strings:
            if string:
                paragraph.runs.append((string.decode("cp1251"), font, jump))
            code = data[at]
            at += 1
            if code == 0xFF:
                break
            if code == 0x80:
                font = struct.unpack_from("<H", data, at)[0]
                at += 2
            elif code == 0xE3:
                jump = struct.unpack_from("<i", data, at)[0]
                at += 4
            elif code == 0x89:
                jump = None
            elif code == 0x83:
                paragraph.runs.append(("\t", font, None))
            elif code == 0x82:
                paragraphs.append(paragraph)
                paragraph = Paragraph(link, info)
            else:
                raise AssertionError(f"command {code:#x}")
        assert at == len(data), "commands end with the record"
        assert not paragraph.runs, "text after the last paragraph"
        return length

    def topic_by_offset(self, offset):
        matches = [t for t in self.topics if t["offset"] == offset]
        assert len(matches) == 1, f"topic offset {offset:#x}"
        return matches[0]

    def topic_by_hash(self, value):
        entry = self.context.find(value, lambda e: e[0])
        return None if entry is None else self.topic_by_offset(entry[1])

    def keyword_topics(self, keyword):
        entry = self.keywords.find(keyword.encode("cp1251"), lambda e: e[0])
        if entry is None:
            return None
        data = self.files["|KWDATA"]
        offsets = struct.unpack_from(f"<{entry[1]}i", data, entry[2])
        return [self.topic_by_offset(o)["title"] for o in offsets]


class Page(HTMLParser):
    """What the tests need of an HTML page: its tags and attributes, the ids,
    the headings, and the links, list items and bold runs with the id of the
    section or nav they stand in. Every element must be closed in order."""

    VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
            "source", "track", "wbr"}

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.tags = []
        self.attributes = []      # (tag, name, value) of every start tag
        self.ids = []
        self.headings = []        # (tag, text)
        self.section_titles = {}  # section or nav id: its h2
        self.links = []           # (section id, href, text)
        self.items = []           # (section id, parent tag, text, [(href, text)])
        self.bold = []
        self.text = []
        self.start_tags = []      # (tag, attributes) in order
        self.figures = []         # (section id, marks' texts, legend items)
        self._open = []           # [tag, attributes, text parts, links]
        self.feed(text)
        self.close()
        assert not self._open, f"<{self._open[-1][0]}> is not closed"

    def _section(self):
        return next((a["id"] for t, a, _, _ in reversed(self._open)
                     if t in ("section", "nav") and "id" in a), None)

    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
        self.start_tags.append((tag, dict(attrs)))
        if tag == "figure":
            self.figures.append((self._section(), [], []))
        self.attributes += [(tag, name, value) for name, value in attrs]
        attributes = dict(attrs)
        if "id" in attributes:
            self.ids.append(attributes["id"])
        if tag not in self.VOID:
            self._open.append([tag, attributes, [], []])

    def handle_endtag(self, tag):
        assert self._open and self._open[-1][0] == tag, f"</{tag}> closes nothing open"
        tag, attributes, parts, links = self._open.pop()
        text = "".join(parts)
        section = self._section()
        if tag == "a":
            self.links.append((section, attributes.get("href"), text))
            for element in reversed(self._open):
                if element[0] == "li":
                    element[3].append((attributes.get("href"), text))
                    break
        elif tag in ("h1", "h2"):
            self.headings.append((tag, text))
            if tag == "h2":
                self.section_titles.setdefault(section, text)
        elif tag == "li":
            self.items.append((section, self._open[-1][0], text, links))
            if any(element[0] == "figure" for element in self._open):
                self.figures[-1][2].append(text)
        elif tag == "span" and attributes.get("class") == "mark":
            self.figures[-1][1].append(text)
        elif tag == "b":
            self.bold.append(text)

    def handle_data(self, data):
        self.text.append(data)
        for element in self._open:
            element[2].append(data)


def write(text):
    return HelpFile(write_help.write_help("case.txt", write_help.parse_source("case.txt", text)))


HEAD = "@title Проба\n@font Arial\n"
WINDOW_PICTURE = ROOT / "docs" / "zemko-window.png"


# ---------------------------------------------------------------- tests

class ContextHash(unittest.TestCase):
    # Worked by hand from the character values of the format description
    # ('1'..'9' are 1..9, '0' is 10, '.' 12, '_' 13, letters 17..42 in either
    # case) and hash = hash * 43 + value in 32 bits.
    def test_short_names(self):
        # m 29, a 17, i 25, n 30: 29 -> 1264 -> 54377 -> 2338241.
        self.assertEqual(2338241, write_help.context_hash("main"))
        # A 17, 0 10, . 12, _ 13, 9 9: 17 -> 741 -> 31875 -> 1370638 -> 58937443.
        self.assertEqual(58937443, write_help.context_hash("A0._9"))
        self.assertEqual(58937443, write_help.context_hash("a0._9"))

    def test_long_names_wrap_to_a_signed_value(self):
        # i 25, n 30, d 20, e 21, x 40, _ 13, 1 1: ... 87893158 -> 3779405807
        # -> 162514449702, which is 3600659750 modulo 2**32: -694307546 signed.
        self.assertEqual(-694307546, write_help.context_hash("index_1"))


class CompressedNumbers(unittest.TestCase):
    def test_each_size_and_its_boundary(self):
        cases = [(write_help.compressed_ushort, read_compressed_ushort,
                  [(0, 1), (127, 1), (128, 2), (0x7FFF, 2)]),
                 (write_help.compressed_short, read_compressed_short,
                  [(-64, 1), (63, 1), (-65, 2), (64, 2), (-0x4000, 2), (0x3FFF, 2)]),
                 (write_help.compressed_long, read_compressed_long,
                  [(0, 2), (-0x4000, 2), (0x3FFF, 2), (0x4000, 4), (-0x4001, 4),
                   (0x3FFFFFFF, 4)])]
        for encode, decode, values in cases:
            for value, size in values:
                with self.subTest(encode=encode.__name__, value=value):
                    data = encode(value)
                    self.assertEqual(size, len(data))
                    self.assertEqual((value, size), decode(data, 0))

    def test_values_out_of_range_are_refused(self):
        for encode, value in [(write_help.compressed_ushort, 0x8000),
                              (write_help.compressed_ushort, -1),
                              (write_help.compressed_short, 0x4000),
                              (write_help.compressed_long, -0x40000001)]:
            with self.assertRaises(ValueError):
                encode(value)


class FileSystem(unittest.TestCase):
    def setUp(self):
        self.help = write(HEAD + "@topic main Первая\nТекст.\n")

    def test_directory_lists_every_internal_file_in_order(self):
        names = [name for name, _ in self.help.directory.entries()]
        self.assertEqual([b"|CONTEXT", b"|FONT", b"|KWBTREE", b"|KWDATA", b"|KWMAP",
                          b"|SYSTEM", b"|TOPIC"], names)
        self.assertEqual("z4", self.help.directory.structure)
        self.assertEqual(1024, self.help.directory.page_size)
        self.assertTrue(self.help.directory.flags & 0x0400, "directory flag")

    def test_system_file_names_title_charset_and_main_window(self):
        self.assertEqual(21, self.help.minor)
        self.assertEqual("Проба", self.help.text_record(1))
        self.assertEqual([struct.pack("<H", 204)], self.help.records[11])
        window = self.help.records[6][0]
        self.assertEqual(90, len(window))
        self.assertEqual(b"main", window[12:21].rstrip(b"\0"))
        self.assertEqual("Проба".encode("cp1251"), window[21:72].rstrip(b"\0"))

    def test_font_file_has_the_face_in_three_sizes(self):
        self.assertEqual(["Arial"], self.help.faces)
        self.assertEqual([False, True, True], [f["bold"] for f in self.help.fonts])
        self.assertEqual([20, 20, 26], [f["half_points"] for f in self.help.fonts])

    def test_one_source_gives_one_file(self):
        text = HEAD + "@topic main Первая\nТекст.\n"
        self.assertEqual(write(text).data, write(text).data)


class Topics(unittest.TestCase):
    SOURCE = HEAD + """
@topic main Начало
@keywords начало; общее
Простой текст и **жирный** текст.
Вторая строка того же абзаца, [ссылка](second.page) в конце.

- пункт один
- пункт [два](Third_3)
  с продолжением

@topic second.page Вторая
@keywords вторая
Текст второй.

@topic Third_3 Третья
Текст третьей со ссылкой на [начало](MAIN).
"""

    def setUp(self):
        self.help = write(self.SOURCE)

    def test_titles_and_headings(self):
        self.assertEqual(["Начало", "Вторая", "Третья"], [t["title"] for t in self.help.topics])
        for topic in self.help.topics:
            heading = topic["paragraphs"][0]
            self.assertEqual(topic["title"], heading.text)
            self.assertEqual({2}, {run[1] for run in heading.runs})

    def test_paragraph_text_bold_runs_and_jumps(self):
        paragraphs = self.help.topics[0]["paragraphs"]
        body = paragraphs[1]
        self.assertEqual("Простой текст и жирный текст. Вторая строка того же абзаца, "
                         "ссылка в конце.", body.text)
        bold = [run[0] for run in body.runs if run[1] == 1]
        self.assertEqual(["жирный"], bold)
        jumps = [(run[0], run[2]) for run in body.runs if run[2] is not None]
        self.assertEqual([("ссылка", write_help.context_hash("second.page"))], jumps)
        self.assertEqual({0x0002: 10}, body.info)

    def test_list_items_hang_after_a_bullet_and_tab(self):
        items = self.help.topics[0]["paragraphs"][2:]
        self.assertEqual(["\u2022\tпункт один", "\u2022\tпункт два с продолжением"],
                         [p.text for p in items])
        self.assertIs(items[0].record, items[1].record, "one record for both items")
        self.assertEqual({0x0002: 4, 0x0010: 24, 0x0040: -24, 0x0200: [24]}, items[0].info)

    def test_every_jump_leads_to_its_topic_through_the_context_tree(self):
        targets = []
        for topic in self.help.topics:
            for paragraph in topic["paragraphs"]:
                for text, font, jump in paragraph.runs:
                    if jump is not None:
                        targets.append((text, self.help.topic_by_hash(jump)["title"]))
        self.assertEqual([("ссылка", "Вторая"), ("два", "Третья"), ("начало", "Начало")],
                         targets)

    def test_context_tree_holds_hash_and_offset_of_each_topic_in_hash_order(self):
        entries = self.help.context.entries()
        self.assertEqual("L4", self.help.context.structure)
        self.assertEqual(sorted(entries), entries)
        expected = sorted((write_help.context_hash(name), topic["offset"]) for name, topic in
                          zip(["main", "second.page", "Third_3"], self.help.topics))
        self.assertEqual(expected, [tuple(e) for e in entries])

    def test_topic_offsets_count_the_characters_before_each_topic(self):
        first, second, third = self.help.topics
        self.assertEqual(0, first["offset"])
        characters = sum(len(p.record.data2) for p in {id(p.record): p for p in
                         first["paragraphs"]}.values())
        self.assertEqual(characters, second["offset"])
        self.assertLess(second["offset"], third["offset"])
        contents = struct.unpack("<i", self.help.records[3][0])[0]
        self.assertEqual(first["offset"], contents, "the contents topic is the first")

    def test_topic_headers_chain_the_topics(self):
        headers = [t["header"] for t in self.help.topics]
        self.assertEqual([0, 1, 2], [h[3] for h in headers])
        next_positions = [h[6] for h in headers]
        self.assertEqual([t["link"].pos for t in self.help.topics[1:]], next_positions[:2])
        self.assertEqual(self.help.links[-1].pos, next_positions[2])

    def test_keyword_index_leads_to_topics(self):
        self.assertEqual("F24", self.help.keywords.structure)
        self.assertEqual(["Начало"], self.help.keyword_topics("начало"))
        self.assertEqual(["Начало"], self.help.keyword_topics("общее"))
        self.assertEqual(["Вторая"], self.help.keyword_topics("вторая"))
        self.assertIsNone(self.help.keyword_topics("нет такого"))
        words = [k.decode("cp1251") for k, _, _ in self.help.keywords.entries()]
        self.assertEqual(["вторая", "начало", "общее"], words)

    def test_page_keeps_bold_lists_and_jumps_with_the_targets_own_ids(self):
        page = Page(write_help.write_page(write_help.parse_source(
            "case.txt", self.SOURCE + "Знаки <b> и &amp; как есть.\n")))
        self.assertEqual(["жирный"], page.bold)
        self.assertEqual([("ul", "пункт один"), ("ul", "пункт два с продолжением")],
                         [(parent, text) for section, parent, text, _ in page.items
                          if section == "main"])
        jumps = [(section, href, text) for section, href, text in page.links
                 if section in ("main", "second.page", "Third_3")
                 and href != "#" + write_help.CONTENTS_ID]
        self.assertEqual([("main", "#second.page", "ссылка"), ("main", "#Third_3", "два"),
                          ("Third_3", "#main", "начало")], jumps)
        self.assertIn("Знаки <b> и &amp; как есть.", "".join(page.text))

    def test_a_keyword_of_two_topics_lists_both(self):
        help_file = write(HEAD + "@topic main А\n@keywords общее; Общее\nТекст.\n"
                                 "@topic b Б\n@keywords общее\nТекст.\n")
        self.assertEqual(["А", "Б"], help_file.keyword_topics("общее"))
        self.assertEqual(["А"], help_file.keyword_topics("Общее"))
        self.assertEqual([1, 2], [count for _, count, _ in help_file.keywords.entries()])


class LargeFiles(unittest.TestCase):
    def test_topics_over_several_blocks(self):
        paragraph = "Абзац " + "слово " * 60 + "\n\n"
        text = HEAD + "".join(f"@topic t{n} Тема {n}\n" + paragraph * 6 for n in range(8))
        text = text.replace("@topic t0 ", "@topic main ")
        help_file = write(text)
        blocks = len(help_file.files["|TOPIC"]) // 4096
        self.assertGreaterEqual(blocks, 4)
        self.assertEqual([f"Тема {n}" for n in range(8)], [t["title"] for t in help_file.topics])
        for topic in help_file.topics:
            body = [p.text for p in topic["paragraphs"][1:]]
            self.assertEqual([paragraph.strip()] * 6, body)
            # The offset's block is the block of the topic's header link.
            self.assertEqual(topic["link"].block, topic["offset"] >> 15)
            self.assertIs(topic, help_file.topic_by_hash(
                write_help.context_hash("main" if topic is help_file.topics[0]
                                        else "t" + topic["title"].split()[1])))
        # Block headers: the last link before the block, the first link in
        # it, and the topic header that was open when the block began.
        for number, (last, first, header) in enumerate(help_file.block_headers):
            before = [l for l in help_file.links if l.block < number]
            inside = [l for l in help_file.links if l.block == number]
            headers = [l for l in before if l.type == 0x02]
            self.assertEqual(before[-1].pos if before else -1, last)
            self.assertEqual(inside[0].pos if inside else -1, first)
            self.assertEqual(headers[-1].pos if headers else -1, header)

    def test_keyword_tree_of_many_pages_is_searched_through_its_index(self):
        words = [f"слово{n:03}" for n in range(400)]
        help_file = write(HEAD + "@topic main А\n@keywords " + "; ".join(words) + "\nТекст.\n")
        tree = help_file.keywords
        self.assertEqual(2, tree.levels)
        self.assertGreater(len(tree.leaf_pages()), 2)
        self.assertEqual(sorted(words), [k.decode("cp1251") for k, _, _ in tree.entries()])
        for word in words:
            self.assertEqual(["А"], help_file.keyword_topics(word), word)
        # |KWMAP: the number of the first keyword on each leaf page.
        keyword_map = help_file.files["|KWMAP"]
        pages = [struct.unpack_from("<iH", keyword_map, at)
                 for at in range(0, len(keyword_map), 6)]
        counts = [len(tree.leaf_entries(page)) for page in tree.leaf_pages()]
        self.assertEqual([sum(counts[:i]) for i in range(len(counts))], [p[0] for p in pages])
        self.assertEqual(tree.leaf_pages(), [p[1] for p in pages])


class Faults(unittest.TestCase):
    def assertFault(self, text, line, words):
        with self.assertRaises(write_help.HelpError) as caught:
            write_help.parse_source("case.txt", text)
        message = str(caught.exception)
        self.assertTrue(message.startswith(f"case.txt:{line}:"), message)
        self.assertIn(words, message)

    def test_faulty_sources_name_their_line(self):
        topic = "@topic main А\n"
        self.assertFault(HEAD + topic + "Ссылка на [ничто](nowhere).\n", 4, "unknown topic")
        self.assertFault(HEAD + topic + "Текст\n2 × 3\n", 5, "U+00D7")
        self.assertFault(HEAD + "@topic bad-name А\nТекст.\n", 3, "context name")
        self.assertFault(HEAD + topic + "Т.\n@topic MAIN Б\nТ.\n", 5, "used twice")
        self.assertFault(HEAD + topic + "**жирный не закрыт\n", 4, "not closed")
        self.assertFault(HEAD + topic + "звёздочка * одна\n", 4, "stray")
        self.assertFault(HEAD + topic + "[без цели]\n", 4, "jump")
        self.assertFault(HEAD + "Текст до темы.\n", 3, "before the first")
        self.assertFault(HEAD + topic + "- пункт\nбез отступа\n", 5, "indent")
        self.assertFault(HEAD + topic + "@unknown x\n", 4, "unknown directive")
        self.assertFault("@font Arial\n@topic main А\nТ.\n", 1, "@title")
        self.assertFault("@title " + "Д" * 51 + "\n@font Arial\n@topic main А\nТ.\n", 1,
                         "caption")
        # The picture: its file, its marks and where it goes.
        self.assertFault(HEAD + "@picture nothing.png Окно\n", 3, "cannot read")
        self.assertFault(HEAD + f"@picture {Path(__file__)} Окно\n", 3, "no PNG")
        self.assertFault(HEAD + f"@picture {WINDOW_PICTURE}\n", 3, "description")
        self.assertFault(HEAD + "@mark 1 1 Поле\n", 3, "after @picture")
        self.assertFault(HEAD + f"@picture {WINDOW_PICTURE} Окно\n@mark 252 1 Поле\n", 4,
                         "outside")
        self.assertFault(HEAD + f"@picture {WINDOW_PICTURE} Окно\n@mark 1 Поле\n", 4, "X, Y")
        self.assertFault(HEAD + topic + "Т.\n@figure\n", 5, "without a @picture")

    def test_command_line_fault_writes_nothing_and_fails(self):
        with tempfile.TemporaryDirectory() as tmp:
            source = Path(tmp) / "bad.txt"
            source.write_text(HEAD + "@topic main А\n[x](y)\n", encoding="utf-8")
            outputs = [Path(tmp) / "out.hlp", Path(tmp) / "out.html"]
            result = subprocess.run([sys.executable, "-B", str(TOOL), str(source)]
                                    + [str(output) for output in outputs],
                                    capture_output=True, text=True)
            self.assertEqual(1, result.returncode)
            self.assertIn("bad.txt:4:", result.stderr)
            self.assertEqual([], [output for output in outputs if output.exists()])


class ProgramHelp(unittest.TestCase):
    """The help file that ships with the program."""

    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as tmp:
            output, page = Path(tmp) / "Zemko.hlp", Path(tmp) / "Zemko.html"
            subprocess.run([sys.executable, "-B", str(TOOL), str(HELP_SOURCE), str(output),
                            str(page)], check=True)
            cls.data = output.read_bytes()
            cls.page_data = page.read_bytes()
        cls.help = HelpFile(cls.data)
        cls.page = Page(cls.page_data.decode("utf-8"))

    def topic_text(self, title):
        topic = next(t for t in self.help.topics if t["title"] == title)
        return "\n".join(p.text for p in topic["paragraphs"])

    def test_topics_in_order_the_first_named_main(self):
        self.assertEqual(["Что такое система", "Как ввести ставку", "Ставка с купона",
                          "Клавиши", "Вставка из таблицы", "Сообщения", "О программе"],
                         [t["title"] for t in self.help.topics])
        self.assertIs(self.help.topics[0], self.help.topic_by_hash(write_help.context_hash("main")))
        contents = struct.unpack("<i", self.help.records[3][0])[0]
        self.assertEqual(self.help.topics[0]["offset"], contents)

    def test_title_charset_and_cyrillic_face(self):
        self.assertEqual("Справка по программе Земко", self.help.text_record(1))
        self.assertEqual([struct.pack("<H", 204)], self.help.records[11])
        self.assertEqual(["Arial"], self.help.faces)

    def test_every_topic_is_reached_from_the_first(self):
        reached = {0}
        links = {}
        for number, topic in enumerate(self.help.topics):
            links[number] = {self.help.topics.index(self.help.topic_by_hash(jump))
                             for p in topic["paragraphs"] for _, _, jump in p.runs if jump}
        self.assertEqual(set(range(1, len(self.help.topics))), links[0])
        for number in links:
            reached |= links[number]
        self.assertEqual(set(range(len(self.help.topics))), reached)

    def test_every_topic_has_index_keywords_used_once(self):
        entries = self.help.keywords.entries()
        self.assertTrue(all(count == 1 for _, count, _ in entries),
                        "the viewer in Wine cannot choose among topics of one keyword")
        found = {title for keyword, _, _ in entries
                 for title in self.help.keyword_topics(keyword.decode("cp1251"))}
        self.assertEqual({t["title"] for t in self.help.topics}, found)

    def test_worked_examples_pay_as_the_program_does(self):
        # Stake / C(N, K) on each combination, times its odds; the net profit
        # is the payout less the stake.
        self.assertIn("300 / 3 = 100", self.topic_text("Что такое система"))
        for title, stake, n, k, odds in [("Что такое система", 300, 3, 2, [2, 3, 4]),
                                         ("Ставка с купона", 300, 3, 2, [2, 3, 1])]:
            with self.subTest(odds=odds):
                text = self.topic_text(title)
                share = stake // math.comb(n, k)
                terms = [share * math.prod(c) for c in itertools.combinations(odds, k)]
                self.assertIn(" + ".join(map(str, terms)) + f" = {sum(terms)},00", text)
                self.assertIn(f"{sum(terms)} – {stake} = {sum(terms) - stake}", text)
        counts = re.findall(r"(\d+) по (\d+) — (\d+)\b", self.topic_text("Ставка с купона"))
        self.assertGreaterEqual(len(counts), 5)
        for n, k, count in counts:
            self.assertEqual(math.comb(int(n), int(k)), int(count), f"{n} по {k}")

    def test_messages_topic_explains_every_message_the_program_shows(self):
        headers = list((ROOT / "src").rglob("Messages.h"))
        self.assertEqual(1, len(headers), "the program's messages, one header")
        texts = dict(re.findall(r'(k\w+)\[\]\s*=\s*"((?:[^"\\]|\\.)*)"',
                                headers[0].read_text(encoding="utf-8")))
        texts = {name: value.replace('\\"', '"') for name, value in texts.items()}
        # The system size is read as an integer, which cannot fail: a message
        # of its own, where one is declared, never shows.
        texts.pop("kSystemSizeNotANumber", None)
        self.assertGreaterEqual(len(texts), 7)
        messages = self.topic_text("Сообщения")
        for name, value in texts.items():
            self.assertIn(value, messages, name)

    def test_file_stays_small(self):
        # Four 4 KiB topic blocks of text and the trees: a file much larger
        # holds text written twice.
        self.assertLess(len(self.data), 32 * 1024)

    def test_page_carries_every_topic_jump_and_keyword_of_the_help_file(self):
        page, titles = self.page, [t["title"] for t in self.help.topics]
        self.assertEqual([("h1", self.help.text_record(1)), ("h2", write_help.CONTENTS_HEADING)]
                         + [("h2", title) for title in titles]
                         + [("h2", write_help.INDEX_HEADING)], page.headings)

        def target(href):
            return page.section_titles[href[1:]]

        self.assertEqual(titles + [write_help.INDEX_HEADING],
                         [target(href) for section, href, _ in page.links
                          if section == write_help.CONTENTS_ID])
        ids = {title: section for section, title in page.section_titles.items()}
        for topic in self.help.topics:
            jumps = [(text, self.help.topic_by_hash(jump)["title"])
                     for p in topic["paragraphs"] for text, _, jump in p.runs if jump]
            links = [(text, target(href)) for section, href, text in page.links
                     if section == ids[topic["title"]]]
            self.assertEqual(jumps + [(write_help.BACK_TO_CONTENTS, write_help.CONTENTS_HEADING)],
                             links, topic["title"])
        index = [(text.split(" — ")[0], [target(href) for href, _ in links])
                 for section, _, text, links in page.items if section == write_help.INDEX_ID]
        keywords = [k.decode("cp1251") for k, _, _ in self.help.keywords.entries()]
        self.assertEqual([(k, self.help.keyword_topics(k)) for k in keywords], index)

    def test_page_is_utf8_and_stands_alone(self):
        text = self.page_data.decode("utf-8")
        self.assertIn(("meta", "charset", "utf-8"), self.page.attributes)
        self.assertEqual(len(self.page.ids), len(set(self.page.ids)), "ids are unique")
        self.assertNotIn("script", self.page.tags)
        for tag, name, value in self.page.attributes:
            self.assertFalse(name.startswith("on"), (tag, name))
            if name == "src":  # only a picture the page carries itself
                self.assertTrue(value.startswith("data:image/png;base64,"), (tag, value[:40]))
            if name == "href":
                self.assertTrue(value.startswith("#"), value)
                self.assertIn(value[1:], self.page.ids, value)
        self.assertNotIn("url(", text)
        self.assertNotIn("@import", text)

    def test_page_shows_the_window_with_its_parts_named_under_the_title_and_in_input(self):
        data = "data:image/png;base64," + base64.b64encode(WINDOW_PICTURE.read_bytes()).decode()
        pictures = [dict(a) for t, a in self.page.start_tags if t == "img"]
        self.assertEqual(2, len(pictures))
        self.assertEqual([data] * 2, [p["src"] for p in pictures])
        self.assertTrue(all(p["alt"] for p in pictures))
        # One under the title before the contents, one in the topic on input.
        tags = self.page.start_tags
        self.assertLess(tags.index(("img", pictures[0])),
                        tags.index(("nav", {"id": write_help.CONTENTS_ID})))
        self.assertEqual([None, "input"], [section for section, _, _ in self.page.figures])
        for _, marks, names in self.page.figures:
            self.assertEqual([str(n) for n in range(1, len(names) + 1)], marks)
            for name in ("«Поставленная сумма»", "«Сыграло»", "«Размер системы»", "«по»",
                         "Строки коэффициентов", "Строка результата", "«Справка»",
                         "«Вставить из Excel»", "«Очистить все»", "«Рассчитать ставку»"):
                self.assertEqual(1, sum(n.startswith(name) for n in names), name)
        for place in re.findall(r'class="mark" style="left: ([0-9.]+)%; top: ([0-9.]+)%"',
                                self.page_data.decode("utf-8")):
            self.assertTrue(all(0 < float(p) < 100 for p in place), place)


if __name__ == "__main__":
    unittest.main()
