#!/usr/bin/env bash
# Plays game after game in one process: title, a press, play, Esc, then P
# for the next, and Q at the end. Peak memory after the last game must stay
# within 1 MiB of its value after game 10, and the game must exit 0.
# SOAK_GAMES sets the number of games (at least 11; default 30).
source "$(dirname "$0")/lib.sh"
TULKA=$1 FLAT_PACK=$3
GAMES=${SOAK_GAMES:-30}
ALLOWED_GROWTH_KB=1024
((GAMES > 10)) || { echo "SOAK_GAMES must be above 10"; exit 2; }
e2e_begin
start_game_with_pack "$FLAT_PACK"

peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$GAME_PID/status"; }

for game in $(seq 1 "$GAMES"); do
  leave_title
  end_game
  case $game in
    10) peak_at_10=$(peak_kb) ;;
    "$GAMES") peak_at_end=$(peak_kb) ;;
  esac
  if ((game < GAMES)); then
    press_key p
  fi
  if ((game % 10 == 0)); then
    echo "game $game: peak memory $(peak_kb) kB"
  fi
done
press_key q
wait_for_exit 10
[[ "$EXIT_STATUS" == 0 ]] || fail "exit status $EXIT_STATUS, expected 0"
# The list is read whole: a grep -q that stops early would SIGPIPE ldd and,
# under pipefail, read as "no match".
libraries=$(ldd "$TULKA")
if [[ "$libraries" == *libasan* ]]; then
  # AddressSanitizer holds freed memory back on purpose; peaks say nothing.
  echo "peak memory not compared: the game is built with AddressSanitizer"
  echo PASS
  exit 0
fi
growth=$((peak_at_end - peak_at_10))
echo "peak memory (VmHWM): ${peak_at_10} kB after game 10, ${peak_at_end} kB after game $GAMES (growth ${growth} kB)"
((growth <= ALLOWED_GROWTH_KB)) || fail "peak memory grew by $growth kB"
echo PASS
