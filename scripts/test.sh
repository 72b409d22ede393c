#!/usr/bin/env bash
# Installs what is missing, builds the host side and both Windows programs,
# and runs every test: the host tests natively, then the whole Windows suite
# against the x86-64 build under 64-bit Wine (on every machine), then against
# the 32-bit build under 32-bit Wine wherever this machine can execute 32-bit
# code. ZEMKO_SKIP_WIN32=1 skips the 32-bit run. One virtual display serves
# both runs; nothing is left running afterwards. The builds are configured by
# CMakePresets.json (host, win64, win32). Before the builds run the layer
# check and, where clang-format-14 is installed, the format check: a format
# failure does not stop the tests, but the script fails at the end.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh
# shellcheck source=xvfb.sh
. ./scripts/xvfb.sh

# Each phase says how long it took, so the log shows where the time goes.
phase_started=$(date +%s)
phase_done() {  # what
  local now
  now=$(date +%s)
  echo "== $1 took $((now - phase_started)) s"
  phase_started=$now
}

./scripts/install-deps.sh
phase_done "installing"
jobs=$(nproc)

echo "== layers"
python3 scripts/check-layers.py

# Other versions of clang-format lay code out differently.
format=ok
if command -v clang-format-14 >/dev/null; then
  echo "== format"
  ./scripts/check-format.sh || format=failed
else
  echo "== format check skipped: clang-format-14 is not installed"
fi

configure_and_build() {  # preset
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}
configure_and_build host
phase_done "the host build"
configure_and_build win64
phase_done "the x86-64 build"
# The shipped program is built everywhere, even where it cannot be run.
configure_and_build win32
phase_done "the 32-bit build"

echo "== host tests"
ctest --preset host -j "$jobs"
phase_done "the host tests"

# Every prefix of a build: the default one and those of other code pages.
stop_build_servers() {  # build dirs
  local dir
  for dir in "$@"; do stop_wine_servers "$root/$dir"/wineprefix "$root/$dir"/wineprefix-*; done
}
trap 'stop_build_servers build/win64 build/win; stop_xvfb' EXIT
[ -n "${DISPLAY:-}" ] || start_xvfb

failed=()
run_windows_suite() {  # preset, build dir, word size
  local preset=$1 dir=$2 bits=$3 started status=0
  started=$(date +%s)
  echo "== Windows tests, ${bits}-bit build ($dir) under ${bits}-bit Wine"
  ./scripts/wine-prefix.sh "$root/$dir/wineprefix" "$bits"
  # One persistent Wine server for the whole suite: each test program then
  # starts in a fraction of a second instead of booting Wine's services again.
  WINEPREFIX=$(locale_prefix "$root/$dir/wineprefix")
  export WINEPREFIX
  stop_wine_servers "$WINEPREFIX"
  wineserver -p
  ctest --preset "$preset" -j "$jobs" || status=$?
  stop_build_servers "$dir"
  echo "== ${bits}-bit Windows tests took $(( $(date +%s) - started )) s"
  [ "$status" = 0 ] || failed+=("${bits}-bit")
}

run_windows_suite win64 build/win64 64
if why=$(win32_unavailable); then
  echo "== 32-bit Windows tests skipped: $why"
else
  run_windows_suite win32 build/win 32
fi

status=0
if [ "$format" != ok ]; then
  echo "== failed: the format check (scripts/check-format.sh)" >&2
  status=1
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "== failed: the ${failed[*]} Windows tests" >&2
  status=1
fi
exit "$status"
