#!/usr/bin/env bash
# Writes the release archive dist/Zemko-<version>.zip: the 32-bit Zemko.exe,
# its help as Zemko.hlp (for the help button) and as Zemko.html (for the
# Windows without a WinHelp viewer), and a short Russian README.txt.
#   scripts/package.sh [BUILD_DIR]     (default: build/win)
# A BUILD_DIR that is not configured yet is configured for the shipped
# program by the win32 preset (MinGW i686, cmake/mingw-i686.cmake, Release). The version is the one
# of the program's version resource, read from res/Zemko.rc. README.txt is
# help/readme.txt with that version filled in, in UTF-8 with a byte-order mark
# and CR LF, which Notepad on every Windows shows right.
#
# The archive's SHA-256 is printed and written beside it, as
# dist/Zemko-<version>.zip.sha256 in sha256sum's format, to be published with
# the release: a user checks the download against it (certutil -hashfile
# ... SHA256 on Windows, as README.txt tells).
#
# Member names are plain ASCII: archivers store and read any other name in
# their own code page, and a Russian name then shows garbled elsewhere.
#
# One commit gives one archive, byte for byte: the members are stored in the
# order of their names, deflated at level 9, as plain files, and all with
# the time of the commit (UTC), or SOURCE_DATE_EPOCH where that is set, or
# 2000-01-01 outside a git checkout. scripts/check-reproducible.sh checks it.
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
  # The shipped program's configuration (CMakePresets.json), in BUILD_DIR.
  cmake -S "$root" --preset win32 -B "$build" >/dev/null
fi
# Building the program writes Zemko.hlp and Zemko.html beside it.
cmake --build "$build" -j2 --target Zemko >/dev/null

# Tests copy the program into folders of their own, under tests/.
mapfile -t found < <(find "$build" -name Zemko.exe -type f -not -path '*/drive_c/*' \
  -not -path "$build/tests/*")
if [ "${#found[@]}" -ne 1 ]; then
  echo "package: expected one Zemko.exe in $build, found ${#found[@]}" >&2
  exit 1
fi
zemko=${found[0]}
help=$(dirname "$zemko")/Zemko.hlp
page=$(dirname "$zemko")/Zemko.html
for file in "$help" "$page"; do
  [ -f "$file" ] || { echo "package: no $(basename "$file") beside $zemko" >&2; exit 1; }
done
bits=$(pe_word_size "$zemko") || { echo "package: $zemko is not a Windows program" >&2; exit 1; }
if [ "$bits" != 32 ]; then
  echo "package: the release carries the 32-bit program; $build builds a $bits-bit one" >&2
  exit 1
fi

# The members' time: the files' own times would differ from build to build.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  stamp=$SOURCE_DATE_EPOCH
elif [ -e "$root/.git" ]; then
  stamp=$(git -C "$root" log -1 --format=%ct)
else
  stamp=946684800
fi

mkdir -p "$root/dist"
archive=$root/dist/Zemko-$version.zip
python3 - "$archive" "$zemko" "$help" "$page" "$root/help/readme.txt" "$version" "$stamp" \
  <<'PY'
import os
import sys
import time
import zipfile

archive, program, help_file, page, readme, version, stamp = sys.argv[1:]
# A zip time is local time from 1980 on, with no zone: UTC keeps the
# builder's time zone out of the archive.
ZIP_EPOCH = 315532800
date_time = time.gmtime(max(int(stamp), ZIP_EPOCH))[:6]


def member(name, path, data=None):
    if not name.isascii():  # any other name shows garbled on some system
        sys.exit(f"package: the member name {name} is not plain ASCII")
    info = zipfile.ZipInfo(name, date_time)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS and Windows
    # A plain file (FILE_ATTRIBUTE_ARCHIVE) as Windows' own archiver writes
    # it; left 0, zipfile would fill in Unix modes of its own choosing.
    info.external_attr = 0x20
    with open(path, "rb") as source:
        return info, source.read() if data is None else data


text = open(readme, encoding="utf-8").read().replace("{version}", version)
readme_data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8-sig")
members = [member("Zemko.exe", program), member("Zemko.hlp", help_file),
           member("Zemko.html", page), member("README.txt", readme, readme_data)]
partial = archive + ".part"
with zipfile.ZipFile(partial, "w") as out:
    for info, data in sorted(members, key=lambda m: m[0].filename):
        out.writestr(info, data, compresslevel=9)
os.replace(partial, archive)
PY
# Written from inside dist/, so the sum names the archive as its users see it.
(cd "$root/dist" && sha256sum "$(basename "$archive")" >"$(basename "$archive").sha256")
echo "package: wrote $archive"
echo "package: SHA-256 $(cut -d' ' -f1 "$archive.sha256"), also in $archive.sha256"
