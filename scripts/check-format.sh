#!/usr/bin/env bash
# Checks that every C++ source and header under src/ and tests/ is laid out
# as .clang-format says (clang-format-14 --dry-run --Werror). On a difference
# it names the files, shows the first differences and the command that
# reformats them all, and fails.
#   scripts/check-format.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# The version scripts/install-deps.sh installs: other versions lay the same
# code out differently.
format=clang-format-14
command -v "$format" >/dev/null ||
  { echo "check-format: $format is not installed (scripts/install-deps.sh)" >&2; exit 2; }

mapfile -d '' files < <(find src tests -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
[ "${#files[@]}" -gt 0 ] || { echo "check-format: no sources under src/ and tests/" >&2; exit 2; }

status=0
report=$("$format" --dry-run --Werror "${files[@]}" 2>&1) || status=$?
if [ "$status" -eq 0 ]; then
  echo "check-format: all ${#files[@]} files match .clang-format"
  exit 0
fi
mapfile -t differ < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' \
                        <<<"$report" | uniq)
if [ "${#differ[@]}" -eq 0 ]; then  # no difference named: clang-format itself failed
  head -n 12 <<<"$report" >&2
  echo "check-format: $format failed (exit code $status)" >&2
  exit 2
fi
{
  echo "check-format: ${#differ[@]} of ${#files[@]} files differ from .clang-format:"
  printf '  %s\n' "${differ[@]}"
  echo "The first differences:"
  head -n 12 <<<"$report"
  echo "To reformat every file:"
  echo "  find src tests -type f \\( -name '*.cpp' -o -name '*.h' \\) -exec $format -i {} +"
} >&2
exit 1
