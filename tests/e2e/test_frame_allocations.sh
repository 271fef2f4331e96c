#!/usr/bin/env bash
# No heap allocation of our own while a game runs: over 10,000 passes of the
# frame loop, the title screen and the game-over screen, in a real window,
# the main thread allocates exactly as often as the library's own calls of
# those passes do when made alone. FRAME_ALLOCATIONS names the test program
# (ctest sets it); a sanitizer build has none, and the test is skipped.
source "$(dirname "$0")/lib.sh"
PACK=$2
program=${FRAME_ALLOCATIONS:-}
if [[ -z "$program" ]]; then
  echo "SKIP: no frame_allocations program in this build"
  exit 77
fi
[[ -x "$program" ]] || fail "$program is missing"
e2e_begin
"$program" "$PACK" || fail "our code allocates per pass"
echo PASS
