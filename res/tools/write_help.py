#!/usr/bin/env python3
"""Writes the program's help from its source text: a WinHelp 3.1 file, and
the same help as one HTML page for the Windows that have no WinHelp viewer.

    write_help.py SOURCE OUTPUT [PAGE]

SOURCE is UTF-8 text in the small language that help/zemko-help.txt
describes in its opening comment: topics with a context name, a title and
index keywords; paragraphs and list items with bold runs and jumps to other
topics. OUTPUT gets the WinHelp file, its text in Windows-1251. PAGE, when
given, gets the HTML page (UTF-8): a contents list, every topic with its
jumps as links within the page, and the keyword index; no scripts and
nothing outside the page. A picture of the program's window (a PNG file
named by the source) goes into the page itself, at the places the source
marks, with numbered marks on the parts it names.

What the file holds: the internal file system (header and a B+ tree
directory), |SYSTEM (title, copyright, contents topic, the main window's
caption and the Cyrillic character set), |FONT (one face in three
descriptors), |TOPIC (uncompressed 4 KiB topic blocks, no phrases),
|CONTEXT (context name hashes to topic offsets) and the keyword index
|KWBTREE, |KWDATA and |KWMAP. Nothing else: no pictures (the picture is
the page's alone: the file would need bitmap internal files and picture
commands this writer does not make), macros, browse sequences or topic title
tree.

Any fault in the source stops the run with "file:line: message" and exit
code 1 before anything is written, so a broken help text fails the build
instead of shipping.
Standard library only: the build machines have nothing else.
"""

import base64
import html
import struct
import sys
from dataclasses import dataclass, field
from pathlib import Path

CODE_PAGE = "cp1251"
RUSSIAN_CHARSET = 204

# ---------------------------------------------------------------- format

FILE_MAGIC = 0x00035F3F
NO_FREE_LIST = -1
FILE_FLAGS = 4  # what every internal file header of a compiled file carries
FILE_HEADER_SIZE = 9

BTREE_MAGIC = 0x293B
BTREE_FLAGS = 0x0002
BTREE_DIRECTORY_FLAG = 0x0400
BTREE_HEADER_SIZE = 38
LEAF_HEADER_SIZE = 8
INDEX_HEADER_SIZE = 6
DIRECTORY_PAGE_SIZE = 1024
TREE_PAGE_SIZE = 2048
NO_PAGE = -1

SYSTEM_MAGIC = 0x036C
SYSTEM_MINOR_WINHELP31 = 21
SYSTEM_MAJOR = 1
SYSTEM_FLAGS_UNCOMPRESSED = 0  # with minor 21: 4 KiB topic blocks, no LZ77
RECORD_TITLE = 1
RECORD_COPYRIGHT = 2
RECORD_CONTENTS = 3
RECORD_WINDOW = 6
RECORD_CHARSET = 11
MAIN_WINDOW = "main"
WINDOW_NAME_VALID = 0x0002
WINDOW_CAPTION_VALID = 0x0004
WINDOW_TYPE_SIZE = 10
WINDOW_NAME_SIZE = 9
WINDOW_CAPTION_SIZE = 51
WINDOW_RECORD_SIZE = 90

TOPIC_BLOCK_SIZE = 4096
TOPIC_BLOCK_HEADER_SIZE = 12
TOPIC_BLOCK_DATA = TOPIC_BLOCK_SIZE - TOPIC_BLOCK_HEADER_SIZE
# A TOPICPOS keeps the block number above 14 bits of offset into the block's
# data, whatever the block size; a TOPICOFFSET keeps it above 15 bits that
# count characters.
TOPICPOS_BLOCK_SHIFT = 14
TOPICOFFSET_BLOCK_SHIFT = 15
TOPIC_LINK_HEADER_SIZE = 21
TOPIC_HEADER_SIZE = 28
RECORD_TOPIC_HEADER = 0x02
RECORD_DISPLAY = 0x20
NONE = -1

# Paragraph formatting bits and character formatting commands.
PARA_SPACING_ABOVE = 0x0002
PARA_SPACING_BELOW = 0x0004
PARA_LEFT_INDENT = 0x0010
PARA_FIRST_LINE_INDENT = 0x0040
PARA_TABS = 0x0200
COMMAND_FONT = 0x80
COMMAND_END_OF_PARAGRAPH = 0x82
COMMAND_TAB = 0x83
COMMAND_END_OF_HOTSPOT = 0x89
COMMAND_TOPIC_JUMP = 0xE3
COMMAND_END = 0xFF

FACE_NAME_SIZE = 20
FONT_DESCRIPTOR_SIZE = 11
FONT_HEADER_SIZE = 8
FAMILY_SWISS = 0x03
ATTRIBUTE_BOLD = 0x01

