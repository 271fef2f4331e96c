#!/usr/bin/env bash
# Measures the game against its limits on this machine and prints a table of
# every figure, each beside its limit where it has one:
#   1. the benchmarks of bench/ (median of 10 repetitions each), the windowed
#      ones on a private Xvfb display at depth 24;
#   2. the allocation count of the frame, title and game-over loops;
#   3. start-up to the first title frame, ten runs, with peak memory;
#   4. CPU use over ten seconds each on the title, in play (fresh, and with
#      20 marchers allowed) and on the game-over screen.
# Builds in Release into build-bench/, apart from the other builds. Writes
# the raw results and summary.md to build-bench/results/. Exits 1 if a figure
# misses its limit. Timings are noisy on a busy machine: run it on a quiet one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-bench
results=$build/results
bash "$root/tools/setup.sh" test
# The probes drive the game through XTEST; the summary is a Python script.
extra=()
for p in libxtst-dev python3; do
  [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" == *'ok installed'* ]] || extra+=("$p")
done
if ((${#extra[@]} > 0)); then
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${extra[@]}" >/dev/null
fi

echo "== building (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTULKA_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tulka asset_pack flat_pack frame_allocations \
  bench_tick bench_frame bench_screen first_frame hunt >/dev/null
rm -rf "$results"
mkdir -p "$results"

TULKA=$build/tulka
PACK=$build/Tulka.dat
FLAT_PACK=$build/tests/flat/Tulka.dat
source "$root/tests/e2e/lib.sh"
e2e_begin

# Repetitions of different benchmarks take turns, so that a burst of load
# from elsewhere does not fall on one figure alone.
bench_args=(--benchmark_enable_random_interleaving=true --benchmark_out_format=json)
echo "== benchmarks"
"$build/bench/bench_tick" "${bench_args[@]}" --benchmark_out="$results/tick.json"
"$build/bench/bench_frame" "${bench_args[@]}" --benchmark_out="$results/frame.json"
"$build/bench/bench_screen" "$PACK" "${bench_args[@]}" --benchmark_out="$results/screen.json"

echo "== allocations per pass"
"$build/tests/frame_allocations" "$PACK" | tee "$results/allocations.txt"

echo "== start-up to the first title frame, 10 runs"
mkdir -p "$E2E_TMP/run"
cp "$PACK" "$E2E_TMP/run/Tulka.dat"
for _ in $(seq 10); do
  "$build/bench/first_frame" "$TULKA" "$E2E_TMP/run" | tee -a "$results/startup.txt"
done

# CPU use of the game, and of the X server that shows its frames, over a
# span: utime + stime from /proc, in per cent of one core.
CPU_SPAN=10
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
cpu_percent() {  # cpu_percent NAME
  local hz game_before xvfb_before game_after xvfb_after t0 t1
  hz=$(getconf CLK_TCK)
  game_before=$(cpu_ticks "$GAME_PID")
  xvfb_before=$(cpu_ticks "$XVFB_PID")
  t0=$(date +%s.%N)
  sleep "$CPU_SPAN"
  game_after=$(cpu_ticks "$GAME_PID")
  xvfb_after=$(cpu_ticks "$XVFB_PID")
  t1=$(date +%s.%N)
  awk -v n="$1" -v a="$game_before" -v b="$game_after" -v xa="$xvfb_before" -v xb="$xvfb_after" \
    -v t0="$t0" -v t1="$t1" -v hz="$hz" \
    'BEGIN { s = hz * (t1 - t0) / 100; printf "%s %.1f %.1f\n", n, (b - a) / s, (xb - xa) / s }' |
    tee -a "$results/cpu.txt"
}

# Twenty marchers at once take 3 x (2 + 3 + ... + 19) = 567 kills by click.
KILLS_FOR_20=567
echo "== CPU use, ${CPU_SPAN} s per screen (flat-colour pack, so that the probes can read the window)"
cp "$FLAT_PACK" "$E2E_TMP/run/Tulka.dat"
start_game
wait_for_window
wait_for_colour 25 150 128 8 255,255,255 60
sleep 0.5 # past the library's first pointer warp
point_at 300 380
cpu_percent title
hold_click 1 300 380
wait_for_pixel 5 470 0,60,0
point_at 470 470
cpu_percent play_2_marchers
score=$("$build/bench/hunt" "$GAME_WINDOW" "$KILLS_FOR_20" 300) || fail "only $score on the score after the hunt"
echo "score after the hunt: $score"
point_at 470 470
cpu_percent play_20_marchers
press_key Escape
wait_for_pixel 5 300 80,0,0
cpu_percent game_over
awk '/^VmHWM:/ { print "peak_kb", $2, 0 }' "/proc/$GAME_PID/status" | tee -a "$results/cpu.txt"
press_key q
wait_for_exit 10

echo "== summary"
python3 "$root/tools/bench_summary.py" "$results" | tee "$results/summary.md"
