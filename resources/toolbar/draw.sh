#!/bin/sh
# Draws the toolbar image strips: eleven 32 x 32 pictures side by side on
# magenta, the colour the image lists mask out.
# Usage: draw.sh cold 85,70 ; draw.sh hot 110,130  (name, brightness,saturation)
bg=none
mk() { convert +antialias -size 32x32 xc:$bg "$@" PNG24:- ; }
d=$(mktemp -d)
# 0 Block: red shield with white bar
mk -fill '#c02020' -stroke black -draw "polygon 6,4 26,4 26,16 16,29 6,16" -fill white -stroke none -draw "rectangle 10,13 22,17" > $d/00.png
# 1 Block list: page with lines
mk -fill white -stroke black -draw "rectangle 7,3 25,28" -stroke '#2050c0' -strokewidth 2 -draw "line 10,9 22,9" -draw "line 10,14 22,14" -draw "line 10,19 22,19" -draw "line 10,24 18,24" > $d/01.png
# 2 Erase: pink eraser block tilted
mk -fill '#f080a0' -stroke black -draw "polygon 4,20 16,8 28,16 16,28" -fill '#4060d0' -draw "polygon 4,20 10,14 22,22 16,28" > $d/02.png
# 3 Options: gear-like circle
mk -fill '#808080' -stroke black -draw "circle 16,16 16,4" -fill '#d0d0d0' -draw "circle 16,16 16,10" -fill "#909090" -stroke black -draw "circle 16,16 16,13" > $d/03.png
# 4 Exit: door with arrow
mk -fill '#a06020' -stroke black -draw "rectangle 5,3 19,29" -fill '#20a020' -stroke none -draw "polygon 14,13 22,13 22,8 30,16 22,24 22,19 14,19" > $d/04.png
# 5 Unblock: green shield with tick
mk -fill '#20a040' -stroke black -draw "polygon 6,4 26,4 26,16 16,29 6,16" -stroke white -strokewidth 3 -fill none -draw "polyline 10,15 15,20 22,10" > $d/05.png
# 6 Help: blue circle with question mark
mk -fill '#2060d0' -stroke black -draw "circle 16,16 16,3" -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 20 -gravity center -annotate +0+1 "?" > $d/06.png
# 7 Go to URL: globe
mk -fill '#40a0e0' -stroke black -draw "circle 16,16 16,3" -fill none -stroke '#106030' -strokewidth 2 -draw "ellipse 16,16 6,13 0,360" -draw "line 3,16 29,16" > $d/07.png
# 8 Block 100%: red shield with 100
mk -fill '#c02020' -stroke black -draw "polygon 3,3 29,3 29,17 16,30 3,17" -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 11 -gravity center -annotate +0-2 "100" > $d/08.png
# 9 Unblock 100%: green shield with 100
mk -fill '#20a040' -stroke black -draw "polygon 3,3 29,3 29,17 16,30 3,17" -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 11 -gravity center -annotate +0-2 "100" > $d/09.png
# 10 Flash Ads: yellow lightning on dark film
mk -fill '#303030' -stroke black -draw "rectangle 3,6 29,26" -fill '#ffd020' -stroke none -draw "polygon 18,7 9,18 15,18 12,26 23,13 17,13 20,7" > $d/10.png
convert $d/*.png +append -modulate $2 -background magenta -alpha remove -alpha off -type TrueColor BMP3:$1.bmp
rm -r $d
