#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. the unit and end-to-end tests on a normal build;
#   2. the same again built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the static checks (clang-tidy, cppcheck);
#   4. the asset pack fuzzer, for a bounded 60 seconds;
#   5. the .deb: lintian, install, start from the desktop entry, remove.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
bash "$root/tools/setup.sh" test
passed=0

run_ctest() {  # run_ctest BUILD_DIR
  local log
  log=$(mktemp)
  (cd "$1" && ctest --output-on-failure) 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local count
  count=$(sed -n 's/.* tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$log")
  rm -f "$log"
  ((status == 0)) || exit "$status"
  passed=$((passed + count))
}

echo "== 1. normal build"
cmake -S "$root" -B "$root/build" -DTULKA_TESTS=ON -DTULKA_BENCH=ON -DTULKA_SANITIZE=OFF >/dev/null
cmake --build "$root/build" -j "$jobs"
run_ctest "$root/build"

echo "== 2. sanitizer build"
cmake -S "$root" -B "$root/build-asan" -DTULKA_SANITIZE=ON -DTULKA_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
run_ctest "$root/build-asan"

echo "== 3. static checks"
bash "$root/tools/lint.sh"
passed=$((passed + 1))

echo "== 4. fuzzing the asset pack"
bash "$root/tools/fuzz.sh" 60
passed=$((passed + 1))

echo "== 5. the .deb"
if ((EUID == 0)); then
  bash "$root/tests/install/test_deb.sh" "$root/build"
  passed=$((passed + 1))
elif sudo -n true 2>/dev/null; then
  sudo bash "$root/tests/install/test_deb.sh" "$root/build"
  passed=$((passed + 1))
else
  echo "skipped: installing the package needs root or sudo"
fi

echo "all: $passed passed, 0 failed"
