#!/usr/bin/env bash
# Seeds the pack fuzzer with real packs: the shipped one with its per-object
# (-c1) and global (-c2) compressed variants, and the small test packs.
# Usage: make_seeds.sh OUTPUT_DIR SHIPPED_PACK
set -euo pipefail
out=$(realpath -m "$1")
shipped=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
cp "$shipped" "$out/shipped.dat"
for level in 1 2; do
  cp "$shipped" "$out/shipped_c$level.dat"
  dat "-c$level" -n0 -s1 -w "$out/shipped_c$level.dat" >/dev/null
done
packs=$(mktemp -d)
trap 'rm -rf "$packs"' EXIT
bash "$here/../data/make_test_packs.sh" "$packs"
for name in small small_c1 small_c2 small16; do
  cp "$packs/$name.dat" "$out/$name.dat"
done
