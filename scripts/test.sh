#!/usr/bin/env bash
# Installs what is missing, builds the host side and both Windows programs,
# and runs every test: the host tests natively, then the whole Windows suite
# against the x86-64 build under 64-bit Wine (on every machine), then against
# the 32-bit build under 32-bit Wine wherever this machine can execute 32-bit
# code. ZEMKO_SKIP_WIN32=1 skips the 32-bit run. One virtual display serves
# both runs; nothing is left running afterwards.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh

./scripts/install-deps.sh
jobs=$(nproc)

echo "== layers"
python3 scripts/check-layers.py

configure_and_build() {  # build dir, then extra cmake arguments
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
configure_and_build build/host
configure_and_build build/win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
# The shipped program is built everywhere, even where it cannot be run.
configure_and_build build/win -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"

echo "== host tests"
ctest --test-dir build/host --output-on-failure -j "$jobs"

xvfb_pid=""
# Every prefix of a build: the default one and those of other code pages.
stop_wine_servers() {  # build dir
  local prefix
  for prefix in "$root/$1"/wineprefix "$root/$1"/wineprefix-*; do
    [ -d "$prefix" ] || continue
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
}
cleanup() {
  for dir in build/win64 build/win; do stop_wine_servers "$dir"; done
  [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  . ./scripts/xvfb.sh
  start_xvfb
  xvfb_pid=$XVFB_PID
fi

failed=()
run_windows_suite() {  # build dir, word size
  local dir=$1 bits=$2 started status=0
  started=$(date +%s)
  echo "== Windows tests, ${bits}-bit build ($dir) under ${bits}-bit Wine"
  export WINEPREFIX="$root/$dir/wineprefix"
  ./scripts/wine-prefix.sh "$WINEPREFIX" "$bits"
  # One persistent Wine server for the whole suite: each test program then
  # starts in a fraction of a second instead of booting Wine's services again.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -p
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" || status=$?
  stop_wine_servers "$dir"
  echo "== ${bits}-bit Windows tests took $(( $(date +%s) - started )) s"
  [ "$status" = 0 ] || failed+=("${bits}-bit")
}

run_windows_suite build/win64 64
if why=$(win32_unavailable); then
  echo "== 32-bit Windows tests skipped: $why"
else
  run_windows_suite build/win 32
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "== failed: the ${failed[*]} Windows tests" >&2
  exit 1
fi
