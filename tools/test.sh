#!/usr/bin/env bash
# Builds everything and runs every test: the unit and end-to-end tests on a
# normal build, then the unit tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
bash "$root/tools/setup.sh" test

echo "== normal build"
cmake -S "$root" -B "$root/build" -DTULKA_TESTS=ON >/dev/null
cmake --build "$root/build" -j "$jobs"

echo "== sanitizer build"
cmake -S "$root" -B "$root/build-asan" -DTULKA_SANITIZE=ON -DTULKA_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j "$jobs" --target unit_tests

echo "== unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  "$root/build-asan/tests/unit_tests" --gtest_brief=1

echo "== all tests"
cd "$root/build"
ctest --output-on-failure

echo "== the .deb: lintian, install, start from the desktop entry, remove"
if ((EUID == 0)); then
  bash "$root/tests/install/test_deb.sh" "$root/build"
elif sudo -n true 2>/dev/null; then
  sudo bash "$root/tests/install/test_deb.sh" "$root/build"
else
  echo "skipped: installing the package needs root or sudo"
fi
