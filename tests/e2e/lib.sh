# Shared helpers for the end-to-end tests: a private Xvfb display, the real
# game started in a scratch folder, input through xdotool and pixels read
# from screenshots. Source it; call `e2e_begin` first.

set -euo pipefail

E2E_TMP=""
XVFB_PID=""
GAME_PID=""
GAME_WINDOW=""

e2e_cleanup() {
  # The game leads its own process group, with any message box it opened.
  if [[ -n "$GAME_PID" ]]; then
    kill -9 -- "-$GAME_PID" 2>/dev/null || true
  fi
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  if [[ -n "$E2E_TMP" && ! -e "$E2E_TMP/keep" ]]; then
    rm -rf "$E2E_TMP"
  fi
}

fail() {
  echo "FAIL: $*" >&2
  if [[ -n "$E2E_TMP" && -f "$E2E_TMP/stderr" ]]; then
    echo "--- game stderr:" >&2
    cat "$E2E_TMP/stderr" >&2
  fi
  if [[ -n "${DISPLAY:-}" ]]; then
    import -window root "$E2E_TMP/failure.png" 2>/dev/null && echo "screenshot: $E2E_TMP/failure.png" >&2 || true
    touch "$E2E_TMP/keep"
  fi
  exit 1
}

# Starts a 24-bit Xvfb on a display it picks itself, which it names once it
# is ready, and a scratch folder for the game. Without -noreset the server
# resets when its last client leaves, and drops a game that connects then:
# tests that start the game again and again would see it fail to start.
e2e_begin() {
  E2E_TMP=$(mktemp -d /tmp/tulka-e2e.XXXXXX)
  trap e2e_cleanup EXIT
  Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp -noreset 5>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local deadline=$((SECONDS + 10))
  while ((SECONDS < deadline)); do
    if [[ -s "$E2E_TMP/display" ]]; then
      export DISPLAY=":$(head -n 1 "$E2E_TMP/display")"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  fail "no Xvfb display could be started: $(cat "$E2E_TMP/xvfb.log")"
}

# Starts the game from the scratch folder, which must hold whatever pack
# the test wants. Its stderr goes to $E2E_TMP/stderr.
start_game() {
  (cd "$E2E_TMP/run" && exec setsid "$TULKA") >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
  GAME_PID=$!
}

# Starts the game with the given pack in its scratch folder, and waits for
# its window.
start_game_with_pack() {
  mkdir -p "$E2E_TMP/run"
  cp "$1" "$E2E_TMP/run/Tulka.dat"
  start_game
  wait_for_window "${2:-10}"
}

# The flat test pack's colours, as screenshots read them.
FLAT_FIELD=0,60,0
FLAT_GAME_OVER=80,0,0
VERSION_INK=255,255,255

# Waits for the title screen's version text in white at (25, 150).
wait_for_title() {
  wait_for_colour 25 150 128 8 "$VERSION_INK" 60 "${1:-10}"
}

# From the title screen of the flat pack into a game: waits for the title,
# holds a mouse button, and waits for the field. The library places the
# pointer once after the window appears, so the first title waits that out.
TITLES_SEEN=0
leave_title() {
  wait_for_title "${1:-10}"
  if ((TITLES_SEEN++ == 0)); then
    sleep 0.5
  fi
  hold_click 1 300 380
  wait_for_pixel 5 470 "$FLAT_FIELD"
}

# From a game of the flat pack to its game-over screen.
end_game() {
  press_key Escape
  wait_for_pixel 5 300 "$FLAT_GAME_OVER"
}

# Waits for the game's window to appear; sets GAME_WINDOW.
wait_for_window() {
  local deadline=$((SECONDS + ${1:-10}))
  while ((SECONDS < deadline)); do
    GAME_WINDOW=$(xdotool search --pid "$GAME_PID" --name '^tulka$' 2>/dev/null | head -n 1 || true)
    if [[ -n "$GAME_WINDOW" ]]; then
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
    sleep 0.05
  done
  fail "the game window did not appear"
}

# import waits on and on for a window that has gone, so each call is bounded.
IMPORT_TIMEOUT=5

# Prints the colour of window pixel (x, y) as "r,g,b".
pixel() {
  timeout "$IMPORT_TIMEOUT" import -window "$GAME_WINDOW" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Counts the pixels of one colour "r,g,b" in the window rectangle x y w h.
count_colour() {
  timeout "$IMPORT_TIMEOUT" import -window "$GAME_WINDOW" -crop "$3x$4+$1+$2" -depth 8 txt:- 2>/dev/null |
    grep -c "($5)" || true
}

# Saves a screenshot of the window.
screenshot() {
  timeout "$IMPORT_TIMEOUT" import -window "$GAME_WINDOW" "$1"
}

# Waits until window pixel (x, y) has colour "r,g,b".
wait_for_pixel() {
  local deadline=$((SECONDS + ${4:-10}))
  while ((SECONDS < deadline)); do
    [[ "$(pixel "$1" "$2")" == "$3" ]] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for ($1, $2) to be $3"
    sleep 0.05
  done
  fail "pixel ($1, $2) is $(pixel "$1" "$2"), not $3"
}

# Waits until the rectangle x y w h holds at least n pixels of colour "r,g,b".
wait_for_colour() {
  local deadline=$((SECONDS + ${7:-10}))
  while ((SECONDS < deadline)); do
    (($(count_colour "$1" "$2" "$3" "$4" "$5") >= $6)) && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for $5"
    sleep 0.05
  done
  fail "fewer than $6 pixels of $5 in $3x$4+$1+$2"
}

# Moves the pointer to window position (x, y).
point_at() {
  xdotool mousemove --window "$GAME_WINDOW" "$1" "$2"
}

# A click the game's 10 ms polling sees: the button is held for 50 ms.
hold_click() {
  local button=$1
  point_at "$2" "$3"
  xdotool mousedown "$button"
  sleep 0.05
  xdotool mouseup "$button"
}

# Holds a key for 50 ms, so that the game's polling sees it. Keys go to the
# window under the pointer.
press_key() {
  xdotool keydown "$1"
  sleep 0.05
  xdotool keyup "$1"
}

# Waits for the game to end and sets EXIT_STATUS to its exit status. A
# status above 128 means a signal, which the callers treat as a crash. Call
# it directly, not in $(...): only this shell can reap the game.
EXIT_STATUS=""
wait_for_exit() {
  local deadline=$((SECONDS + ${1:-10}))
  while ((SECONDS < deadline)); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      EXIT_STATUS=0
      wait "$GAME_PID" || EXIT_STATUS=$?
      GAME_PID=""
      return 0
    fi
    sleep 0.05
  done
  fail "the game did not end"
}

# Waits for the library's message box, checks its text and presses OK.
dismiss_message() {
  local expected=$1 deadline=$((SECONDS + 10)) box=""
  while ((SECONDS < deadline)); do
    box=$(xdotool search --class xmessage 2>/dev/null | head -n 1 || true)
    [[ -n "$box" ]] && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended without showing a message"
    sleep 0.05
  done
  [[ -n "$box" ]] || fail "no message box appeared"
  local shown
  shown=$(pgrep -a xmessage || true)
  [[ "$shown" == *"$expected"* ]] || fail "the message does not say '$expected': $shown"
  sleep 0.2
  xdotool mousemove --window "$box" 10 10
  press_key Return
}
