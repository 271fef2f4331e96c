#!/usr/bin/env bash
# Under a real window manager, a close request on the title screen, during a
# game and on the game-over screen ends the game within a second, exit 0,
# with the pack and the picture buffer released before the library stops.
source "$(dirname "$0")/lib.sh"
TULKA=$1 FLAT_PACK=$3
CLOSE_LIMIT_MS=1000
e2e_begin
mkdir "$E2E_TMP/run"
cp "$FLAT_PACK" "$E2E_TMP/run/Tulka.dat"

openbox --sm-disable >"$E2E_TMP/wm.log" 2>&1 &
WM_PID=$!
trap 'kill $WM_PID 2>/dev/null || true; e2e_cleanup' EXIT
deadline=$((SECONDS + 10))
until wmctrl -m >/dev/null 2>&1; do
  ((SECONDS < deadline)) || fail "the window manager did not start"
  sleep 0.1
done

# The game runs under ltrace, which records its calls that release things.
start_traced_game() {
  (cd "$E2E_TMP/run" && exec setsid ltrace -o "$E2E_TMP/calls" \
    -e 'unload_datafile+destroy_bitmap+allegro_exit' "$TULKA") >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
  GAME_PID=$!
  wait_for_window 20
}

reach() {
  TITLES_SEEN=0  # a new process each time
  if [[ "$1" == title ]]; then
    wait_for_title 20
    return 0
  fi
  leave_title 20
  [[ "$1" == game ]] && return 0
  end_game
}

for screen in title game game_over; do
  start_traced_game
  reach "$screen"
  start=$(date +%s%N)
  wmctrl -i -c "$GAME_WINDOW"
  wait_for_exit 5
  status=$EXIT_STATUS
  elapsed_ms=$((($(date +%s%N) - start) / 1000000))
  [[ "$status" == 0 ]] || fail "$screen: exit status $status, expected 0"
  ((elapsed_ms <= CLOSE_LIMIT_MS)) || fail "$screen: the game took $elapsed_ms ms to close"
  order=$(grep -o -E '(unload_datafile|destroy_bitmap|allegro_exit)\(' "$E2E_TMP/calls" | tr -d '(' | tr '\n' ' ')
  [[ "$order" == "unload_datafile destroy_bitmap allegro_exit "* ]] ||
    fail "$screen: released in the order '$order'"
  echo "ok: $screen closed in $elapsed_ms ms, exit 0, released: $order"
done
echo PASS
