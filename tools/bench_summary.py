#!/usr/bin/env python3
"""Prints the figures that tools/bench.sh gathered as one Markdown table, each
beside its limit and the ratio of the two, and the machine they were measured
on. Exits 1 if a figure misses its limit.

Usage: bench_summary.py RESULTS_DIR"""

import json
import os
import platform
import re
import statistics
import sys

# Limits, in the units of the table.
TEST_LIMIT_NS = 2.0
BACKLOG_LIMIT_MS = 5.0
DRAW_OVERHEAD_LIMIT = 0.10
STARTUP_LIMIT_MS = 150.0
TESTS_PER_TICK = 9600


def medians(path):
    """Median real time in ns of each benchmark, by name without its suffix."""
    with open(path, encoding="utf-8") as f:
        runs = json.load(f)["benchmarks"]
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
    out = {}
    for run in runs:
        if run.get("aggregate_name") == "median":
            name = run["run_name"].split("/repeats:")[0]
            out[name] = run["real_time"] * scale[run["time_unit"]]
    return out


def machine():
    model = "unknown"
    with open("/proc/cpuinfo", encoding="utf-8") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo", encoding="utf-8") as f:
        mem_kb = int(f.readline().split()[1])
    osname = platform.platform()
    with open("/etc/os-release", encoding="utf-8") as f:
        for line in f:
            if line.startswith("PRETTY_NAME="):
                osname = line.split("=", 1)[1].strip().strip('"')
    return (f"{os.cpu_count()} x {model}, {mem_kb / 1024 / 1024:.1f} GiB memory, "
            f"{osname}, Linux {platform.release()}")


def main():
    results = sys.argv[1]
    tick = medians(os.path.join(results, "tick.json"))
    frame = medians(os.path.join(results, "frame.json"))
    screen = medians(os.path.join(results, "screen.json"))
    rows = []
    missed = []

    def row(figure, value, limit="", ratio=None, met=None):
        verdict = "" if met is None else ("met" if met else "**missed**")
        if met is False:
            missed.append(figure)
        rows.append((figure, value, limit, "" if ratio is None else f"{ratio:.3f}", verdict))

    per_test = tick["BM_WorstTick"] / TESTS_PER_TICK
    row("simulate_tick, worst case (100 marchers, 96 shots, no hit): per shot-against-marcher test",
        f"{per_test:.3f} ns ({tick['BM_WorstTick'] / 1e3:.2f} us a tick)", f"{TEST_LIMIT_NS} ns",
        per_test / TEST_LIMIT_NS, per_test <= TEST_LIMIT_NS)
    for case, what in (("fresh", "a fresh game, as after a replay's title"),
                       ("busy", "a busy game: 100 marchers, 96 shots falling onto them"),
                       ("worst", "the worst tick's set-up run on")):
        ms = tick[f"BM_Backlog/{case}"] / 1e6
        row(f"backlog of 500 ticks, {what}", f"{ms:.3f} ms", f"{BACKLOG_LIMIT_MS} ms",
            ms / BACKLOG_LIMIT_MS, ms <= BACKLOG_LIMIT_MS)

    ours, alone = frame["BM_DrawField"], frame["BM_LibraryCallsAlone"]
    overhead = ours / alone - 1.0
    row("draw_field into back_buffer, worst case, beside the library calls alone",
        f"{ours / 1e3:.1f} us vs {alone / 1e3:.1f} us: overhead {overhead * 100:+.1f} %",
        f"{DRAW_OVERHEAD_LIMIT * 100:.0f} %", overhead / DRAW_OVERHEAD_LIMIT, overhead <= DRAW_OVERHEAD_LIMIT)

    present, copy = screen["BM_Present"], screen["BM_MemcpyWindow"]
    row("present to the Xvfb window (depth 24), beside memcpy of 496 x 540 x 4 bytes",
        f"{present / 1e3:.1f} us vs {copy / 1e3:.1f} us", "memcpy", present / copy)
    row("title frame (draw_title_frame, present included)", f"{screen['BM_TitleFrame'] / 1e3:.1f} us")
    row("game-over frame (draw_game_over_picture + present)", f"{screen['BM_GameOverFrame'] / 1e3:.1f} us")
    row("worst game frame to the window (draw_field with present)", f"{screen['BM_WorstGameFrame'] / 1e3:.1f} us")

    with open(os.path.join(results, "allocations.txt"), encoding="utf-8") as f:
        for m in re.finditer(r"^(\w+): (\d+) allocations in (\d+) passes; the library's calls alone make (\d+)",
                             f.read(), re.M):
            name, ours_n, passes, library_n = m.group(1), int(m.group(2)), int(m.group(3)), int(m.group(4))
            row(f"heap allocations, {name} loop, {passes} passes (main thread)",
                f"{ours_n} ({ours_n / passes:g} a pass)", f"{library_n} (the library's own calls)",
                None, ours_n == library_n)

    with open(os.path.join(results, "startup.txt"), encoding="utf-8") as f:
        runs = [line.split() for line in f if line.strip()]
    startup = statistics.median(float(ms) for ms, _ in runs)
    peak = statistics.median(int(kb) for _, kb in runs)
    row(f"start-up to the first title frame on screen, median of {len(runs)}",
        f"{startup:.1f} ms (from {min(float(r[0]) for r in runs):.1f} to {max(float(r[0]) for r in runs):.1f})",
        f"{STARTUP_LIMIT_MS:.0f} ms", startup / STARTUP_LIMIT_MS, startup <= STARTUP_LIMIT_MS)
    row("peak memory (VmHWM) at the first title frame", f"{peak / 1024:.1f} MiB")

    cpu = {}
    with open(os.path.join(results, "cpu.txt"), encoding="utf-8") as f:
        for line in f:
            name, game, server = line.split()
            cpu[name] = (float(game), float(server))
    for name, what in (("title", "title screen (unpaced)"), ("play_2_marchers", "play, fresh game (2 marchers)"),
                       ("play_20_marchers", "play, 20 marchers allowed (after 567 kills)"),
                       ("game_over", "game-over screen (unpaced)")):
        game, server = cpu[name]
        row(f"CPU use over 10 s, {what}", f"{game:.1f} % of a core (the X server: {server:.1f} %)")
    row("peak memory (VmHWM) after a whole game", f"{cpu['peak_kb'][0] / 1024:.1f} MiB")

    print(f"Machine: {machine()}\n")
    print("| Figure | Measured (median) | Limit | Ratio | Target |")
    print("|---|---|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")
    if missed:
        print("\nMissed: " + "; ".join(missed))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
