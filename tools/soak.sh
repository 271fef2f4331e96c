#!/usr/bin/env bash
# The long soak: 200 games in a row in one process under Xvfb, with the peak
# memory after game 10 and after the last compared. Needs a built tree
# (tools/test.sh, or cmake and make in build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
SOAK_GAMES=${SOAK_GAMES:-200} bash "$root/tests/e2e/test_soak_games.sh" \
  "$root/build/tulka" "$root/build/Tulka.dat" "$root/build/tests/flat/Tulka.dat"
