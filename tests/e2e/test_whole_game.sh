#!/usr/bin/env bash
# A whole game with the flat pack, read from screenshots: marchers clicked
# raise the score, the combo and the charge bar; a miss drops the combo; a
# burst fires shots; Esc shows the game-over screen with the final score and
# buttons that light under the pointer; play again starts a new game at
# once; Esc and Q end the program with status 0.
source "$(dirname "$0")/lib.sh"
TULKA=$1 FLAT_PACK=$3
READ="$(dirname "$0")/read_frame.pl"
e2e_begin
GIVE_UP=$((SECONDS + 90))
FRAME="$E2E_TMP/frame.ppm"
SHOTS=255,88,88 LOW_BAR=255,150,150 HIGH_BAR=255,30,30

grab() { import -window "$GAME_WINDOW" -depth 8 "ppm:$FRAME"; }
# Sets SCORE, COMBO and MINES from the digits on the panel of a new screenshot.
read_panel() {
  grab
  read -r SCORE COMBO MINES <<<"$(perl "$READ" panel <"$FRAME")"
}
# Pixels of one colour in a rectangle of the last screenshot.
count_in_frame() { perl "$READ" count "$@" <"$FRAME"; }
# Rows of the charge bar, in column 488 from the top down to row 480.
bar_rows() { count_in_frame "$1" 488 0 1 481; }
time_left() { ((SECONDS < GIVE_UP)) || fail "out of time"; }

# Finds a wholly visible marcher and clicks its middle, aimed a little lower
# since it descends while the click is on its way; tries again on a miss.
# Sets SCORE, COMBO and MINES after the kill, and checks the combo: one more
# than before, or 1 after a miss.
kill_one() {
  local before=$SCORE combo=$((COMBO + 1)) found left top seen=0
  for ((try = 0; try < 40; ++try)); do
    time_left
    grab
    found=$(perl "$READ" marcher <"$FRAME")
    if [[ -z "$found" ]]; then
      sleep 0.05
      continue
    fi
    seen=1
    read -r left top <<<"$found"
    hold_click 1 $((left + 13)) $((top + 23))
    sleep 0.1
    read_panel
    if ((SCORE > before)); then
      ((COMBO == combo)) || fail "the combo shows $COMBO after a kill, not $combo"
      return 0
    fi
    ((COMBO == 0)) || fail "the combo shows $COMBO after a miss, not 0"
    combo=1
    echo "missed the marcher at $left,$top (try $try)"
  done
  ((seen)) || fail "no marcher appeared on the field"
  fail "no marcher was hit in 40 tries"
}

start_game_with_pack "$FLAT_PACK"
leave_title

# A fresh game: score 1, combo 0, five mines, a charge bar of one row.
read_panel
[[ "$SCORE $COMBO $MINES" == "1 0 5" ]] || fail "a new game shows '$SCORE $COMBO $MINES', not '1 0 5'"
(($(bar_rows "$LOW_BAR") == 1)) || fail "the charge bar of a new game is not one row"

# 1, 2. The first kill: score 2, combo 1, charge 1.
kill_one
((SCORE == 2)) || fail "after the first kill the score shows $SCORE"
(($(bar_rows "$LOW_BAR") == 2)) || fail "the charge bar did not grow to two rows"
cp "$FRAME" "$E2E_TMP/first_kill.ppm"
kill_one
((SCORE == 3)) || fail "after the second kill the score shows $SCORE"
KILLS=2

# 3. No marcher stands within two pixels of the left edge: a click there
# misses, the combo falls to 0, score and charge stay.
((COMBO > 0)) || fail "no combo to lose"
hold_click 1 2 240
deadline=$((SECONDS + 3))
read_panel
while [[ "$COMBO" != 0 ]] && ((SECONDS < deadline)); do read_panel; done
[[ "$SCORE $COMBO" == "3 0" ]] || fail "after a miss the panel shows '$SCORE $COMBO', not '3 0'"
(($(bar_rows "$LOW_BAR") == 3)) || fail "a miss changed the charge"
echo "ok: kills and a miss"

