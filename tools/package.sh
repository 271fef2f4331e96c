#!/usr/bin/env bash
# Builds the game and packs it as a .deb in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh" play
cmake -S "$root" -B "$root/build" -DTULKA_TESTS=OFF -DTULKA_BENCH=OFF >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target tulka asset_pack icons
cd "$root/build"
rm -f tulka_*.deb
cpack -G DEB >/dev/null
ls "$root"/build/tulka_*.deb
