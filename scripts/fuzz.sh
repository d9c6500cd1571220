#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 30) from the
# committed corpus. Skips quietly when clang is not installed.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not installed, skipped"
  exit 0
fi
build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here/tests/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2
for target in text amount quoting frame xlsx; do
  corpus="$build/corpus-$target"
  mkdir -p "$corpus"
  cp -n "$here/tests/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
  echo "fuzz: $target for ${seconds}s"
  (cd "$build" && ASAN_OPTIONS=detect_leaks=0 "./fuzz_$target" -max_total_time="$seconds" -timeout=20 \
      -print_final_stats=0 "$corpus" 2>&1 | tail -3)
done
