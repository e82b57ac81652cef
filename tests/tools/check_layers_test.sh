#!/usr/bin/env bash
# The layer check against a small source tree written here: what it must let
# through and each kind of include it must report.
set -uo pipefail
check="$(dirname "$0")/../../tools/check-layers"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

source_file() {  # path under src, includes...
  local path="$tree/src/$1"; shift
  mkdir -p "$(dirname "$path")"
  printf '#include %s\n' "$@" >"$path"
}
expect() {  # description, wanted exit code, wanted output (exact)
  local output code
  output=$("$check" "$tree/src"); code=$?
  output=$(grep -v '^check-layers:' <<<"$output")
  if [[ $code -ne $2 || "$output" != "$3" ]]; then
    echo "FAIL: $1: exit $code, output:"; echo "$output"; failures=$((failures + 1))
  fi
  rm -rf "$tree/src"
}

source_file app/Program.h '"options/TForm2.h"' '"platform/Platform.h"' '"resources/ids.h"' '<string>' '<wchar.h>'
source_file eraser/win32/View.cpp '<windows.h>' '"ui/win32/Binder.h"' '"eraser/EraseCommand.h"'
source_file platform/memory/MemoryShell.cpp '"platform/memory/MemoryFiles.h"' '"platform/FullPath.h"'
expect "includes down the order pass" 0 ""

source_file platform/win32/PathLinks.h '"eraser/FullPath.h"'
source_file options/TForm2.cpp '"settings/Settings.h"' '"app/MainWindow.h"'
expect "an include up the order is reported, with its line" 1 "$(printf '%s\n' \
  'options/TForm2.cpp:2: options includes "app/MainWindow.h": app is not below options' \
  'platform/win32/PathLinks.h:1: platform includes "eraser/FullPath.h": eraser is not below platform')"

source_file eraser/EraseCommand.cpp '"blocklist/TitlesFile.h"'
expect "an include sideways is reported" 1 \
  'eraser/EraseCommand.cpp:1: eraser includes "blocklist/TitlesFile.h": blocklist is not below eraser'

source_file monitor/WindowScan.cpp '"monitor/win32/Hook.h"' '<windows.h>' '"platform/memory/MemoryDesktop.h"' \
  '<windowsx.h>' '<WinCrypt.h>' '<winioctl.h>' '<winnt.h>' '<tlhelp32.h>'
expect "portable code including Win32 code or a double is reported" 1 "$(printf '%s\n' \
  'monitor/WindowScan.cpp:1: portable code includes "monitor/win32/Hook.h"' \
  'monitor/WindowScan.cpp:2: portable code includes <windows.h>' \
  'monitor/WindowScan.cpp:3: includes the double "platform/memory/MemoryDesktop.h"' \
  'monitor/WindowScan.cpp:4: portable code includes <windowsx.h>' \
  'monitor/WindowScan.cpp:5: portable code includes <WinCrypt.h>' \
  'monitor/WindowScan.cpp:6: portable code includes <winioctl.h>' \
  'monitor/WindowScan.cpp:7: portable code includes <winnt.h>' \
  'monitor/WindowScan.cpp:8: portable code includes <tlhelp32.h>')"

source_file gadgets/Gadget.h '"platform/Platform.h"'
expect "a folder without a row is reported" 1 "gadgets/Gadget.h:1: the folder gadgets has no row in tools/check-layers"

[[ $failures -eq 0 ]] && echo "check-layers: all cases pass"
[[ $failures -eq 0 ]]
