#!/usr/bin/env bash
# Without a display the game says why on stderr and exits 1, without a crash.
set -euo pipefail
TULKA=$1 PACK=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$PACK" "$dir/Tulka.dat"
status=0
(cd "$dir" && env -u DISPLAY -u WAYLAND_DISPLAY "$TULKA") 2>"$dir/stderr" || status=$?
cat "$dir/stderr"
[[ "$status" == 1 ]] || { echo "FAIL: exit status $status, expected 1"; exit 1; }
grep -q "graphical display" "$dir/stderr" || { echo "FAIL: stderr does not say why"; exit 1; }
echo PASS
