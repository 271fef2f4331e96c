#!/usr/bin/env bash
# Builds a pack of flat colours for the end-to-end tests, so that one pixel
# of a screenshot tells which picture, cell or state was drawn there.
# Usage: make_flat_pack.sh OUTPUT.dat
set -euo pipefail
out=$(realpath -m "$1")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mask='rgb(255,0,255)'

flat() {  # flat FILE W H COLOUR
  convert -size "$2x$3" "xc:$4" -type TrueColor "BMP3:$dir/$1"
}

flat 00_field.bmp 480 480 'rgb(0,60,0)'
flat 01_overlay.bmp 468 40 'rgb(0,200,200)'
# The pointer: a 4 x 4 white dot around its hot spot, the rest transparent.
convert -size 30x30 "xc:$mask" -fill white -draw 'rectangle 14,14,17,17' -type TrueColor "BMP3:$dir/02_pointer.bmp"
flat 03_game_over.bmp 480 540 'rgb(80,0,0)'
flat 04_panel.bmp 480 60 'rgb(0,0,80)'
flat 05_title.bmp 480 540 'rgb(40,40,40)'
# Digit d is green 10 + 24 d, on a cell with a transparent frame.
args=()
for d in $(seq 0 9); do
  args+=(-fill "rgb(250,$((10 + 24 * d)),10)" -draw "rectangle $((26 * d + 3)),3 $((26 * d + 22)),26")
done
convert -size 260x30 "xc:$mask" "${args[@]}" -type TrueColor "BMP3:$dir/06_digits.bmp"
# Buttons: normal look on top, lit look below.
convert -size 200x80 'xc:rgb(0,100,0)' -fill 'rgb(0,255,0)' -draw 'rectangle 0,40 199,79' -type TrueColor "BMP3:$dir/07_button_again.bmp"
convert -size 200x80 'xc:rgb(100,0,100)' -fill 'rgb(200,100,200)' -draw 'rectangle 0,40 199,79' -type TrueColor "BMP3:$dir/08_button_quit.bmp"
# Marchers: one colour per kind row.
convert -size 208x120 'xc:rgb(255,255,0)' \
  -fill 'rgb(255,128,0)' -draw 'rectangle 0,30 207,59' \
  -fill 'rgb(128,255,0)' -draw 'rectangle 0,60 207,89' \
  -fill 'rgb(0,128,255)' -draw 'rectangle 0,90 207,119' -type TrueColor "BMP3:$dir/09_marchers.bmp"

rm -f "$out"
(cd "$dir" && dat -n0 -s1 -bpp 32 -t BMP -a "$out" \
  00_field.bmp 01_overlay.bmp 02_pointer.bmp 03_game_over.bmp 04_panel.bmp \
  05_title.bmp 06_digits.bmp 07_button_again.bmp 08_button_quit.bmp 09_marchers.bmp >/dev/null)
