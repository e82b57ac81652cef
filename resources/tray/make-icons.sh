#!/bin/sh
# Redraws the five notification-area icons: a gauge of four bars that fill
# from the bottom as the browser window limit fills (0 = none open, 4 = full).
set -e
cd "$(dirname "$0")"
frame="#1d3f8f"
for level in 0 1 2 3 4; do
  case $level in 1) fill="#3c9a3c" ;; 2) fill="#b8b820" ;; 3) fill="#e07b20" ;; 4) fill="#d02020" ;; esac
  set -- -size 16x16 xc:none -fill "$frame" -draw "roundrectangle 1,0 14,15 2,2" \
    -fill white -draw "rectangle 3,2 12,13"
  [ "$level" -gt 0 ] && set -- "$@" -fill "$fill" -draw "rectangle 3,$((14 - level * 3)) 12,13"
  convert "$@" -fill "$frame" -draw "line 3,5 12,5" -draw "line 3,8 12,8" -draw "line 3,11 12,11" \
    -define icon:auto-resize=16 "tray$level.ico"
done
