#!/usr/bin/env bash
# A missing or truncated pack is reported by name, and the game ends with
# status 1 and no signal.
source "$(dirname "$0")/lib.sh"
TULKA=$1 PACK=$2
e2e_begin
mkdir "$E2E_TMP/run"

expect_refusal() {
  local what=$1 words=$2
  start_game
  dismiss_message "$words"
  local status
  wait_for_exit 10
  status=$EXIT_STATUS
  [[ "$status" == 1 ]] || fail "$what: exit status $status, expected 1"
  grep -q "Tulka.dat" "$E2E_TMP/stderr" || fail "$what: stderr does not name the pack"
  grep -q -- "$words" "$E2E_TMP/stderr" || fail "$what: stderr does not say '$words'"
  echo "ok: $what"
}

expect_refusal "missing pack" "is missing"

size=$(stat -c %s "$PACK")
for cut in 3 12 $((size / 2)) $((size - 1)); do
  head -c "$cut" "$PACK" >"$E2E_TMP/run/Tulka.dat"
  expect_refusal "pack cut at $cut of $size bytes" "truncated"
done
echo "PASS"
