#!/usr/bin/env bash
# Draws the program icon (a white key on a teal rounded square) with
# ImageMagick and writes app/keytidy.ico with 16, 24, 32, 48, 64 and 256 pixel
# images. Run it again after changing the drawing; the .ico is committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 256x256 xc:none \
  -fill '#17838f' -draw 'roundrectangle 8,8 248,248 48,48' \
  -fill '#0f5f68' -draw 'roundrectangle 8,200 248,248 48,48' -draw 'rectangle 8,200 248,220' \
  -fill white -stroke white \
  -draw 'circle 88,128 88,74' \
  -draw 'rectangle 120,114 214,142' \
  -draw 'rectangle 176,142 192,172' \
  -draw 'rectangle 200,142 214,162' \
  -fill '#17838f' -stroke '#17838f' -draw 'circle 80,128 80,104' \
  PNG32:"$work/icon256.png"

for size in 16 24 32 48 64; do
  convert "$work/icon256.png" -resize ${size}x${size} PNG32:"$work/icon$size.png"
done
convert -depth 8 "$work/icon16.png" "$work/icon24.png" "$work/icon32.png" "$work/icon48.png" "$work/icon64.png" \
  -depth 8 "$work/icon256.png" "$root/app/keytidy.ico"
echo "wrote $root/app/keytidy.ico"
