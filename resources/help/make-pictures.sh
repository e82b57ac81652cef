#!/bin/sh
# Makes every picture of the help and the tip of the day anew: draws the
# light bulb (23 x 31) on the tip's light yellow, then takes the screenshots
# of the program (take-screenshots.sh), the tray icon's menu among them.
# Run after scripts/build windows-tests.
set -e
cd "$(dirname "$0")"
convert -size 23x31 xc:"#FFFFE0" -fill "#f8e040" -stroke "#806010" -draw "circle 11,10 11,2" \
  -draw "polygon 6,15 16,15 14,21 8,21" -stroke none -fill "#fff8b0" -draw "circle 9,8 9,5" \
  -fill "#909090" -stroke "#505050" -draw "rectangle 8,22 14,27" -draw "line 8,24 14,24" \
  -fill "#505050" -draw "rectangle 9,28 13,29" -type TrueColor BMP3:bulb.bmp
./take-screenshots.sh
