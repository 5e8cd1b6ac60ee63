#!/usr/bin/env bash
# Draws the small flag pictures of the language list into programdata/Flags:
# a 16 x 11 flag centred in a 16 x 16 24-bit BMP, the size of the list's
# images. Pure white is the list's transparent colour: it pads the flag, and
# the white parts of a flag are drawn in a white one step off.
# Needs ImageMagick's convert. Usage: tools/make-flags.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/programdata/Flags
mkdir -p "$out"
white='rgb(254,254,254)'

# Germany: three horizontal bands.
convert -size 16x11 xc:'rgb(0,0,0)' \
  -fill 'rgb(221,0,0)' -draw 'rectangle 0,4 15,7' \
  -fill 'rgb(255,206,0)' -draw 'rectangle 0,8 15,10' \
  -gravity center -background white -extent 16x16 -type TrueColor BMP3:"$out/de-de.bmp"

# United States: alternating stripes with a blue canton.
stripes=()
for y in 1 3 5 7 9; do stripes+=(-draw "rectangle 0,$y 15,$y"); done
convert -size 16x11 xc:'rgb(178,34,52)' \
  -fill "$white" "${stripes[@]}" \
  -fill 'rgb(60,59,110)' -draw 'rectangle 0,0 6,5' \
  -fill "$white" -draw 'point 1,1' -draw 'point 3,1' -draw 'point 5,1' \
  -draw 'point 2,3' -draw 'point 4,3' -draw 'point 1,5' -draw 'point 3,5' -draw 'point 5,5' \
  -gravity center -background white -extent 16x16 -type TrueColor BMP3:"$out/en-us.bmp"
