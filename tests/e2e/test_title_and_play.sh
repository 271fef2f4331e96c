#!/usr/bin/env bash
# The title screen shows its version text and follows the pointer; a held
# mouse button starts the game; Esc ends it and the game exits 0.
source "$(dirname "$0")/lib.sh"
TULKA=$1 FLAT_PACK=$3
e2e_begin
start_game_with_pack "$FLAT_PACK"

# "Version: 1.7.5.8" in white at (25, 150) on the grey title picture.
wait_for_title
[[ "$(pixel 24 149)" == 40,40,40 ]] || fail "the title picture is not shown"
screenshot "$E2E_TMP/title.png"

# The library centres the pointer once after the window appears.
sleep 0.5
point_at 300 380
wait_for_pixel 300 380 255,255,255
[[ "$(pixel 300 400)" == 40,40,40 ]] || fail "the title is gone before any press"

hold_click 1 300 380
# The field picture replaces the title.
wait_for_pixel 5 470 0,60,0
wait_for_pixel 300 400 0,60,0

press_key Escape
sleep 0.3
# Past a game-over screen, if there is one.
if kill -0 "$GAME_PID" 2>/dev/null; then press_key q; fi
wait_for_exit 10
status=$EXIT_STATUS
[[ "$status" == 0 ]] || fail "exit status $status, expected 0"
echo "PASS"
