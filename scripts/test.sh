#!/usr/bin/env bash
# Installs what is missing, builds the host and the Windows side, and runs
# every test: the host tests natively, the Windows tests under Wine on one
# virtual display. Leaves no process behind.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host -j "$jobs"
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build build/win -j "$jobs"

echo "== host tests"
ctest --test-dir build/host --output-on-failure -j "$jobs"

echo "== Windows tests under Wine"
export WINEPREFIX="$root/build/win/wineprefix"
xvfb_pid=""
cleanup() {
  WINEPREFIX="$root/build/win/wineprefix" wineserver -k >/dev/null 2>&1 || true
  [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  . ./scripts/xvfb.sh
  start_xvfb
  xvfb_pid=$XVFB_PID
fi
./scripts/wine-prefix.sh "$WINEPREFIX"
# One persistent Wine server for the whole run: each test program then starts
# in a fraction of a second instead of booting Wine's services again.
wineserver -k >/dev/null 2>&1 || true
wineserver -p
ctest --test-dir build/win --output-on-failure -j "$jobs"
