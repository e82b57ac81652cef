#!/usr/bin/env bash
# Takes the help's screenshots of the program itself: starts
# build/windows/Vandrel.exe under the project's Wine on an Xvfb of its own,
# opens its windows with the mouse and keys (xdotool) and writes the cropped
# pictures into html/. Run from anywhere, after scripts/build windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$here/html"
unset DISPLAY  # the project's own Xvfb, never the user's screen
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

# No tip of the day: it would come before the main window.
"$WINELOADER" reg add 'HKCU\Software\Korvane\Vandrel' /v TOD /d 1 /f >/dev/null 2>&1
"$WINELOADER" "$root/build/windows/Vandrel.exe" >/dev/null 2>&1 &
vandrel=$!
trap 'kill "$vandrel" 2>/dev/null || true' EXIT

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

shoot() {  # window id, picture name
  local x y w h
  # Unmanaged windows overlap in creation order: this one goes on top.
  xdotool mousemove 0 0 windowraise "$1" windowfocus "$1"  # no tooltip in the picture
  sleep 0.7  # let the window paint
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4}
                                   /Width:/{print "w="$2} /Height:/{print "h="$2}')"
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage -colors 64 "PNG8:$out/$2"
  echo "take-screenshots: $2 $(stat -c %s "$out/$2") bytes"
}

click_toolbar() {  # button index, 0 = Block
  local x y
  eval "$(xwininfo -id "$main" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4}')"
  xdotool mousemove $((x + 52 + 98 * $1)) $((y + 70)) click 1
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
eval "$(xwininfo -id "$main" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4}')"
xdotool mousemove $((x + 203)) $((y + 31)) click 1
sleep 0.5
xdotool key a
dialog=$(window_named "About Vandrel")
shoot "$dialog" about.png
xdotool key Return

# Exit, and Yes to the exit question.
xdotool windowfocus "$main" key alt+x
sleep 1
xdotool key Return
wait "$vandrel" || true
