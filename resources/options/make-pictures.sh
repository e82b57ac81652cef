#!/bin/sh
# Redraws the options dialog's pictures: the Test button's loudspeaker (16 x 16),
# the Messenger page's state pictures and its signboard.
set -e
cd "$(dirname "$0")"
convert -size 16x16 xc:none -fill "#202020" -draw "polygon 2,6 5,6 9,2 9,13 5,9 2,9" \
  -stroke "#1d3f8f" -fill none -draw "arc 8,4 13,11 -60,60" -draw "arc 8,1 16,14 -60,60" \
  -define icon:auto-resize=16 test.ico
# The Messenger page's state pictures (32 x 32): a traffic light on green,
# amber or red, an hourglass while the state changes, and "Error".
light() {  # file, which lamp is lit (0 top red, 1 amber, 2 green), its colour
  convert -size 32x32 xc:none -fill "#303030" -draw "roundrectangle 9,1 22,30 3,3" \
    -fill "$( [ "$2" = 0 ] && echo "$3" || echo '#5a2020')" -draw "circle 15.5,7 15.5,3" \
    -fill "$( [ "$2" = 1 ] && echo "$3" || echo '#5a4a10')" -draw "circle 15.5,15.5 15.5,11.5" \
    -fill "$( [ "$2" = 2 ] && echo "$3" || echo '#1a4a1a')" -draw "circle 15.5,24 15.5,20" \
    -define icon:auto-resize=32 "$1"
}
light running.ico 2 "#30e030"
light paused.ico 1 "#f0c020"
light stopped.ico 0 "#f03030"
convert -size 32x32 xc:none -fill "#8a5a20" -draw "rectangle 7,2 24,4" -draw "rectangle 7,27 24,29" \
  -fill "#e0c080" -stroke "#604010" -draw "polygon 9,5 22,5 16,16 22,26 9,26 15,16" \
  -stroke none -fill "#c09030" -draw "polygon 11,24 20,24 15.5,18" -define icon:auto-resize=32 changing.ico
convert -size 32x32 xc:none -fill "#e01010" -font DejaVu-Sans-Bold -pointsize 10 -gravity center \
  -annotate +0+0 "Error" -define icon:auto-resize=32 unavailable.ico
# The signboard (116 x 80) that stops and disables the service when clicked.
convert -size 116x80 xc:"#f4f0d8" -fill none -stroke "#8a2020" -strokewidth 3 -draw "rectangle 1,1 114,78" \
  -stroke none -fill "#8a2020" -font DejaVu-Sans-Bold -pointsize 11 -gravity north -annotate +0+8 "STOP" \
  -fill "#202020" -font DejaVu-Sans -pointsize 9 -annotate +0+26 "Messenger spam!" \
  -fill "#1d3f8f" -annotate +0+46 "Click here to stop" -annotate +0+58 "and disable it" \
  -type TrueColor BMP3:signboard.bmp
