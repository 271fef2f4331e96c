#!/usr/bin/env bash
# Builds the game and its asset pack, then starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh" play
cmake -S "$root" -B "$root/build" -DTULKA_TESTS=OFF -DTULKA_BENCH=OFF >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target tulka asset_pack
# The game reads Tulka.dat from its working directory.
cd "$root/build"
exec ./tulka
