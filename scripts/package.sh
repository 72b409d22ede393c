#!/usr/bin/env bash
# Writes the release archive dist/Zemko-<version>.zip: the 32-bit Zemko.exe,
# its help file Zemko.hlp and a short Russian ЧИТАЙМЕНЯ.txt.
#   scripts/package.sh [BUILD_DIR]     (default: build/win)
# A BUILD_DIR that is not configured yet is configured for the shipped
# program (MinGW i686, cmake/mingw-i686.cmake, Release). The version is the one
# of the program's version resource, read from res/Zemko.rc. ЧИТАЙМЕНЯ.txt is
# help/readme.txt with that version filled in, in Windows-1251 with CR LF.
#
# Member names are stored as Russian Windows' own archivers read names without
# the UTF-8 flag, in the OEM code page 866, and again in UTF-8 in an Info-ZIP
# Unicode Path field (0x7075) for the archivers that look for it (7-Zip,
# WinRAR, unzip).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win}")

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"

# The version: the four numbers and the text the resource is built from.
rc=$root/res/Zemko.rc
numbers=$(sed -n 's/^#define ZEM_VERSION_NUMBERS \([0-9]*,[0-9]*,[0-9]*,[0-9]*\)[[:space:]]*$/\1/p' "$rc")
text=$(sed -n 's/^#define ZEM_VERSION_TEXT "\([0-9.]*\)"[[:space:]]*$/\1/p' "$rc")
if [ -z "$numbers" ] || [ -z "$text" ]; then
  echo "package: no version in $rc" >&2
  exit 1
fi
if [ "${numbers//,/.}" != "$text" ]; then
  echo "package: $rc gives the version as $numbers and as \"$text\"" >&2
  exit 1
fi
version=$text

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
# Building the program writes Zemko.hlp beside it.
cmake --build "$build" -j2 --target Zemko >/dev/null

mapfile -t found < <(find "$build" -name Zemko.exe -type f -not -path '*/drive_c/*')
if [ "${#found[@]}" -ne 1 ]; then
  echo "package: expected one Zemko.exe in $build, found ${#found[@]}" >&2
  exit 1
fi
zemko=${found[0]}
help=$(dirname "$zemko")/Zemko.hlp
[ -f "$help" ] || { echo "package: no Zemko.hlp beside $zemko" >&2; exit 1; }
bits=$(pe_word_size "$zemko") || { echo "package: $zemko is not a Windows program" >&2; exit 1; }
if [ "$bits" != 32 ]; then
  echo "package: the release carries the 32-bit program; $build builds a $bits-bit one" >&2
  exit 1
fi

mkdir -p "$root/dist"
archive=$root/dist/Zemko-$version.zip
python3 - "$archive" "$zemko" "$help" "$root/help/readme.txt" "$version" <<'PY'
import os
import struct
import sys
import time
import zipfile
import zlib

archive, program, help_file, readme, version = sys.argv[1:]
UNICODE_PATH_FIELD = 0x7075
UNICODE_PATH_VERSION = 1


class RussianName(zipfile.ZipInfo):
    """A member whose name is stored in code page 866, without the UTF-8
    flag, and in UTF-8 in a Unicode Path field. zipfile itself writes a name
    in ASCII or with the UTF-8 flag only, so the encoding step is replaced."""

    def __init__(self, name, date_time):
        super().__init__(name, date_time)
        oem = name.encode("cp866")
        utf8 = name.encode("utf-8")
        if utf8 != oem:
            self.extra = struct.pack("<HHBI", UNICODE_PATH_FIELD, 5 + len(utf8),
                                     UNICODE_PATH_VERSION, zlib.crc32(oem)) + utf8
        self.compress_type = zipfile.ZIP_DEFLATED
        self.create_system = 0  # MS-DOS and Windows

    def _encodeFilenameFlags(self):
        return self.filename.encode("cp866"), self.flag_bits & ~0x800


def member(name, path, data=None):
    stamp = time.localtime(os.path.getmtime(path))[:6]
    info = RussianName(name, stamp)
    with open(path, "rb") as source:
        return info, source.read() if data is None else data


text = open(readme, encoding="utf-8").read().replace("{version}", version)
readme_data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1251")
members = [member("Zemko.exe", program), member("Zemko.hlp", help_file),
           member("ЧИТАЙМЕНЯ.txt", readme, readme_data)]
partial = archive + ".part"
with zipfile.ZipFile(partial, "w") as out:
    for info, data in members:
        out.writestr(info, data)
os.replace(partial, archive)
PY
echo "package: wrote $archive"