# The three fonts of the text, by descriptor number; sizes in half points.
FONT_BODY = 0
FONT_BOLD = 1
FONT_HEADING = 2
FONTS = (
    # attributes, half points, colour
    (0, 20, (0, 0, 0)),
    (ATTRIBUTE_BOLD, 20, (0, 0, 0)),
    (ATTRIBUTE_BOLD, 26, (159, 94, 42)),  # the program's brown link colour
)

# Paragraph kinds: the formatting every paragraph of one record shares.
# Distances in half points.
KIND_HEADING = "heading"
KIND_TEXT = "text"
KIND_ITEM = "item"
SPACE_AFTER_HEADING = 8
SPACE_BEFORE_TEXT = 10
SPACE_BEFORE_ITEM = 4
ITEM_INDENT = 24
BULLET = "\u2022"

# Context names of WinHelp 3.1: these characters only.
CONTEXT_CHARACTERS = set("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                         "abcdefghijklmnopqrstuvwxyz_.")
HASH_FACTOR = 43


class HelpError(Exception):
    """A fault in the help source; the text starts with file:line."""


# ---------------------------------------------------------------- numbers

def _check_range(value, low, high, what):
    if not low <= value < high:
        raise ValueError(f"{what} {value} is out of range")


def compressed_ushort(value):
    """One byte for values below 128, else two; the low bit tells which."""
    _check_range(value, 0, 0x8000, "compressed unsigned short")
    if value < 0x80:
        return bytes([value * 2])
    return struct.pack("<H", value * 2 + 1)


def compressed_short(value):
    """As the unsigned kind, biased by 64 (one byte) or 16384 (two)."""
    _check_range(value, -0x4000, 0x4000, "compressed short")
    if -0x40 <= value < 0x40:
        return bytes([(value + 0x40) * 2])
    return struct.pack("<H", (value + 0x4000) * 2 + 1)


def compressed_long(value):
    """Two bytes biased by 16384, else four biased by 2**30."""
    _check_range(value, -0x40000000, 0x40000000, "compressed long")
    if -0x4000 <= value < 0x4000:
        return struct.pack("<H", (value + 0x4000) * 2)
    return struct.pack("<I", (value + 0x40000000) * 2 + 1)


def to_signed32(value):
    value &= 0xFFFFFFFF
    return value - 0x100000000 if value & 0x80000000 else value


def context_hash(name):
    """The hash that identifies a topic: '1'..'9' count 1..9, '0' counts 10,
    '.' 12, '_' 13 and letters 17..42 in either case; the sum runs in 32 bits."""
    value = 0
    for char in name:
        if char.isdigit():
            code = int(char) if char != "0" else 10
        elif char == ".":
            code = 12
        elif char == "_":
            code = 13
        else:
            code = ord(char.lower()) - ord("a") + 17
        value = (value * HASH_FACTOR + code) & 0xFFFFFFFF
    return to_signed32(value)


def topic_pos(stream_offset):
    """The TOPICPOS of a byte of the topic link stream."""
    block, offset = divmod(stream_offset, TOPIC_BLOCK_DATA)
    return TOPIC_BLOCK_HEADER_SIZE + (block << TOPICPOS_BLOCK_SHIFT) + offset


# ---------------------------------------------------------------- source

@dataclass
class Run:
    text: str
    bold: bool = False
    jump: str = None  # context name of the target topic
    line: int = 0


@dataclass
class Paragraph:
    kind: str
    runs: list
    line: int


@dataclass
class Topic:
    context: str
    title: str
    line: int
    keywords: list = field(default_factory=list)
    paragraphs: list = field(default_factory=list)
    # Where the page shows the picture: before the paragraph of each index.
    figures: list = field(default_factory=list)


@dataclass
class HelpSource:
    title: str = None
    copyright: str = None
    face: str = None
    topics: list = field(default_factory=list)
    picture: "Picture" = None
    figure_at_top: bool = False


@dataclass
class Mark:
    x: int
    y: int
    text: str


@dataclass
class Picture:
    data: bytes
    width: int
    height: int
    description: str
    marks: list = field(default_factory=list)


PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def read_picture(path, line_no, file_name, description):
    """A PNG file named relative to the source, with its size from its
    header."""
    picture_path = Path(path).parent / file_name
    try:
        data = picture_path.read_bytes()
    except OSError as error:
        raise HelpError(f"{path}:{line_no}: cannot read {file_name}: {error.strerror}") from None
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        raise HelpError(f"{path}:{line_no}: {file_name} is no PNG picture")
    width, height = struct.unpack_from(">II", data, 16)
    return Picture(data, width, height, description)


def _parse_inline(path, line_no, text):
    """Splits a paragraph's text into runs: **bold** and [text](context)."""
    runs = []
    bold = False
    plain = []
    i = 0

    def flush():
        if plain:
            runs.append(Run("".join(plain), bold=bold, line=line_no))
            plain.clear()

    while i < len(text):
        if text.startswith("**", i):
            flush()
            bold = not bold
            i += 2
        elif text[i] == "[":
            close = text.find("](", i)
            end = text.find(")", close + 2) if close >= 0 else -1
            if close < 0 or end < 0:
                raise HelpError(f"{path}:{line_no}: a jump needs the form [text](context)")
            label = text[i + 1:close]
            target = text[close + 2:end]
            if not label or "[" in label or "**" in label:
                raise HelpError(f"{path}:{line_no}: a jump's text must be plain and not empty")
            flush()
            runs.append(Run(label, bold=bold, jump=target, line=line_no))
            i = end + 1
        elif text[i] in "]*":
            raise HelpError(f"{path}:{line_no}: stray '{text[i]}'")
        else:
            plain.append(text[i])
            i += 1
    if bold:
        raise HelpError(f"{path}:{line_no}: bold text is not closed with **")
    flush()
    return runs


def parse_source(path, text=None):
    """Reads a help source file (or the given text) into a HelpSource."""
    if text is None:
        text = Path(path).read_text(encoding="utf-8")
    source = HelpSource()
    topic = None
    pending = []  # (kind, first line, [lines]) of the paragraph being read

    def end_paragraph():
        if not pending:
            return
        kind, first, lines = pending.pop()
        joined = " ".join(part.strip() for part in lines)
        topic.paragraphs.append(Paragraph(kind, _parse_inline(path, first, joined), first))

    for line_no, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if line.startswith("#"):
            continue
        _encode(path, line_no, line)
        if not line.strip():
            end_paragraph()
            continue
        if line.startswith("@"):
            end_paragraph()
            word, _, rest = line[1:].partition(" ")
            rest = rest.strip()
            if word == "picture":
                file_name, _, description = rest.partition(" ")
                if topic is not None or source.picture is not None:
                    raise HelpError(f"{path}:{line_no}: one @picture, before the first topic")
                if not description.strip():
                    raise HelpError(f"{path}:{line_no}: @picture needs a file and a description")
                source.picture = read_picture(path, line_no, file_name, description.strip())
            elif word == "mark":
                x, y, text = (rest.split(" ", 2) + ["", ""])[:3]
                if source.picture is None or topic is not None:
                    raise HelpError(f"{path}:{line_no}: @mark belongs after @picture")
                if not (x.isdigit() and y.isdigit() and text.strip()):
                    raise HelpError(f"{path}:{line_no}: @mark needs X, Y and a text")
                if int(x) >= source.picture.width or int(y) >= source.picture.height:
                    raise HelpError(f"{path}:{line_no}: @mark lies outside the picture")
                source.picture.marks.append(Mark(int(x), int(y), text.strip()))
            elif word == "figure":
                if source.picture is None:
                    raise HelpError(f"{path}:{line_no}: @figure without a @picture")
                if topic is None:
                    source.figure_at_top = True
                else:
                    topic.figures.append(len(topic.paragraphs))
            elif word in ("title", "copyright", "font"):
                if topic is not None:
                    raise HelpError(f"{path}:{line_no}: @{word} belongs before the first topic")
                if not rest:
                    raise HelpError(f"{path}:{line_no}: @{word} needs a text")
                setattr(source, {"font": "face"}.get(word, word), rest)
            elif word == "topic":
                context, _, title = rest.partition(" ")
                title = title.strip()
                if not context or not title:
                    raise HelpError(f"{path}:{line_no}: @topic needs a context name and a title")
                topic = Topic(context, title, line_no)
                source.topics.append(topic)
            elif word == "keywords":
                if topic is None:
                    raise HelpError(f"{path}:{line_no}: @keywords outside a topic")
                topic.keywords += [k.strip() for k in rest.split(";") if k.strip()]
            else:
                raise HelpError(f"{path}:{line_no}: unknown directive @{word}")
            continue
        if topic is None:
            raise HelpError(f"{path}:{line_no}: text before the first @topic")
        if line.startswith("- "):
            end_paragraph()
            pending.append((KIND_ITEM, line_no, [line[2:]]))
        elif pending and pending[-1][0] == KIND_ITEM and not line[0].isspace():
            raise HelpError(f"{path}:{line_no}: indent the lines that continue a list item")
        elif pending:
            pending[-1][2].append(line)
        else:
            pending.append((KIND_TEXT, line_no, [line]))
    if topic is not None:
        end_paragraph()
    _check_source(path, source)
    return source


def _check_source(path, source):
    for name in ("title", "face"):
        if getattr(source, name) is None:
            raise HelpError(f"{path}:1: the source needs @{'font' if name == 'face' else name}")
    if not source.topics:
        raise HelpError(f"{path}:1: the source has no topic")
    if len(_encode(path, 1, source.title)) >= WINDOW_CAPTION_SIZE:
        raise HelpError(f"{path}:1: the title is longer than a window caption may be")
    if len(_encode(path, 1, source.face)) >= FACE_NAME_SIZE:
        raise HelpError(f"{path}:1: the face name is longer than {FACE_NAME_SIZE - 1} bytes")
    hashes = {}
    for topic in source.topics:
        bad = set(topic.context) - CONTEXT_CHARACTERS
        if bad:
            raise HelpError(f"{path}:{topic.line}: a context name may hold only letters, "
                            f"digits, '_' and '.', not {''.join(sorted(bad))!r}")
        value = context_hash(topic.context)
        if value in hashes:
            other = hashes[value]
            what = "is used twice" if other.context.lower() == topic.context.lower() \
                else f"has the hash of {other.context!r}"
            raise HelpError(f"{path}:{topic.line}: context name {topic.context!r} {what}")
        hashes[value] = topic
        if not topic.paragraphs:
            raise HelpError(f"{path}:{topic.line}: topic {topic.context!r} has no text")
    known = {t.context.lower() for t in source.topics}
    for topic in source.topics:
        for paragraph in topic.paragraphs:
            for run in paragraph.runs:
                if run.jump is not None and run.jump.lower() not in known:
                    raise HelpError(f"{path}:{run.line}: a jump to unknown topic {run.jump!r}")


def _encode(path, line_no, text):
    try:
        return text.encode(CODE_PAGE)
    except UnicodeEncodeError as error:
        char = text[error.start]
        raise HelpError(f"{path}:{line_no}: {char!r} (U+{ord(char):04X}) "
                        f"has no place in Windows-1251") from None


# ---------------------------------------------------------------- B+ trees

def build_btree(entries, page_size, structure, flags=BTREE_FLAGS):
    """A B+ tree of sorted entries, each (index key bytes, leaf bytes); the
    leaf bytes start with the key. Returns the bytes of the tree and its leaf
    pages as (page number, number of the page's first entry)."""
    leaves = []  # lists of entries
    used = LEAF_HEADER_SIZE
    for entry in entries:
        if len(entry[1]) > page_size - LEAF_HEADER_SIZE:
            raise ValueError("a B+ tree entry is larger than a page")
        if not leaves or used + len(entry[1]) > page_size:
            leaves.append([])
            used = LEAF_HEADER_SIZE
        leaves[-1].append(entry)
        used += len(entry[1])
    if not leaves:
        leaves.append([])

    pages = []
    for number, leaf in enumerate(leaves):
        body = b"".join(entry[1] for entry in leaf)
        previous = number - 1 if number > 0 else NO_PAGE
        following = number + 1 if number + 1 < len(leaves) else NO_PAGE
        header = struct.pack("<Hhhh", page_size - LEAF_HEADER_SIZE - len(body), len(leaf),
                             previous, following)
        pages.append(header + body)

    # Index levels: each entry names the first key of a child page; the page
    # before the first entry is reached through PreviousPage.
    level = [(number, leaf[0][0] if leaf else b"") for number, leaf in enumerate(leaves)]
    levels = 1
    while len(level) > 1:
        upper = []
        children = list(level)
        while children:
            first, rest = children[0], children[1:]
            body = b""
            taken = 0
            for child, key in rest:
                item = key + struct.pack("<h", child)
                if INDEX_HEADER_SIZE + len(body) + len(item) > page_size:
                    break
                body += item
                taken += 1
            if taken == 0 and rest:
                raise ValueError("an index key is larger than a page")
            header = struct.pack("<Hhh", page_size - INDEX_HEADER_SIZE - len(body), taken,
                                 first[0])
            upper.append((len(pages), first[1]))
            pages.append(header + body)
            children = rest[taken:]
        level = upper
        levels += 1

    tree = struct.pack("<HHH16shhhhhhi", BTREE_MAGIC, flags, page_size,
                       structure.encode("ascii"), 0, len(pages) - levels, level[0][0],
                       NO_PAGE, len(pages), levels, len(entries))
    tree += b"".join(page + bytes(page_size - len(page)) for page in pages)
    first_entries = []
    count = 0
    for number, leaf in enumerate(leaves):
        first_entries.append((number, count))
        count += len(leaf)
    return tree, first_entries


# ---------------------------------------------------------------- topics

@dataclass
class _Link:
    record_type: int
    data1: bytes        # LinkData1 (for a topic header: filled in later)
    data2: bytes        # LinkData2
    topic: int = None   # the topic a header link opens
    text_length: int = 0

    @property
    def size(self):
        return TOPIC_LINK_HEADER_SIZE + (TOPIC_HEADER_SIZE if self.record_type ==
                                         RECORD_TOPIC_HEADER else len(self.data1)) \
            + len(self.data2)


def _paragraph_format(kind):
    """Paragraph info of a display record: two bytes and an identifier that
    readers skip (written as zero values), the flag word, the values."""
    if kind == KIND_HEADING:
        bits, values = PARA_SPACING_BELOW, compressed_short(SPACE_AFTER_HEADING)
    elif kind == KIND_TEXT:
        bits, values = PARA_SPACING_ABOVE, compressed_short(SPACE_BEFORE_TEXT)
    else:
        # A hanging indent: the bullet, a tab, and the text (wrapped lines
        # too) at the tab stop.
        bits = PARA_SPACING_ABOVE | PARA_LEFT_INDENT | PARA_FIRST_LINE_INDENT | PARA_TABS
        values = (compressed_short(SPACE_BEFORE_ITEM) + compressed_short(ITEM_INDENT)
                  + compressed_short(-ITEM_INDENT) + compressed_short(1)
                  + compressed_ushort(ITEM_INDENT))
    return bytes([0x00, 0x80]) + struct.pack("<HH", 0, bits) + values


def _display_link(path, paragraphs, hashes):
    """One display record for paragraphs of one kind: LinkData2 holds the
    strings, LinkData1 the paragraph info and the command between strings."""
    strings = [b""]
    commands = b""

    def command(code, argument=b""):
        nonlocal commands
        commands += bytes([code]) + argument
        strings.append(b"")

    def text(line_no, value):
        strings[-1] += _encode(path, line_no, value)

    font = None

    def use_font(number):
        nonlocal font
        if number != font:
            command(COMMAND_FONT, struct.pack("<H", number))
            font = number

    for paragraph in paragraphs:
        if paragraph.kind == KIND_ITEM:
            use_font(FONT_BODY)
            text(paragraph.line, BULLET)
            command(COMMAND_TAB)
        for run in paragraph.runs:
            if paragraph.kind == KIND_HEADING:
                use_font(FONT_HEADING)
            else:
                use_font(FONT_BOLD if run.bold else FONT_BODY)
            if run.jump is not None:
                command(COMMAND_TOPIC_JUMP, struct.pack("<i", hashes[run.jump.lower()]))
                text(run.line, run.text)
                command(COMMAND_END_OF_HOTSPOT)
            else:
                text(run.line, run.text)
        command(COMMAND_END_OF_PARAGRAPH)
    data2 = b"".join(s + b"\0" for s in strings)
    # Characters of the record, each string's NUL included: the reader's
    # count that topic offsets are made of.
    length = len(data2)
    data1 = (compressed_long(length) + compressed_ushort(length)
             + _paragraph_format(paragraphs[0].kind) + commands + bytes([COMMAND_END]))
    return _Link(RECORD_DISPLAY, data1, data2, text_length=length)


def _topic_links(path, source, hashes):
    links = []
    for number, topic in enumerate(source.topics):
        links.append(_Link(RECORD_TOPIC_HEADER, b"", _encode(path, topic.line, topic.title) + b"\0",
                           topic=number))
        heading = Paragraph(KIND_HEADING, [Run(topic.title, line=topic.line)], topic.line)
        links.append(_display_link(path, [heading], hashes))
        group = []
        for paragraph in topic.paragraphs:
            if group and group[0].kind != paragraph.kind:
                links.append(_display_link(path, group, hashes))
                group = []
            group.append(paragraph)
        links.append(_display_link(path, group, hashes))
    # The last link carries no text: readers stop before it, and it ends the
    # last topic as the next topic header would.
    links.append(_Link(RECORD_TOPIC_HEADER, b"", b"\0"))
    return links


def build_topic_file(path, source, hashes):
    """The |TOPIC file and the topic offset of each topic."""
    links = _topic_links(path, source, hashes)
    starts = []
    offset = 0
    for link in links:
        starts.append(offset)
        offset += link.size
    stream_size = offset
    positions = [topic_pos(start) for start in starts]

    # Topic offsets: the block of the link, and the characters of the display
    # records that start in that block before it.
    link_offsets = []
    block, characters = 0, 0
    for start, link in zip(starts, links):
        link_block = start // TOPIC_BLOCK_DATA
        if link_block != block:
            block, characters = link_block, 0
        link_offsets.append((block << TOPICOFFSET_BLOCK_SHIFT) + characters)
        characters += link.text_length
    topic_offsets = [link_offsets[i] for i, link in enumerate(links) if link.topic is not None]

    header_indices = [i for i, link in enumerate(links) if link.record_type == RECORD_TOPIC_HEADER]
    stream = bytearray()
    for i, link in enumerate(links):
        data1 = link.data1
        if link.record_type == RECORD_TOPIC_HEADER:
            later = [h for h in header_indices if h > i]
            end = later[0] if later else len(links)
            topic_size = sum(l.size for l in links[i:end])
            scroll = positions[i + 1] if later and i + 1 < end else NONE
            data1 = struct.pack("<iiiiiii", topic_size, NONE, NONE,
                                link.topic if link.topic is not None else NONE,
                                NONE, scroll, positions[later[0]] if later else NONE)
        previous = positions[i - 1] if i > 0 else NONE
        following = positions[i + 1] if i + 1 < len(links) else NONE
        stream += struct.pack("<iiiiiB", link.size, len(link.data2), previous, following,
                              TOPIC_LINK_HEADER_SIZE + len(data1), link.record_type)
        stream += data1 + link.data2
    assert len(stream) == stream_size

    blocks = -(-stream_size // TOPIC_BLOCK_DATA)
    stream += bytes(blocks * TOPIC_BLOCK_DATA - stream_size)
    data = bytearray()
    for block in range(blocks):
        begin, end = block * TOPIC_BLOCK_DATA, (block + 1) * TOPIC_BLOCK_DATA
        before = [i for i, s in enumerate(starts) if s < begin]
        inside = [i for i, s in enumerate(starts) if begin <= s < end]
        headers_before = [i for i in before if links[i].record_type == RECORD_TOPIC_HEADER]
        data += struct.pack("<iii",
                            positions[before[-1]] if before else NONE,
                            positions[inside[0]] if inside else NONE,
                            positions[headers_before[-1]] if headers_before else NONE)
        data += stream[begin:end]
    return bytes(data), topic_offsets


# ---------------------------------------------------------------- files

def build_system_file(path, source, contents_offset):
    records = []

    def record(kind, data):
        records.append(struct.pack("<HH", kind, len(data)) + data)

    title = _encode(path, 1, source.title)
    record(RECORD_TITLE, title + b"\0")
    if source.copyright:
        record(RECORD_COPYRIGHT, _encode(path, 1, source.copyright) + b"\0")
    record(RECORD_CONTENTS, struct.pack("<i", contents_offset))
    # The main window by name, captioned with the title alone.
    window = struct.pack("<H", WINDOW_NAME_VALID | WINDOW_CAPTION_VALID)
    window += bytes(WINDOW_TYPE_SIZE)
    window += MAIN_WINDOW.encode("ascii").ljust(WINDOW_NAME_SIZE, b"\0")
    window += title.ljust(WINDOW_CAPTION_SIZE, b"\0")
    window += bytes(WINDOW_RECORD_SIZE - len(window))
    record(RECORD_WINDOW, window)
    record(RECORD_CHARSET, struct.pack("<H", RUSSIAN_CHARSET))
    # The creation date stays 0 so that one source always gives one file.
    header = struct.pack("<HHHiH", SYSTEM_MAGIC, SYSTEM_MINOR_WINHELP31, SYSTEM_MAJOR, 0,
                         SYSTEM_FLAGS_UNCOMPRESSED)
    return header + b"".join(records)


def build_font_file(path, source):
    faces = _encode(path, 1, source.face).ljust(FACE_NAME_SIZE, b"\0")
    descriptors = b"".join(
        struct.pack("<BBBH3B3B", attributes, half_points, FAMILY_SWISS, 0, *colour, 255, 255, 255)
        for attributes, half_points, colour in FONTS)
    return struct.pack("<HHHH", 1, len(FONTS), FONT_HEADER_SIZE,
                       FONT_HEADER_SIZE + len(faces)) + faces + descriptors


def build_context_file(source, hashes, topic_offsets):
    entries = sorted((hashes[t.context.lower()], offset)
                     for t, offset in zip(source.topics, topic_offsets))
    tree, _ = build_btree([(struct.pack("<i", h), struct.pack("<ii", h, o)) for h, o in entries],
                          TREE_PAGE_SIZE, "L4")
    return tree


def keyword_order(keyword):
    """Index order: alphabetical without regard to case (ё with е)."""
    return keyword.lower().replace("ё", "е"), keyword


def build_keyword_files(path, source, topic_offsets):
    """|KWBTREE (keyword, count, offset into |KWDATA), |KWDATA (topic offsets
    of each keyword in turn) and |KWMAP (the first keyword of each leaf)."""
    targets = {}
    for topic, offset in zip(source.topics, topic_offsets):
        for keyword in topic.keywords:
            encoded = _encode(path, topic.line, keyword)
            offsets = targets.setdefault(keyword, (encoded, []))[1]
            if offset not in offsets:
                offsets.append(offset)
    data = b""
    entries = []
    for keyword in sorted(targets, key=keyword_order):
        encoded, offsets = targets[keyword]
        key = encoded + b"\0"
        entries.append((key, key + struct.pack("<hi", len(offsets), len(data))))
        data += b"".join(struct.pack("<i", o) for o in sorted(offsets))
    tree, first_entries = build_btree(entries, TREE_PAGE_SIZE, "F24")
    keyword_map = b"".join(struct.pack("<iH", first, page) for page, first in first_entries)
    return tree, data, keyword_map


def build_file_system(files):
    """The help file: its header, each internal file after its own header,
    and the directory (a B+ tree of names and offsets) at the end."""
    out = bytearray(16)
    offsets = {}
    for name in sorted(files):
        offsets[name] = len(out)
        body = files[name]
        out += struct.pack("<iiB", FILE_HEADER_SIZE + len(body), len(body), FILE_FLAGS) + body
    entries = []
    for name in sorted(offsets):
        key = name.encode("ascii") + b"\0"
        entries.append((key, key + struct.pack("<i", offsets[name])))
    directory, _ = build_btree(entries, DIRECTORY_PAGE_SIZE, "z4",
                               BTREE_FLAGS | BTREE_DIRECTORY_FLAG)
    directory_start = len(out)
    out += struct.pack("<iiB", FILE_HEADER_SIZE + len(directory), len(directory),
                       FILE_FLAGS) + directory
    out[0:16] = struct.pack("<iiii", FILE_MAGIC, directory_start, NO_FREE_LIST, len(out))
    return bytes(out)


def write_help(path, source):
    """The bytes of the help file for a parsed source."""
    hashes = {t.context.lower(): context_hash(t.context) for t in source.topics}
    topic, topic_offsets = build_topic_file(path, source, hashes)
    keyword_tree, keyword_data, keyword_map = build_keyword_files(path, source, topic_offsets)
    return build_file_system({
        "|SYSTEM": build_system_file(path, source, topic_offsets[0]),
        "|FONT": build_font_file(path, source),
        "|TOPIC": topic,
        "|CONTEXT": build_context_file(source, hashes, topic_offsets),
        "|KWBTREE": keyword_tree,
        "|KWDATA": keyword_data,
        "|KWMAP": keyword_map,
    })


# ---------------------------------------------------------------- page

# The page's own headings; the help it carries is Russian.
PAGE_LANGUAGE = "ru"
CONTENTS_HEADING = "Содержание"
INDEX_HEADING = "Указатель"
BACK_TO_CONTENTS = "К содержанию"
# Ids of the page's own parts: a hyphen never occurs in a context name, so
# they cannot meet a topic's id.
CONTENTS_ID = "help-contents"
INDEX_ID = "help-index"
LINK_COLOUR = "#%02x%02x%02x" % FONTS[FONT_HEADING][2]

PAGE_STYLE = """\
body {{ font-family: {face}, sans-serif; max-width: 46em; margin: 1em auto;
  padding: 0 1em; line-height: 1.45; color: #000; background: #fff; }}
h1, h2 {{ color: {colour}; }}
h2 {{ margin-top: 1.8em; border-bottom: 1px solid {colour}; }}
a {{ color: {colour}; }}
li {{ margin: 0.3em 0; }}
.back, .copyright {{ font-size: smaller; }}
figure {{ margin: 1em 0; }}
.shot {{ position: relative; width: 100%; max-width: {shot_width}px; }}
.shot img {{ display: block; width: 100%; height: auto; image-rendering: pixelated; }}
.mark {{ position: absolute; transform: translate(-50%, -50%); min-width: 1.4em;
  line-height: 1.4em; border-radius: 0.7em; background: {colour}; color: #fff;
  font-size: 0.8em; font-weight: bold; text-align: center; }}
figcaption ol {{ padding-left: 2em; }}"""
# The picture is shown twice its size where there is room: its pixels are
# the window's own at 96 dots per inch.
PICTURE_SCALE = 2


def _css_string(text):
    return '"' + "".join(c if c.isalnum() or c == " " else f"\\{ord(c):x} " for c in text) + '"'


def _page_runs(runs, ids):
    parts = []
    for run in runs:
        piece = html.escape(run.text, quote=False)
        if run.jump is not None:
            piece = f'<a href="#{ids[run.jump.lower()]}">{piece}</a>'
        if run.bold:
            piece = f"<b>{piece}</b>"
        parts.append(piece)
    return "".join(parts)


def _percent(part, whole):
    return f"{100 * part / whole:.2f}%"


def _page_figure(picture):
    """The picture inline as a data address, a numbered mark on each part it
    names, and what each number is below it."""
    data = base64.b64encode(picture.data).decode("ascii")
    alt = html.escape(picture.description)
    out = ["<figure>", '<div class="shot">',
           f'<img src="data:image/png;base64,{data}" width="{picture.width}" '
           f'height="{picture.height}" alt="{alt}">']
    out += [f'<span class="mark" style="left: {_percent(m.x, picture.width)}; '
            f'top: {_percent(m.y, picture.height)}">{number}</span>'
            for number, m in enumerate(picture.marks, 1)]
    out += ["</div>", f"<figcaption>{html.escape(picture.description, quote=False)}", "<ol>"]
    out += [f"<li>{html.escape(m.text, quote=False)}</li>" for m in picture.marks]
    out += ["</ol>", "</figcaption>", "</figure>"]
    return out


def write_page(source):
    """The text of the HTML page for a parsed source."""
    ids = {t.context.lower(): t.context for t in source.topics}
    title = html.escape(source.title, quote=False)
    out = ["<!DOCTYPE html>",
           f'<html lang="{PAGE_LANGUAGE}">',
           "<head>",
           '<meta charset="utf-8">',
           f"<title>{title}</title>",
           "<style>",
           PAGE_STYLE.format(face=_css_string(source.face), colour=LINK_COLOUR,
                             shot_width=PICTURE_SCALE * (source.picture.width
                                                         if source.picture else 0)),
           "</style>",
           "</head>",
           "<body>",
           f"<h1>{title}</h1>"]
    if source.figure_at_top:
        out += _page_figure(source.picture)
    out += [f'<nav id="{CONTENTS_ID}">',
            f"<h2>{CONTENTS_HEADING}</h2>",
            "<ul>"]
    out += [f'<li><a href="#{t.context}">{html.escape(t.title, quote=False)}</a></li>'
            for t in source.topics]
    out.append(f'<li><a href="#{INDEX_ID}">{INDEX_HEADING}</a></li>')
    out += ["</ul>", "</nav>"]

    for topic in source.topics:
        out += [f'<section id="{topic.context}">',
                f"<h2>{html.escape(topic.title, quote=False)}</h2>"]
        in_list = False
        for number, paragraph in enumerate(topic.paragraphs):
            is_item = paragraph.kind == KIND_ITEM
            if (is_item != in_list or number in topic.figures) and in_list:
                out.append("</ul>")
                in_list = False
            if number in topic.figures:
                out += _page_figure(source.picture)
            if is_item != in_list:
                out.append("<ul>")
                in_list = True
            tag = "li" if is_item else "p"
            out.append(f"<{tag}>{_page_runs(paragraph.runs, ids)}</{tag}>")
        if in_list:
            out.append("</ul>")
        if len(topic.paragraphs) in topic.figures:
            out += _page_figure(source.picture)
        out += [f'<p class="back"><a href="#{CONTENTS_ID}">{BACK_TO_CONTENTS}</a></p>',
                "</section>"]

    # The index as the viewer's: each keyword once, its topics in file order.
    targets = {}
    for topic in source.topics:
        for keyword in topic.keywords:
            topics = targets.setdefault(keyword, [])
            if topic not in topics:
                topics.append(topic)
    out += [f'<section id="{INDEX_ID}">', f"<h2>{INDEX_HEADING}</h2>", "<ul>"]
    for keyword in sorted(targets, key=keyword_order):
        links = ", ".join(f'<a href="#{t.context}">{html.escape(t.title, quote=False)}</a>'
                          for t in targets[keyword])
        out.append(f"<li>{html.escape(keyword, quote=False)} — {links}</li>")
    out += ["</ul>", "</section>"]
    if source.copyright:
        out.append(f'<p class="copyright">{html.escape(source.copyright, quote=False)}</p>')
    out += ["</body>", "</html>", ""]
    return "\n".join(out)


# ---------------------------------------------------------------- main

def main(argv):
    if len(argv) not in (2, 3):
        print("usage: write_help.py SOURCE OUTPUT [PAGE]", file=sys.stderr)
        return 2
    source_path, *outputs = argv
    try:
        source = parse_source(source_path)
        files = [write_help(source_path, source)]
        if len(outputs) == 2:
            files.append(write_page(source).encode("utf-8"))
    except HelpError as error:
        print(f"write_help: {error}", file=sys.stderr)
        return 1
    for output, data in zip(outputs, files):
        Path(output).parent.mkdir(parents=True, exist_ok=True)
        Path(output).write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
