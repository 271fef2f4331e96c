#!/usr/bin/env bash
# The pack is read anew for every game. One that is cut short while the
# game-over screen is up is refused when the player plays again: the player
# sees why, and the game ends with status 1, not with a signal.
source "$(dirname "$0")/lib.sh"
TULKA=$1 FLAT_PACK=$3
e2e_begin
mkdir "$E2E_TMP/run"
cp "$FLAT_PACK" "$E2E_TMP/run/Tulka.dat"
start_game
wait_for_window
wait_for_colour 25 150 128 8 255,255,255 60
sleep 0.5
hold_click 1 300 380
wait_for_pixel 5 470 0,60,0
press_key Escape
wait_for_pixel 5 300 80,0,0

size=$(stat -c %s "$FLAT_PACK")
head -c $((size / 3)) "$FLAT_PACK" >"$E2E_TMP/run/Tulka.dat"
hold_click 1 350 320
dismiss_message "truncated"
wait_for_exit 10
[[ "$EXIT_STATUS" == 1 ]] || fail "exit status $EXIT_STATUS, expected 1"
grep -q 'Tulka.dat' "$E2E_TMP/stderr" || fail "stderr does not name the pack"
echo PASS
