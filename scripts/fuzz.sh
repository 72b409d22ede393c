#!/usr/bin/env bash
# Builds each fuzz target with clang's libFuzzer (plus address and
# undefined-behaviour sanitizers) and runs it for a bounded time, one after
# the other; a crash stops the script and leaves its input in build/fuzz/.
#   scripts/fuzz.sh [seconds each] [target...]   (default 60; every target)
# Targets: conversions, betcheck, paste, windows1251, packedbitmap.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(conversions betcheck paste windows1251 packedbitmap)
out="$root/build/fuzz"
src="$root/src"

sources_of() {  # target
  case "$1" in
    conversions) echo "ConversionsFuzz.cpp $src/calc/NumberText.cpp $src/base/Exception.cpp" ;;
    betcheck) echo "BetCheckFuzz.cpp $src/calc/BetCheck.cpp $src/calc/Payout.cpp" \
                   "$src/calc/NumberText.cpp $src/base/Exception.cpp" ;;
    paste) echo "PasteFuzz.cpp $src/rules/Paste.cpp $src/text/Text.cpp" ;;
    windows1251) echo "Windows1251Fuzz.cpp $src/text/Windows1251.cpp $src/text/Digits.cpp" ;;
    packedbitmap) echo "PackedBitmapFuzz.cpp $src/dib/PackedBitmap.cpp" ;;
    *) echo "fuzz: no target $1" >&2; return 1 ;;
  esac
}

# A few inputs each target starts from.
seed() {  # target corpus
  case "$1" in
    conversions) printf '1,85' > "$2/odds"; printf '300' > "$2/stake"; printf -- '-12x' > "$2/size" ;;
    betcheck) printf '300\n3\n2\n2\n3\n4' > "$2/example"; printf '100\n0\n0\n1,5\n2' > "$2/express" ;;
    paste) printf '1.5\r\n2.1\r\n3.0\r\n' > "$2/column"; printf '  \t2,35\t3' > "$2/blank" ;;
    windows1251) printf '1\0\x12\xff\x63\x06' > "$2/digits"; printf '\x3d\xd8\x00\xde' > "$2/pair" ;;
    packedbitmap) head -c 1080 /dev/zero > "$2/empty"
                  printf '\x28\0\0\0\x04\0\0\0\x04\0\0\0\x01\0\x08\0' | dd of="$2/empty" conv=notrunc 2>/dev/null ;;
  esac
}

for target in "${targets[@]}"; do
  read -r -a files <<< "$(sources_of "$target")"
  mkdir -p "$out/$target/corpus"
  seed "$target" "$out/$target/corpus"
  (cd "$root/fuzz" && clang++-14 -std=c++20 -O1 -g -ffp-contract=off -DZEMKO_LIBFUZZER \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src" -I"$root/tests" "${files[@]}" -o "$out/$target/fuzz")
  echo "== fuzz $target for $seconds s"
  status=0
  (cd "$out/$target" && ./fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -print_final_stats=1 corpus > log 2>&1) || status=$?
  grep -E 'stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|artifact' "$out/$target/log" || true
  if [ "$status" != 0 ]; then
    echo "== fuzz $target failed: see $out/$target/log" >&2
    exit "$status"
  fi
done
