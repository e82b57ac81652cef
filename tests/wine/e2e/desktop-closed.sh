#!/usr/bin/env bash
# Wine closes a desktop under a running program when its desktop process
# ends a thread while that program, with a single thread, is the only other
# one on it. Here Vandrel is alone on the desktop; a helper makes one call
# to the shell's list of browser windows and ends, and the desktop process's
# worker that served it ends some seconds later. The desktop loses its name
# and its process; Vandrel's windows stay on it, unseen by every program
# started since. Vandrel must end as at the end of a session, its block list
# written back (sorted), rather than run on with no scan; also when the
# desktop is closed while the tip of the first start is up, before any
# other window exists.
#   desktop-closed.sh VANDREL_EXE ASKER_EXE
# Exits 77 (skipped) when Wine did not close the desktop, or when its desktop
# process does not serve the list: once a desktop process that served it has
# ended, the next one often cannot register the list again until the
# wineserver restarts, so Vandrel starts first in a new server session.
set -uo pipefail
# shellcheck source=scripts/wine-env
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env"
exe=${1:?Vandrel.exe} asker=${2:?shell_windows_asker.exe}
titles="$(dirname "$exe")/titles.dat"
wine=/usr/lib/wine/wine64

# The block list file's plain layout: each byte XOR 0xC5 and inverted, CR LF after each entry.
scrambled() {
  local entry i code
  for entry in "$@"; do
    for ((i = 0; i < ${#entry}; i++)); do
      printf -v code '%d' "'${entry:i:1}"
      printf "\\$(printf '%03o' $(((~(code ^ 0xC5)) & 0xFF)))"
    done
    printf '\r\n'
  done
}
look() { "$wine" "$asker" look 2>/dev/null | tr -d '\r'; }
running() { kill -0 "$vandrel" 2>/dev/null; }

vandrel=""
# The block list file stays as Vandrel wrote it, as on a user's machine.
trap '[[ -n "$vandrel" ]] && running && kill "$vandrel"' EXIT

# One round: Vandrel alone on a new desktop, its About box open or not (a
# box runs a loop of its own), or its tip of the first start, then the call
# that makes Wine close it.
closed_round() {  # "", "about" or "tip"
  # The last program's desktop ended after it, and the next desktop process
  # often does not serve the list: Vandrel starts first in a new server session.
  vandrel_wine_restart_server
  scrambled zeta alpha >"$titles"
  if [[ "$1" == tip ]]; then
    "$wine" reg delete 'HKCU\Software\Korvane\Vandrel' /v TOD /f >/dev/null 2>&1
  else
    "$wine" reg add 'HKCU\Software\Korvane\Vandrel' /v TOD /d 1 /f >/dev/null 2>&1
  fi
  "$wine" "$exe" >/dev/null 2>&1 &
  vandrel=$!
  local before="" owner windows tips after i
  for ((i = 0; i < 60; i++)); do
    read -r owner windows tips < <(look)
    [[ "$1" == tip && "${tips:-0}" == 1 || "$1" != tip && "${windows:-0}" == 1 ]] && before=$owner && break
    sleep 0.5
  done
  [[ -n "$before" ]] || { echo "FAIL: no ${1:-main} window"; exit 1; }
  if [[ "$1" == about ]]; then
    "$wine" "$asker" "$1" || { echo "FAIL: the About box was not asked for"; exit 1; }
    sleep 1
  fi
  if ! "$wine" "$asker" ask; then
    echo "SKIP: the desktop process does not serve the shell's list of browser windows"
    exit 77
  fi
  for ((i = 0; i < 40; i++)); do running && sleep 0.5; done
  read -r after windows tips < <(look)
  if [[ "$after" == "$before" ]]; then
    echo "SKIP: Wine did not close the desktop (its owner is still $before)"
    exit 77
  fi
  running && { echo "FAIL: the desktop was closed and Vandrel still runs on it${1:+ with its $1 box open}"; exit 1; }
  cmp -s "$titles" <(scrambled alpha zeta) || { echo "FAIL: the block list was not written back${1:+ ($1 box open)}"; exit 1; }
}
closed_round ""
closed_round about
closed_round tip
echo "PASS: the desktop was closed, and Vandrel ended and wrote its block list, also with its About box or its tip open"
