#!/usr/bin/env bash
# The setup's decisions against a fake apt-get on PATH: an update that cannot
# read a lagging suite's list, installs refused or taken, and what the setup
# then installs, pins, says and exits with. Nothing of the machine is touched.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A copy of the setup beside a fake setup-32bit, and fakes of the package tools:
# dpkg-query knows the packages the fake apt-get "installed"; apt-get answers
# each install from a script of answers ($work/answers, one a line: ok or no)
# and logs its arguments and the pins in force at that moment.
mkdir -p "$work/scripts" "$work/bin" "$work/preferences"
cp "$here/../../scripts/setup" "$work/scripts/setup"
printf '#!/bin/sh\necho "setup-32bit ran" >>"%s/log"\n' "$work" >"$work/scripts/setup-32bit"
cat >"$work/bin/apt-get" <<EOF
#!/usr/bin/env bash
if [[ \$1 == update ]]; then
  [[ -f "$work/lagging" ]] || exit 0
  echo "E: Failed to fetch http://mirror/debian-security/dists/\$(cat "$work/lagging")/main/binary-i386/Packages.xz  File has unexpected size" >&2
  exit 100
fi
answer=\$(head -1 "$work/answers"); sed -i 1d "$work/answers"
echo "install \${*: -2} pins:\$(cat "$work"/preferences/* 2>/dev/null | grep -E 'Pin:|Priority' | tr '\n' ' ')" >>"$work/log"
[[ \$answer == ok ]] || { echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100; }
shift; for p in "\$@"; do [[ \$p == -* ]] || echo "\$p" >>"$work/installed"; done
EOF
cat >"$work/bin/dpkg-query" <<EOF
#!/bin/sh
grep -qxF "\$4" "$work/installed" 2>/dev/null && printf 'install ok installed'
EOF
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho " release n=bookworm,l=Debian"; echo " release n=bookworm-security,l=Debian-Security"\n' \
  >"$work/bin/apt-cache"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
# The Japanese locale is there unless a case says it is not.
printf '#!/bin/sh\n[ -f "%s/no-locale" ] || echo ja_JP.utf8\n' "$work" >"$work/bin/locale"
printf '#!/bin/sh\necho "localedef $*" >>"%s/log"\n' "$work" >"$work/bin/localedef"
chmod +x "$work"/bin/* "$work/scripts/"*

# One case: the lagging suite (or none), the install answers, then what must
# hold of the exit code, the log of installs and what the setup said.
run_case() {  # description, lagging suite or "", answers, wanted exit, wanted log, wanted words said[, no-locale]
  rm -f "$work/log" "$work/installed" "$work/lagging" "$work/no-locale"
  [[ ${7:-} == no-locale ]] && touch "$work/no-locale"
  [[ -n $2 ]] && echo "$2" >"$work/lagging"
  tr ' ' '\n' <<<"$3" >"$work/answers"
  local said code log
  said=$(PATH="$work/bin:$PATH" VANDREL_APT_PREFERENCES_DIR="$work/preferences" "$work/scripts/setup" --with-32bit 2>&1)
  code=$?
  log=$(cat "$work/log" 2>/dev/null)
  if [[ $code -ne $4 || "$log" != "$5" || "$said" != *"$6"* || -n $(ls "$work/preferences") ]]; then
    echo "FAIL: $1: exit $code, pins left: $(ls "$work/preferences")"
    echo "log:"; echo "$log"; echo "said:"; echo "$said"
    failures=$((failures + 1))
  fi
}

run_case "a working mirror installs both parts, with no pin" "" "ok ok" 0 "$(printf '%s\n' \
  'install nsis xdotool pins:' \
  'install qemu-user-static wine32:i386 pins:' \
  'setup-32bit ran')" "installing qemu-user-static wine32:i386"

run_case "a machine without the Japanese locale generates it" "" "ok ok" 0 "$(printf '%s\n' \
  'install nsis xdotool pins:' \
  'localedef -i ja_JP -f UTF-8 ja_JP.UTF-8' \
  'install qemu-user-static wine32:i386 pins:' \
  'setup-32bit ran')" "generating the locale ja_JP.UTF-8" no-locale

run_case "a lagging suite's twins are installed again with that suite held below the others" \
  bookworm-security "ok no ok" 0 "$(printf '%s\n' \
    'install nsis xdotool pins:' \
    'install qemu-user-static wine32:i386 pins:' \
    'install qemu-user-static wine32:i386 pins:Pin: release n=bookworm-security Pin-Priority: 100 Pin: release n=bookworm Pin-Priority: 1001 ' \
    'setup-32bit ran')" "bookworm-security was held below the other suites"

run_case "a 32-bit part that cannot be had stops nothing and says why" bookworm-security "ok no no" 0 "$(printf '%s\n' \
  'install nsis xdotool pins:' \
  'install qemu-user-static wine32:i386 pins:' \
  'install qemu-user-static wine32:i386 pins:Pin: release n=bookworm-security Pin-Priority: 100 Pin: release n=bookworm Pin-Priority: 1001 ')" \
  "the 32-bit tests will not run"

run_case "without a lagging suite a refused 32-bit part is not retried" "" "ok no" 0 "$(printf '%s\n' \
  'install nsis xdotool pins:' \
  'install qemu-user-static wine32:i386 pins:')" "cannot be installed"

run_case "the build's packages refused end the setup before the 32-bit part" bookworm-security "no" 1 \
  'install nsis xdotool pins:' "cannot be installed"

[[ $failures -eq 0 ]] && echo "setup: all cases pass"
[[ $failures -eq 0 ]]
