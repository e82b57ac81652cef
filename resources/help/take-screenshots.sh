#!/usr/bin/env bash
# Takes the help's screenshots of the program itself: starts
# build/windows/Vandrel.exe under the project's Wine on an Xvfb of its own,
# opens its windows with the mouse and keys (xdotool) and writes the cropped
# pictures into html/, and the tray icon's menu over two browser windows
# (the tests' popup_helper.exe) as the tip of the day's traymenu.bmp. Run
# from anywhere, after scripts/build windows-tests (make-pictures.sh runs it).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$here/html"
helper="$root/build/windows-tests/tests/wine/helpers/popup_helper.exe"
# Wine draws the caption buttons with its Marlett font; without it they read
# "0 1 r". Debian ships Wine's fonts apart (fonts-wine, which scripts/setup
# installs), and this Wine 8 does not take Marlett from that package's folder,
# only from the prefix's Fonts folder, which the prefix's boot leaves empty:
# the font goes there.
marlett=/usr/share/wine/fonts/marlett.ttf
[[ -f "$marlett" ]] || { echo "take-screenshots: no $marlett: run scripts/setup (fonts-wine)" >&2; exit 1; }
[[ -f "$helper" ]] || { echo "take-screenshots: no $helper: run scripts/build windows-tests" >&2; exit 1; }
unset DISPLAY  # the project's own Xvfb, never the user's screen
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"

# No tip of the day: it would come before the main window.
"$WINELOADER" reg add 'HKCU\Software\Korvane\Vandrel' /v TOD /d 1 /f >/dev/null 2>&1
"$WINELOADER" "$root/build/windows/Vandrel.exe" >/dev/null 2>&1 &
vandrel=$!
browsers=""
trap 'kill $vandrel $browsers 2>/dev/null || true' EXIT

window_named() {  # title, window to leave out; the visible window's id
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      [[ "$id" != "${2:-}" ]] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  echo "take-screenshots: no window \"$1\"" >&2
  return 1
}

geometry() {  # window id; sets x, y, w, h
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4}
                                   /Width:/{print "w="$2} /Height:/{print "h="$2}')"
}

grab() {  # window id, picture file with ImageMagick's format prefix, further options
  local x y w h file=$2
  geometry "$1"
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "${@:3}" "$file"
  echo "take-screenshots: ${file#*:} $(stat -c %s "${file#*:}") bytes"
}

shoot() {  # window id, picture name in html/
  # Unmanaged windows overlap in creation order: this one goes on top.
  xdotool mousemove 0 0 windowraise "$1" windowfocus "$1"  # no tooltip in the picture
  sleep 0.7  # let the window paint
  grab "$1" "PNG8:$out/$2" -colors 64
}

click_toolbar() {  # button index, 0 = Block
  local x y w h
  geometry "$main"
  xdotool mousemove $((x + 52 + 98 * $1)) $((y + 70)) click 1
}

mapped_windows() {  # the ids of the screen's mapped top-level windows
  xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}' | while read -r id; do
    if xwininfo -id "$id" | grep -q "Map State: IsViewable"; then echo "$id"; fi
  done | sort
}

main=$(window_named Vandrel)
shoot "$main" mainwindow.png

click_toolbar 2
dialog=$(window_named "Add title to the block list")
shoot "$dialog" blocklist.png
xdotool key Escape

click_toolbar 4
dialog=$(window_named Options)
xdotool key alt+r  # the Eraser page
shoot "$dialog" options-eraser.png
xdotool key Escape

click_toolbar 6
dialog=$(window_named Vandrel "$main")
shoot "$dialog" richmedia.png
xdotool key alt+c  # its "&Close", which tells when the changes take effect
sleep 1
xdotool key Return

# The Help menu, then its About.
geometry "$main"
xdotool mousemove $((x + 203)) $((y + 31)) click 1
sleep 0.5
xdotool key a
dialog=$(window_named "About Vandrel")
shoot "$dialog" about.png
xdotool key Return

# The tray icon's menu while browser windows are open, the first title
# selected: what the tip tells to do. The windows lie below the tray's.
suffix=" - Microsoft Internet Explorer"
"$WINELOADER" "$helper" --report 'C:\windows\temp\take-screenshots.txt' \
  --window IEFrame "Free offers$suffix" m --window IEFrame "Win a prize!$suffix" m >/dev/null 2>&1 &
browsers=$!
window_named "Win a prize!$suffix" >/dev/null
tray=$(window_named "Wine System Tray")
xdotool windowraise "$tray"
before=$(mapped_windows)
geometry "$tray"
xdotool mousemove $((x + 12)) $((y + h - 13)) click 3  # the first icon, below the tray's caption
menu=""
for _ in $(seq 50); do
  menu=$(comm -13 <(echo "$before") <(mapped_windows) | head -1)
  [[ -n "$menu" ]] && break
  sleep 0.1
done
[[ -n "$menu" ]] || { echo "take-screenshots: the tray icon showed no menu" >&2; exit 1; }
# The menu follows the mouse; keys would go to the window that X has
# focused, not to the menu. The first title's row at 96 DPI: below the
# header's row and the separator.
geometry "$menu"
xdotool mousemove $((x + w / 2)) $((y + 37))
sleep 0.5
grab "$menu" "BMP3:$here/traymenu.bmp" -type TrueColor
# A click outside closes the menu: the keys go to the window X has focused.
xdotool mousemove 1270 1010 click 1
sleep 0.5
kill "$browsers" 2>/dev/null || true

# Exit, and Yes to the exit question. A click: after the menu the main
# window is no longer active, and its Alt keys do nothing.
click_toolbar 7
sleep 1
xdotool key Return
wait "$vandrel" || true