# 4. Eleven kills give a charge above 10, and the bar turns dark.
while ((KILLS < 11)); do
  kill_one
  KILLS=$((KILLS + 1))
done
((SCORE == 12)) || fail "after 11 kills the score shows $SCORE"
(($(bar_rows "$HIGH_BAR") == 12)) || fail "the charge bar is not 12 dark rows at charge 11"
cp "$FRAME" "$E2E_TMP/charged.ppm"
echo "ok: charge 11 after $KILLS kills"

# A burst from high on the field: shots fly up and fall back through it.
point_at 240 100
xdotool mousedown 3
sleep 0.05
xdotool mouseup 3
seen=0
deadline=$((SECONDS + 3))
while ((SECONDS < deadline)); do
  grab
  if (($(count_in_frame "$SHOTS" 0 0 480 480) >= 4)); then
    seen=1
    cp "$FRAME" "$E2E_TMP/burst.ppm"
    break
  fi
done
((seen)) || fail "no shots were seen after the burst"
(($(bar_rows "$LOW_BAR") == 2)) || fail "the burst did not take 10 of the charge"
echo "ok: burst"

# 5. Once the shots are gone the score stands still; Esc shows it on the
# game-over screen, with 0 for combo and mines.
point_at 100 440
quiet=0
deadline=$((SECONDS + 10))
while ((quiet < 2)) && ((SECONDS < deadline)); do
  grab
  if (($(count_in_frame "$SHOTS" 0 0 496 480) == 0)); then quiet=$((quiet + 1)); else quiet=0; fi
done
((quiet == 2)) || fail "the shots did not leave the field"
read_panel
final=$SCORE
press_key Escape
wait_for_pixel 10 10 80,0,0
read_panel
[[ "$SCORE $COMBO $MINES" == "$final 0 0" ]] || fail "the game-over panel shows '$SCORE $COMBO $MINES', not '$final 0 0'"
cp "$FRAME" "$E2E_TMP/game_over.ppm"
echo "ok: game over with score $final"

# 6. The button under the pointer lights; the quit button's outer columns
# do not answer.
point_at 350 320
wait_for_pixel 260 305 0,255,0
[[ "$(pixel 260 355)" == 100,0,100 ]] || fail "the quit button is lit while the pointer is on play again"
grab
cp "$FRAME" "$E2E_TMP/again_lit.ppm"
point_at 350 370
wait_for_pixel 260 355 200,100,200
[[ "$(pixel 260 305)" == 0,100,0 ]] || fail "play again stays lit after the pointer left it"
point_at 270 370
wait_for_pixel 260 355 100,0,100
echo "ok: highlights"

# 7. Play again, the button held until the field shows: the new game starts
# with it still down, with no title screen.
point_at 350 320
wait_for_pixel 260 305 0,255,0
xdotool mousedown 1
wait_for_pixel 5 470 0,60,0 5
xdotool mouseup 1
read_panel
[[ "$SCORE $COMBO $MINES" == "1 0 5" ]] || fail "the new game shows '$SCORE $COMBO $MINES', not '1 0 5'"
cp "$FRAME" "$E2E_TMP/again.ppm"
echo "ok: a new game"

# 8. Esc, then Q on the game-over screen: the program ends with status 0.
press_key Escape
wait_for_pixel 10 10 80,0,0
press_key q
wait_for_exit 10
status=$EXIT_STATUS
[[ "$status" == 0 ]] || fail "exit status $status, expected 0"
if [[ -n "${E2E_KEEP_SHOTS:-}" ]]; then
  mkdir -p "$E2E_KEEP_SHOTS"
  for f in "$E2E_TMP"/*.ppm; do convert "$f" "$E2E_KEEP_SHOTS/$(basename "${f%.ppm}").png"; done
fi
echo "PASS in ${SECONDS} s"
