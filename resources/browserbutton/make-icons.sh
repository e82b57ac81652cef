#!/bin/sh
# Redraws the two icons of the browser toolbar button: the program's red
# shield with its white bar, bright for the hot icon (the mouse over the
# button) and muted for the normal one. Each holds a 16 x 16 image and two
# 20 x 20 images, one of 256 colours and one of 32 bits with alpha. Each size
# is drawn on its own pixel grid so that the outline stays sharp.
set -e
cd "$(dirname "$0")"

# shield SIZE TOP BOTTOM: the shield on a transparent square, filled with a
# gradient from TOP to BOTTOM colour, outlined and barred.
shield() {
  s=$1
  left=$((s * 3 / 20)); right=$((s - 1 - s * 3 / 20)); top=$((s / 20))
  shoulder=$((s * 11 / 20)); tip=$((s - 1)); mid=$(((s - 1) / 2))
  outline="polygon $left,$top $right,$top $right,$shoulder $mid,$tip $left,$shoulder"
  [ $((s % 2)) -eq 0 ] && outline="polygon $left,$top $right,$top $right,$shoulder $((mid + 1)),$tip $mid,$tip $left,$shoulder"
  barTop=$((s * 7 / 20)); barBottom=$((barTop + s / 5 - 1))
  convert -size "${s}x$s" "gradient:$2-$3" \
    \( -size "${s}x$s" xc:none -fill white -draw "$outline" \) -compose CopyOpacity -composite \
    -compose Over -fill none -stroke "#202020" -strokewidth 1 -draw "$outline" \
    -fill white -stroke none -draw "rectangle $((left + 2)),$barTop $((right - 2)),$barBottom" \
    "png32:$4"
}

# icon NAME TOP BOTTOM: the three images into NAME.ico.
icon() {
  work=$(mktemp -d)
  shield 16 "$2" "$3" "$work/16.png"
  shield 20 "$2" "$3" "$work/20.png"
  # The 256-colour image has only a mask, no partial transparency.
  convert "$work/16.png" \
    \( "$work/20.png" -channel A -threshold 50% +channel +dither -colors 255 \) \
    "$work/20.png" "$1.ico"
  rm -r "$work"
}

icon hot "#ff7060" "#b01010"
icon normal "#b8a8a8" "#705858"
