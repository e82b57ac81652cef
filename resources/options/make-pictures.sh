#!/bin/sh
# Redraws the options dialog's pictures: the Test button's loudspeaker (16 x 16).
set -e
cd "$(dirname "$0")"
convert -size 16x16 xc:none -fill "#202020" -draw "polygon 2,6 5,6 9,2 9,13 5,9 2,9" \
  -stroke "#1d3f8f" -fill none -draw "arc 8,4 13,11 -60,60" -draw "arc 8,1 16,14 -60,60" \
  -define icon:auto-resize=16 test.ico
