#!/bin/sh
# Redraws the tip of the day's pictures: the light bulb (23 x 31) on the
# tip's light yellow, and the notification-area icon's menu (270 x 159) with
# its block-list section.
set -e
cd "$(dirname "$0")"
convert -size 23x31 xc:"#FFFFE0" -fill "#f8e040" -stroke "#806010" -draw "circle 11,10 11,2" \
  -draw "polygon 6,15 16,15 14,21 8,21" -stroke none -fill "#fff8b0" -draw "circle 9,8 9,5" \
  -fill "#909090" -stroke "#505050" -draw "rectangle 8,22 14,27" -draw "line 8,24 14,24" \
  -fill "#505050" -draw "rectangle 9,28 13,29" -type TrueColor BMP3:bulb.bmp
convert -size 270x159 xc:"#d4d0c8" -fill none -stroke "#808080" -draw "rectangle 0,0 269,158" \
  -stroke none -fill black -font DejaVu-Sans -pointsize 11 \
  -annotate +22+16 "Show Vandrel" -annotate +22+34 "Start" -annotate +22+52 "Block 100%" \
  -stroke "#808080" -draw "line 4,60 265,60" -stroke none \
  -fill "#0a246a" -draw "rectangle 3,64 266,80" -fill white -annotate +22+76 "Block: Free offers - Internet Explorer" \
  -fill black -annotate +22+94 "Block: Win a prize! - Internet Explorer" \
  -annotate +22+112 "Block: Search - Internet Explorer" \
  -stroke "#808080" -draw "line 4,120 265,120" -stroke none \
  -annotate +22+136 "Erase stuff" -annotate +22+152 "Exit" \
  -fill "#c00000" -draw "polygon 250,66 262,72 250,78" -type TrueColor BMP3:traymenu.bmp
