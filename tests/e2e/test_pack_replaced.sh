#!/usr/bin/env bash
# The pack is read anew for every game. One that is cut short while the
# game-over screen is up is refused when the player plays again: the player
# sees why, and the game ends with status 1, not with a signal.
source "$(dirname "$0")/lib.sh"
TULKA=$1 FLAT_PACK=$3
e2e_begin
start_game_with_pack "$FLAT_PACK"
leave_title
end_game

size=$(stat -c %s "$FLAT_PACK")
head -c $((size / 3)) "$FLAT_PACK" >"$E2E_TMP/run/Tulka.dat"
hold_click 1 350 320
dismiss_message "truncated"
wait_for_exit 10
[[ "$EXIT_STATUS" == 1 ]] || fail "exit status $EXIT_STATUS, expected 1"
grep -q 'Tulka.dat' "$E2E_TMP/stderr" || fail "stderr does not name the pack"
echo PASS
