#!/usr/bin/env bash
# Static checks of our own code: clang-tidy (rules in .clang-tidy) and
# cppcheck. Needs a configured build/ for its compile commands.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[[ -f build/compile_commands.json ]] || cmake -S . -B build >/dev/null
mapfile -t sources < <(git ls-files 'src/*.cpp' 'tools/*.cpp' 'tests/*.cpp' 'bench/*.cpp' | grep -v '^tests/fuzz/')

echo "== clang-tidy on ${#sources[@]} files"
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet >"$report" 2>&1; then
  grep -v -E '^[0-9]+ warnings? generated\.$' "$report"
  exit 1
fi

echo "== cppcheck"
cppcheck --library=googletest --enable=warning,style,performance,portability --inline-suppr --quiet \
  --std=c++20 --error-exitcode=1 -I src -I tests "${sources[@]}" tests/fuzz/*.cpp
echo "static checks clean"
