#!/usr/bin/env bash
# The import check against objdump texts written here: what it must let
# through and each kind of import it must report.
set -uo pipefail
check="$(dirname "$0")/../../tools/check-imports"
failures=0

dump() {  # dll, names... as `objdump -p` prints an import table
  printf '\tDLL Name: %s\n\tvma:  Hint/Ord Member-Name Bound-To\n' "$1"; shift
  local name
  for name in "$@"; do printf '\t316d0\t   20  %s\n' "$name"; done
  printf '\n'
}
expect() {  # description, wanted exit code, wanted output (exact), arch, dump
  local output code
  output=$("$check" --dump "$4" <<<"$5"); code=$?
  if [[ $code -ne $2 || "$output" != "$3" ]]; then
    echo "FAIL: $1: exit $code, output:"; echo "$output"; failures=$((failures + 1))
  fi
}

expect "XP imports pass" 0 "" x86_64 "$(dump KERNEL32.dll CloseHandle MoveFileExA; dump USER32.dll MessageBoxA)"
expect "an NT 6 function is reported" 1 "stdin: not exported by NT 5.x kernel32: GetTickCount64" \
  x86_64 "$(dump KERNEL32.dll CloseHandle GetTickCount64)"
expect "a DLL of no system is reported" 1 "stdin: not a system DLL of NT 5.x: libwinpthread-1.dll" \
  x86_64 "$(dump libwinpthread-1.dll pthread_mutex_lock; dump KERNEL32.dll CloseHandle)"
expect "an export of the other architecture is reported" 1 \
  "stdin: not exported by NT 5.x kernel32: InterlockedCompareExchange" \
  x86_64 "$(dump KERNEL32.dll InterlockedCompareExchange)"
expect "the same export passes on its own architecture" 0 "" i386 "$(dump KERNEL32.dll InterlockedCompareExchange)"
expect "an export by ordinal only cannot be imported by name" 1 "stdin: not exported by NT 5.x comctl32: Alloc" \
  i386 "$(dump COMCTL32.dll Alloc)"
expect "every offence is listed, in every DLL" 1 "$(printf '%s\n' \
  'stdin: not exported by NT 5.x kernel32: GetTickCount64' \
  'stdin: not exported by NT 5.x user32: GetDpiForWindow')" \
  x86_64 "$(dump KERNEL32.dll GetTickCount64; dump USER32.dll MessageBoxA GetDpiForWindow)"
expect "a text without imports fails" 1 "stdin: no imports found" x86_64 "nothing here"

[[ $failures -eq 0 ]] && echo "check-imports: all cases pass"
[[ $failures -eq 0 ]]
