#!/usr/bin/env bash
# round-trip.sh VANDREL_EXE WORK_FOLDER
# Packs VANDREL_EXE into a setup program and checks, in a fresh Wine prefix
# of the work folder's own: a silent install (files, Start-menu shortcuts,
# the uninstall entry, the Run value and the browser's toolbar button that
# "Register" writes), a second install over the first while Vandrel runs, a
# silent uninstall while Vandrel runs (it is closed; the user's settings and
# block list stay, and so do their copies in the VirtualStore and the erase
# report), an install with /D= onto another program's folder (into a Vandrel
# folder inside it) uninstalled with /REMOVESETTINGS after Vandrel.exe was
# deleted, a save left a temporary beside it and the report's folder became
# a link (nothing of Vandrel stays, all of the other program does, and so do
# the files the link leads to), and an uninstall with /REMOVESETTINGS that
# removes the copies and the report too, but another program's file there.
set -uo pipefail
exe=$1
work=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
setup="$work/VandrelSetup.exe"
# How much longer the waits may take: the 32-bit run is emulated.
scale=${VANDREL_E2E_TIME_SCALE:-1}

rm -rf "$work"
mkdir -p "$work"
"$root/scripts/package" "$exe" "$setup" || exit 1

unset DISPLAY  # the project's own Xvfb
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env" || exit 1
# A prefix of this test's own, with its own wineserver, ended at the end.
export WINEPREFIX="$work/prefix"
cp -a "$VANDREL_WINE_DIR/template" "$WINEPREFIX" || exit 1
server=/usr/lib/wine/wineserver64
running_vandrel=""
finish() {
  [[ -n "$running_vandrel" ]] && kill "$running_vandrel" 2>/dev/null
  "$server" -k 2>/dev/null
  timeout $((10 * scale)) "$server" -w 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap finish EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# Wine's own messages go to a log, shown when a step fails.
wine_log="$work/wine.log"
wine() { "$WINELOADER" "$@" </dev/null 2>>"$wine_log" | tr -d '\r'; }

drive="$WINEPREFIX/drive_c"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Vandrel"
install_folder() {  # the folder Vandrel is expected in, as Windows names it (on C:)
  windows_folder=$1
  local on_c=${1#C:\\}
  folder="$drive/${on_c//\\//}"
  installed="$1\\Vandrel.exe"
}
# The 32-bit setup installs as a 32-bit program does on 64-bit Windows: into
# Program Files (x86), with its uninstall entry in the 32-bit registry view.
if x86_64-w64-mingw32-objdump -f "$exe" | grep -q 'pei-i386'; then
  program_files='C:\Program Files (x86)' machine_view=/reg:32
else
  program_files='C:\Program Files' machine_view=/reg:64
fi
install_folder "$program_files\Vandrel"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vandrel'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\Korvane\Vandrel'

view_of() { [[ $1 == HKLM* ]] && echo "$machine_view"; }  # the user's keys are shared by both views
value_of() {  # key, value name: the data, or nothing when absent
  # One read of a value that the install had written once came back empty
  # while the reads before and after it found theirs: each read is a Wine
  # process of its own, started while the prefix's server may be ending.
  # An empty answer is asked again once, so only a value really absent is.
  local data attempt
  for attempt in 1 2; do
    # shellcheck disable=SC2046 # no view is no argument
    data=$(wine reg query "$1" /v "$2" $(view_of "$1") | sed -n "s/^    $2    REG_[A-Z_]*    //p")
    [[ -n "$data" || $attempt == 2 ]] && break
    echo "value_of: no answer for $1 $2, asking again" >>"$wine_log"
    sleep 1
  done
  printf '%s\n' "$data"
}
# shellcheck disable=SC2046
key_exists() { "$WINELOADER" reg query "$1" $(view_of "$1") </dev/null >/dev/null 2>&1; }
# The browser is a 32-bit program: its toolbar buttons live in the 32-bit view.
buttons_key='HKLM\Software\IE5Tools\ToolBar Buttons'
extensions_key='HKLM\Software\Microsoft\Internet Explorer\Extensions'
button_record() { wine reg query "$buttons_key" /v 'P&&ZAVO' /reg:32 | sed -n 's/^    P&&ZAVO    REG_SZ    //p'; }
button_key_exists() { "$WINELOADER" reg query "$extensions_key\\$1" /reg:32 </dev/null >/dev/null 2>&1; }
expect_value() {  # key, name, data
  local found
  found=$(value_of "$1" "$2")
  [[ "$found" == "$3" ]] || fail "$1 $2 is '$found', not '$3'"
}
vandrel_window() { xdotool search --onlyvisible --name '^Vandrel$' 2>/dev/null | head -1; }
start_vandrel() {
  "$WINELOADER" "$installed" </dev/null >/dev/null 2>>"$wine_log" &
  running_vandrel=$!
  for _ in $(seq $((150 * scale))); do
    [[ -n "$(vandrel_window)" ]] && return 0
    sleep 0.1
  done
  fail "the installed Vandrel showed no window"
}
expect_vandrel_closed() {  # what closed it
  local _
  for _ in $(seq $((50 * scale))); do  # the process may still be on its way out
    kill -0 "$running_vandrel" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$running_vandrel" 2>/dev/null; then
    fail "$1 left Vandrel running"
  fi
  [[ -z "$(vandrel_window)" ]] || fail "$1 left a Vandrel window"
  running_vandrel=""
}
# The uninstaller runs on from a copy of itself in the temporary folder:
# its end is the end of the prefix's last process.
wait_for_prefix() {
  timeout $((60 * scale)) "$server" -w && return 0
  fail "the prefix's programs did not end"
  show_prefix_processes
}
show_prefix_processes() {  # what still runs, and what Wine said
  local process
  echo "still running in the prefix:"
  for process in /proc/[0-9]*; do
    grep -qzx "WINEPREFIX=$WINEPREFIX" "$process/environ" 2>/dev/null &&
      echo "  ${process#/proc/}: $(tr '\0' ' ' <"$process/cmdline")"
  done
  echo "windows shown:"
  local window
  for window in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    echo "  $window: $(xdotool getwindowname "$window" 2>/dev/null)"
  done
  echo "Wine's last messages:"
  tail -n 40 "$wine_log" | sed 's/^/  /'
}

# The user's data that Windows keeps outside the program's folder, planted
# as it leaves it (Wine has no VirtualStore): the copies of the lists and of
# a save's temporary made for the unelevated 32-bit exe, and the erase report.
shell_folder() { realpath -m "$(wine winepath -u "$(value_of 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' "$1")")"; }
virtual_store="$(shell_folder 'Local AppData')/VirtualStore/${folder#"$drive"/}"
report_folder="$(shell_folder AppData)/Vandrel"
[[ $virtual_store == /?*/VirtualStore/* && $report_folder == /?*/Vandrel ]] || { fail "no application data folders"; exit 1; }
user_files=("$virtual_store/"{titles.dat,allowed.dat,vdl7C.tmp} "$report_folder/"{erase-report.txt,vdl3e0.tmp})
plant_user_data() {
  mkdir -p "$virtual_store" "$report_folder"
  local file
  for file in "${user_files[@]}" "$virtual_store/notes.txt"; do echo "${file##*/}" >"$file"; done
}
expect_user_data() {  # kept or gone, after what
  local file
  for file in "${user_files[@]}"; do
    [[ $1 == kept && -f $file || $1 == gone && ! -e $file ]] || fail "$2: ${file#"$drive"/} is not $1"
  done
  [[ -f "$virtual_store/notes.txt" ]] || fail "$2 removed another program's file beside the lists"
}

expect_installed() {  # when
  local file
  for file in Vandrel.exe help.chm Pop.wav uninstall.exe; do
    [[ -s "$folder/$file" ]] || fail "$1: $file is not installed"
  done
  cmp -s "$exe" "$folder/Vandrel.exe" || fail "$1: the installed Vandrel.exe is not the packed one"
  for link in "Vandrel.lnk" "Vandrel Help.lnk" "Uninstall Vandrel.lnk"; do
    [[ -s "$menu/$link" ]] || fail "$1: no Start-menu shortcut $link"
  done
  expect_value "$uninstall_key" DisplayName "Vandrel"
  expect_value "$uninstall_key" UninstallString "\"$windows_folder\\uninstall.exe\""
  expect_value "$uninstall_key" DisplayVersion "7.0.5"
  expect_value "$uninstall_key" Publisher "Korvane"
  expect_value "$uninstall_key" NoModify "0x1"
  expect_value "$uninstall_key" NoRepair "0x1"
  expect_value "$run_key" Vandrel "\"$installed\" Minimize"
  button=$(button_record)
  [[ -n "$button" ]] && button_key_exists "$button" || fail "$1: no toolbar button ('$button')"
}

expect_program_gone() {  # when
  local file
  for file in Vandrel.exe help.chm Pop.wav uninstall.exe; do
    [[ ! -e "$folder/$file" ]] || fail "$1: $file is still there"
  done
  [[ ! -e "$menu" ]] || fail "$1: the Start-menu folder is still there"
  ! key_exists "$uninstall_key" || fail "$1: the uninstall entry is still there"
  [[ -z "$(value_of "$run_key" Vandrel)" ]] || fail "$1: the Run value is still there (Unregister did not run)"
  [[ -z "$(button_record)" ]] || fail "$1: the toolbar button's record is still there"
  ! button_key_exists "$button" || fail "$1: the toolbar button $button is still there"
}

echo "== silent install"
wine "$setup" /S || fail "the setup ended with an error"
expect_installed "first install"

echo "== install again while Vandrel runs"
# No tip of the day, which would hold the start-up.
wine reg add "$settings_key" /v TOD /d 1 /f >/dev/null
start_vandrel
wine "$setup" /S || fail "the second setup ended with an error"
expect_vandrel_closed "the second install"
expect_installed "second install"

echo "== silent uninstall while Vandrel runs"
plant_user_data
start_vandrel
wine "$folder/uninstall.exe" /S
wait_for_prefix
expect_vandrel_closed "the uninstall"
expect_program_gone "uninstall"
[[ -f "$folder/titles.dat" ]] || fail "the block list written by the closed Vandrel was not kept"
[[ "$(value_of "$settings_key" TOD)" == 1 ]] || fail "the settings were not kept"
expect_user_data kept "the silent uninstall"

echo "== install onto another program's folder, uninstall without Vandrel.exe, with /REMOVESETTINGS"
other="$drive/Other"
others_files=(help.chm uninstall.exe)
mkdir -p "$other"
for file in "${others_files[@]}"; do echo "the other program's $file" >"$other/$file"; done
expect_other_kept() {  # after what
  local file
  for file in "${others_files[@]}"; do
    cmp -s "$other/$file" <(echo "the other program's $file") ||
      fail "$1 overwrote or deleted the other program's $file"
  done
}
install_folder 'C:\Other\Vandrel'
wine "$setup" /S '/D=C:\Other' || fail "the third setup ended with an error"
expect_installed "install onto another program's folder"
expect_other_kept "the install"
# A save cut off before its rename, the always-allowed list a user kept,
# and the exe taken by a virus scanner.
: >"$folder/vdl1A2.tmp"
printf 'the always-allowed list' >"$folder/allowed.dat"
rm "$folder/Vandrel.exe"
# The report's folder made a link to another folder, which keeps its files.
mv "$report_folder" "$work/linked" && ln -s "$work/linked" "$report_folder"
wine "$folder/uninstall.exe" /S /REMOVESETTINGS
wait_for_prefix
[[ -f "$work/linked/erase-report.txt" ]] || fail "the uninstall deleted in a folder that a link leads to"
rm "$report_folder"
expect_program_gone "uninstall without Vandrel.exe"
[[ ! -e "$folder" ]] || fail "the program's folder is still there: $(ls "$folder")"
expect_other_kept "the uninstall"
! key_exists "$settings_key" || fail "the settings key is still there"
! key_exists 'HKCU\Software\Korvane' || fail "the maker's empty key is still there"

echo "== install, uninstall with /REMOVESETTINGS: the user's data goes wherever Windows keeps it"
install_folder "$program_files\Vandrel"
wine "$setup" /S || fail "the fourth setup ended with an error"
plant_user_data
wine "$folder/uninstall.exe" /S /REMOVESETTINGS
wait_for_prefix
[[ ! -e "$folder" ]] || fail "the program's folder is still there: $(ls "$folder")"
expect_user_data gone "the uninstall with /REMOVESETTINGS"
[[ ! -e "$report_folder" ]] || fail "the erase report's folder is still there: $(ls "$report_folder")"

echo "round trip: $failures failure(s)"
[[ $failures -eq 0 ]]
