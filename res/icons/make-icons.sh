#!/usr/bin/env bash
# Draws the program's icon (a picture with a hotspot frame on it) in the hicolor sizes
# and the Windows .ico from them. Needs ImageMagick; the results are checked in.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 256x256 xc:none \
  -fill '#1e78c8' -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill '#ffffff' -draw 'roundrectangle 36,52 219,203 10,10' \
  -fill '#8cc8f0' -draw 'rectangle 48,64 207,191' \
  -fill '#3c9a50' -draw 'polygon 48,191 104,116 148,170 172,142 207,191' \
  -fill '#ffd23c' -draw 'circle 176,96 190,96' \
  -fill none -stroke '#e83a2e' -strokewidth 10 -draw 'rectangle 84,96 164,160' \
  -fill '#e83a2e' -stroke none -draw 'rectangle 156,152 176,172' \
  huizhan-hotspots-256.png
for s in 16 32 48 64 128; do
  convert huizhan-hotspots-256.png -resize ${s}x${s} huizhan-hotspots-$s.png
done
convert huizhan-hotspots-16.png huizhan-hotspots-32.png huizhan-hotspots-48.png \
  huizhan-hotspots-256.png huizhan-hotspots.ico
