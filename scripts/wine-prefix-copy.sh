#!/usr/bin/env bash
# Runs a Windows program, as wine-run.sh does, in a copy of a test prefix in
# which some of Windows' own files are taken away or replaced: what another
# system has (a 64-bit one that runs no 32-bit code, say).
#   wine-prefix-copy.sh SOURCE COPY [--remove FILE]... [--replace FILE=NEW]... \
#       -- program.exe [args...]
# FILE is a path under the prefix's drive_c, NEW a file of this machine.
# SOURCE is made first if need be; COPY is made from it once and made again
# only when the list of changes differs. The system folders, the bulk of a
# prefix, are hard-linked (nothing writes into them in place, and a removed
# or replaced file there is only unlinked); the rest is copied.
set -u
[ $# -ge 2 ] || { echo "wine-prefix-copy: give SOURCE and COPY" >&2; exit 2; }
source_prefix=$1 copy=$2
shift 2
changes=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  case $1 in
    --remove | --replace | --dpi) changes+=("$1" "$2"); shift 2 ;;
    *) echo "wine-prefix-copy: unknown option $1" >&2; exit 2 ;;
  esac
done
[ "${1:-}" = "--" ] && shift
[ $# -ge 1 ] || { echo "wine-prefix-copy: no program given" >&2; exit 2; }

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
bits=$(pe_word_size "$1") || { echo "wine-prefix-copy: $1 is not a Windows program" >&2; exit 2; }
"$here/wine-prefix.sh" "$source_prefix" "$bits" || exit 2
from=$(locale_prefix "$source_prefix")
to=$(locale_prefix "$copy")

recipe="${changes[*]:-} $(stat -c %Y "$from/.zemko-ready-win$bits")"
made="$to/.zemko-copy-of"
if [ "$(cat "$made" 2>/dev/null)" != "$recipe" ]; then
  mkdir -p "$(dirname "$to")"
  exec 9>"$to.lock"
  flock 9
  if [ "$(cat "$made" 2>/dev/null)" != "$recipe" ]; then
    WINEPREFIX=$to wineserver -k >/dev/null 2>&1
    rm -rf "$to"
    mkdir -p "$to"
    (cd "$from" && tar --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
      -cf - .) | (cd "$to" && tar -xf -) || exit 2
    for folder in system32 syswow64; do
      [ ! -d "$from/drive_c/windows/$folder" ] || cp -al "$from/drive_c/windows/$folder" \
        "$to/drive_c/windows/" || exit 2
    done
    for ((i = 0; i < ${#changes[@]}; i += 2)); do
      [ "${changes[i]}" = --remove ] || continue
      rm -f "$to/drive_c/${changes[i + 1]}" || exit 2
    done
    for ((i = 0; i < ${#changes[@]}; i += 2)); do
      [ "${changes[i]}" = --dpi ] || continue
      # The user's key, written while no Wine server holds the copy.
      python3 - "$to/user.reg" "${changes[i + 1]}" <<'PY' || exit 2
import sys
path, dpi = sys.argv[1], int(sys.argv[2])
value = '"LogPixels"=dword:%08x\n' % dpi
out, inside, placed = [], False, False
for line in open(path, encoding="utf-8", errors="surrogateescape"):
    if line.startswith("["):
        if inside and not placed:
            out.append(value)
            placed = True
        inside = line.startswith("[Control Panel\\\\Desktop]")
    elif inside and line.startswith('"LogPixels"='):
        continue
    out.append(line)
    if inside and not placed and line.startswith("#time="):
        out.append(value)
        placed = True
if not placed:
    out.append("\n[Control Panel\\\\Desktop]\n" + value)
open(path, "w", encoding="utf-8", errors="surrogateescape").writelines(out)
PY
    done
    echo "$recipe" >"$made"
  fi
  exec 9>&-
fi
# A replacement is put in again when it was rebuilt: it is a file of the tree.
for ((i = 0; i < ${#changes[@]}; i += 2)); do
  [ "${changes[i]}" = --replace ] || continue
  file="$to/drive_c/${changes[i + 1]%%=*}" new=${changes[i + 1]#*=}
  cmp -s "$new" "$file" || { rm -f "$file" && cp "$new" "$file"; } || exit 2
done
exec "$here/wine-run.sh" --prefix "$copy" "$@"
