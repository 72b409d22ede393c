#!/usr/bin/env bash
# A random-input run of the calculator under Wine on a virtual display:
#   scripts/monkey.sh [events] [seed]   (default 1000 events, a new seed)
# The 32-bit program where this machine can run it, else the x86-64 build.
# The seed is printed; a failure prints it with the last 50 events, and the
# same seed gives the same events again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
events=${1:-1000}
seed=${2:-$(( $(date +%s) % 4294967296 ))}
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh
pick_build monkey
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target ZemkoMonkey >/dev/null
# The program's texts are Windows-1251; the terminal's are UTF-8.
./scripts/wine-run.sh --prefix "$root/$build/wineprefix" \
  "$build/tests/app/ZemkoMonkey.exe" "$events" "$seed" | iconv -f CP1251 -t UTF-8
