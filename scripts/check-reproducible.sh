#!/usr/bin/env bash
# Builds the release twice, from two clean clones of this repository in two
# folders of different names, and compares what ships: Zemko.exe, Zemko.hlp,
# Zemko.html and the archive, each built by scripts/package.sh. Prints the
# SHA-256 of every file from both builds and fails where any differs.
#   scripts/check-reproducible.sh                  the commit checked out (HEAD)
#   scripts/check-reproducible.sh --working-tree   HEAD with the uncommitted
#                                                  changes of the working tree
# Everything is made in one temporary folder, removed at the end.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

case ${1:-} in
  "") working_tree=0 ;;
  --working-tree) working_tree=1 ;;
  *) echo "usage: $0 [--working-tree]" >&2; exit 2 ;;
esac

commit=$(git -C "$root" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/zemko-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The linker would take its time stamp from this; the build must not need it.
unset SOURCE_DATE_EPOCH

# A clone, so the archive gets the commit's time as in a release.
copy_tree() {
  local dir=$1 file
  git clone -q --no-checkout "$root" "$dir"
  git -C "$dir" checkout -q --detach "$commit"
  [ "$working_tree" = 1 ] || return 0
  # The working tree's files in place of the commit's, deletions included.
  (cd "$dir" && git ls-files -z | xargs -0 rm -f --)
  while IFS= read -r -d '' file; do
    if [ -e "$file" ] || [ -L "$file" ]; then
      cp -P --preserve=mode --parents -t "$dir" -- "$file"
    fi
  done < <(git ls-files -co --exclude-standard -z)
}

# Names of different lengths, so a path left in a file shows as a difference.
builds=("$work/a" "$work/second-build")
for dir in "${builds[@]}"; do
  echo "check-reproducible: building in $dir"
  (cd "$root" && copy_tree "$dir")
  if ! "$dir/scripts/package.sh" >"$dir.log" 2>&1; then
    cat "$dir.log" >&2
    exit 1
  fi
done

# The files of one build, in a fixed order: the program and its help beside
# it, then the archive.
shipped() {
  local program
  program=$(find "$1/build/win" -name Zemko.exe -type f -not -path '*/drive_c/*')
  printf '%s\n' "$program" "$(dirname "$program")"/Zemko.{hlp,html} "$1"/dist/*.zip
}
mapfile -t one < <(shipped "${builds[0]}")
mapfile -t two < <(shipped "${builds[1]}")

status=0
for i in "${!one[@]}"; do
  a=$(sha256sum <"${one[i]}" | cut -d' ' -f1)
  b=$(sha256sum <"${two[i]}" | cut -d' ' -f1)
  printf '%-18s %s\n%-18s %s\n' "$(basename "${one[i]}")" "$a" "" "$b"
  if [ "$a" != "$b" ]; then
    echo "  DIFFERS: $(cmp "${one[i]}" "${two[i]}" || true)"
    status=1
  fi
done
if [ "$status" = 0 ]; then
  echo "check-reproducible: both builds are byte-identical (${SECONDS} s)"
else
  echo "check-reproducible: the builds differ (${SECONDS} s)" >&2
fi
exit "$status"
