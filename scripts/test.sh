#!/usr/bin/env bash
# Installs what is missing, builds the host side and both Windows programs,
# and runs every test: the host tests natively, then the whole Windows suite
# against the x86-64 build under 64-bit Wine (on every machine) and, side by
# side with it, against the 32-bit build under 32-bit Wine wherever this
# machine can execute 32-bit code. ZEMKO_SKIP_WIN32=1 skips the 32-bit run.
# Each suite has a virtual display of its own and prints when it is done;
# nothing is left running afterwards. The builds are configured by
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

# Every prefix of a build: the default one, those of other code pages and
# the copies some tests make.
stop_build_servers() {  # build dirs
  local dir
  for dir in "$@"; do stop_wine_servers "$root/$dir"/wineprefix "$root/$dir"/wineprefix-*; done
}

# The two suites run side by side, each on a virtual display of its own and
# against the prefixes of its own build tree: nothing one suite's tests touch
# (display, focus, clipboard, registry, files) is the other's. The tests
# mostly wait for windows, so two suites share two processors well.
display_pids=()
stop_displays() {
  local pid
  for pid in "${display_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}
# Under set -e a failing command here would change the script's exit code.
trap 'kill $(jobs -p) 2>/dev/null || true; stop_build_servers build/win64 build/win; stop_displays' EXIT

# Each suite's whole Wine session (server, tests) runs on one processor of
# its own: every window call is a round trip to the Wine server, and on the
# virtual machines here a wake-up across processors makes each one cost ten
# times as much (scripts/measure-startup.sh shows it). Alone, a suite ran
# its window tests three times slower spread over both processors.
run_windows_suite() {  # preset, build dir, word size, display, processor
  local preset=$1 dir=$2 bits=$3 started status=0
  started=$(date +%s)
  export DISPLAY=$4
  taskset -p -c "$5" "$BASHPID" >/dev/null
  echo "== Windows tests, ${bits}-bit build ($dir) under ${bits}-bit Wine"
  ./scripts/wine-prefix.sh "$root/$dir/wineprefix" "$bits"
  # One persistent Wine server for the whole suite, with Wine's services
  # started once: each test program then starts in a fraction of a second
  # instead of booting them again.
  wine_environment "$bits" "$root/$dir/wineprefix"
  stop_wine_servers "$WINEPREFIX"
  wineserver -p
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
  export ZEMKO_WINE_SERVICES_UP=$WINEPREFIX
  ctest --preset "$preset" -j "$jobs" || status=$?
  stop_build_servers "$dir"
  echo "== ${bits}-bit Windows tests took $(( $(date +%s) - started )) s"
  return "$status"
}

suites=(win64:build/win64:64)
if why=$(win32_unavailable); then
  echo "== 32-bit Windows tests skipped: $why"
else
  suites+=(win32:build/win:32)
fi
pids=()
logs=()
for suite in "${suites[@]}"; do
  IFS=: read -r preset dir bits <<< "$suite"
  start_xvfb
  display_pids+=("$XVFB_PID")
  XVFB_PID=""
  log="$root/$dir/windows-tests.log"
  mkdir -p "$root/$dir"
  run_windows_suite "$preset" "$dir" "$bits" "$DISPLAY" "$(( ${#pids[@]} % jobs ))" > "$log" 2>&1 &
  pids+=($!)
  logs+=("$log")
done
failed=()
for i in "${!suites[@]}"; do
  suite_status=0
  wait "${pids[$i]}" || suite_status=$?
  cat "${logs[$i]}"
  [ "$suite_status" = 0 ] || failed+=("${suites[$i]##*:}-bit")
done
phase_done "the Windows tests"
stop_displays

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
