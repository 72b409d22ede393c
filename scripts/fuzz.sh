#!/usr/bin/env bash
# Builds the conversions fuzz target with clang's libFuzzer (plus address and
# undefined-behaviour sanitizers) and runs it for a bounded time.
#   scripts/fuzz.sh [seconds]   (default 60)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
out="$root/build/fuzz"
mkdir -p "$out/corpus"
clang++-14 -std=c++20 -O1 -g -ffp-contract=off -fsanitize=fuzzer,address,undefined \
  -I"$root/src" "$root/fuzz/ConversionsFuzz.cpp" "$root/src/calc/NumberText.cpp" \
  "$root/src/base/Exception.cpp" -o "$out/conversions_fuzz"
printf '1,85' > "$out/corpus/odds"; printf '300' > "$out/corpus/stake"; printf -- '-12x' > "$out/corpus/size"
"$out/conversions_fuzz" -max_total_time="$seconds" -max_len=4096 "$out/corpus"
