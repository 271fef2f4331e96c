#!/usr/bin/env bash
# Builds the small real packs that the pack check is tested on, with the
# library's own dat tool. Usage: make_test_packs.sh OUTPUT_DIR
set -euo pipefail
out=$(realpath -m "$1")
mkdir -p "$out"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

pictures=()
for i in $(seq 0 10); do
  convert -size "$((i % 3 + 2))x$((i % 2 + 2))" "xc:rgb($((i * 20)),$((255 - i * 20)),99)" \
    -type TrueColor "BMP3:p$i.bmp"
  pictures+=("p$i.bmp")
done
echo "not a picture" >note.txt

pack() {  # pack NAME DAT-OPTIONS... -- FILES...
  local name=$1
  shift
  rm -f "$out/$name"
  dat -n0 -s1 "$@" >/dev/null
}

ten=("${pictures[@]:0:10}")
pack small.dat "$out/small.dat" -bpp 32 -t BMP -a "${ten[@]}"
pack small_c1.dat -c1 "$out/small_c1.dat" -bpp 32 -t BMP -a "${ten[@]}"
pack small_c2.dat -c2 "$out/small_c2.dat" -bpp 32 -t BMP -a "${ten[@]}"
pack small16.dat "$out/small16.dat" -bpp 16 -t BMP -a "${ten[@]}"
pack nine.dat "$out/nine.dat" -bpp 32 -t BMP -a "${ten[@]:0:9}"
# Ten pictures, then a raw object: still a good pack.
cp "$out/small.dat" "$out/extra_raw.dat"
dat -n0 -s1 "$out/extra_raw.dat" -t DATA -a note.txt >/dev/null
# A raw object where the fourth picture should be.
rm -f "$out/raw_fourth.dat"
dat -n0 -s1 "$out/raw_fourth.dat" -bpp 32 -t BMP -a "${ten[@]:0:3}" >/dev/null
dat -n0 -s1 "$out/raw_fourth.dat" -t DATA -a note.txt >/dev/null
dat -n0 -s1 "$out/raw_fourth.dat" -bpp 32 -t BMP -a "${pictures[@]:4:7}" >/dev/null
