#!/usr/bin/env bash
# Plays a short game with the shipped pictures under Xvfb and keeps three
# screenshots for the README: docs/title.png, docs/play.png and
# docs/game_over.png. Needs a built tree (tools/play.sh or tools/test.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/lib.sh"
TULKA="$root/build/tulka"
docs="$root/docs"
e2e_begin
mkdir "$E2E_TMP/run"
cp "$root/build/Tulka.dat" "$E2E_TMP/run/Tulka.dat"
start_game
wait_for_window

# Prints "x y" of a point on a marcher's body, lowest marcher first, found by
# the red middle stripe of its canopy between two cream ones: the body's
# top is 38 rows under the canopy's, and the point lies a little low, since
# the marcher goes on falling while the screenshot is read.
find_marcher() {
  import -window "$GAME_WINDOW" -depth 8 ppm:- | perl -e '
    binmode STDIN; local $/; my $d = <STDIN>;
    $d =~ s/\AP6\s+(\d+)\s+(\d+)\s+255\s//s or exit; my $w = $1;
    sub px { my ($x, $y) = @_; return join(",", unpack("C3", substr($d, ($y * $w + $x) * 3, 3))); }
    sub red { return px(@_) eq "234,74,66"; }
    sub cream { return px(@_) eq "252,248,236"; }
    for (my $y = 400; $y >= 1; $y--) {
      for (my $x = 16; $x < 464; $x++) {
        next unless red($x, $y) && !red($x, $y - 1) && red($x, $y + 3);
        my ($l, $r) = ($x, $x); $l-- while red($l - 1, $y + 3); $r++ while red($r + 1, $y + 3);
        next unless $r - $l >= 6 && $r - $l <= 12 && cream($l - 1, $y + 3) && cream($r + 1, $y + 3);
        printf "%d %d\n", ($l + $r) / 2 + 1, $y + 60; exit;
      }
    }'
}

wait_for_colour 25 150 128 8 255,255,255 60
sleep 0.5
point_at 420 505
sleep 0.3
screenshot "$docs/title.png"

hold_click 1 420 505
sleep 3
for attempt in $(seq 1 60); do
  read -r x y < <(find_marcher) || true
  if [[ -n "${x:-}" ]]; then
    hold_click 1 "$x" "$y"
  fi
  unset x y
  # A charge above 10 turns the bar's row 469 dark red.
  if [[ "$(pixel 488 469)" == 255,30,30 ]] && ((attempt > 20)); then
    break
  fi
  sleep 0.2
done
# Shots take a step in every drawn frame as well as in every tick, so they
# are in the air only for a moment.
hold_click 3 240 330
screenshot "$docs/play.png"

press_key Escape
sleep 0.5
point_at 350 318
sleep 0.3
screenshot "$docs/game_over.png"
press_key q
wait_for_exit 10
echo "screenshots in $docs"
