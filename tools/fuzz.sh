#!/usr/bin/env bash
# Builds the asset pack fuzzer with clang, replays the kept regression cases,
# then fuzzes for the given number of seconds (default 60).
# Usage: tools/fuzz.sh [SECONDS]
# FUZZ_MAX_LEN bounds the inputs (default 32768 bytes: the shipped pack's
# seeds are cut there, which keeps some ten thousand runs a second).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
bash "$root/tools/setup.sh" test
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DTULKA_FUZZ=ON -DTULKA_TESTS=OFF -DTULKA_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_pack asset_pack
fuzzer="$build/tests/fuzz/fuzz_pack"

bash "$root/tests/fuzz/make_seeds.sh" "$build/seeds" "$build/Tulka.dat"
regressions="$root/tests/fuzz/regressions"
if compgen -G "$regressions/*" >/dev/null; then
  echo "== replaying $(ls "$regressions" | wc -l) kept cases"
  "$fuzzer" "$regressions"/*
fi

echo "== fuzzing for $seconds s"
mkdir -p "$build/corpus"
ASAN_OPTIONS=detect_leaks=1 "$fuzzer" -max_total_time="$seconds" -max_len="${FUZZ_MAX_LEN:-32768}" -print_final_stats=1 \
  -artifact_prefix="$build/" "$build/corpus" "$build/seeds"
