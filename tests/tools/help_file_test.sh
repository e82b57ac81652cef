#!/usr/bin/env bash
# The help as the build compiles it from its pages: the viewer gets an index
# and a full-text search, every page is in the contents, and every page of
# the contents is compiled in and can be found in the index.
set -uo pipefail
pages="$(cd "$(dirname "$0")/../../resources/help/html" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$pages"/. "$work"
if ! (cd "$work" && chmcmd --no-html-scan help.hhp >"$work/compile.log" 2>&1); then
  echo "FAIL: chmcmd did not compile the help:"; cat "$work/compile.log"; exit 1
fi
chm="$work/help.chm"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# #SYSTEM: a version number, then records of a 16-bit code, a 16-bit length
# and the data. Code 1 names the index file; the record of code 4 holds the
# full-text search flag as its third 32-bit number.
chmls extract "$chm" /#SYSTEM "$work/system" >/dev/null 2>&1
mapfile -t byte < <(od -An -v -tu1 "$work/system" | tr -s ' ' '\n' | sed '/^$/d')
index_file="" full_text=""
for ((at = 4; at + 4 <= ${#byte[@]}; at += 4 + length)); do
  code=$((byte[at] | byte[at + 1] << 8)) length=$((byte[at + 2] | byte[at + 3] << 8))
  data=$((at + 4))
  if ((code == 1)); then
    index_file=""
    for ((i = data; i < data + length && byte[i] != 0; i++)); do index_file+=$(printf "\\$(printf %03o "${byte[i]}")"); done
  elif ((code == 4 && length >= 12)); then
    full_text=$((byte[data + 8] | byte[data + 9] << 8 | byte[data + 10] << 16 | byte[data + 11] << 24))
  fi
done
[[ "$index_file" == index.hhk ]] || fail "#SYSTEM names the index file '$index_file', not index.hhk"
[[ "$full_text" == 1 ]] || fail "#SYSTEM's full-text search flag is '$full_text', not 1"

# The binary index and the search's word index, with content.
# shellcheck disable=SC2016  # the names hold a literal $
for file in '/$WWKeywordLinks/BTree' '/$FIftiMain'; do
  size=$(chmls list "$chm" 2>/dev/null | awk -v name="$file" '$4 == name { print $3 }')
  [[ "${size:-0}" -gt 0 ]] || fail "the help has no $file"
done

locals() {  # a sitemap file: its pages, without anchors, one a line, sorted
  grep -io 'name="Local" value="[^"#]*' "$1" | sed 's/.*value="//' | sort -u
}
chmls extracttoc "$chm" "$work/toc.txt" >/dev/null 2>&1
chmls extractindex "$chm" "$work/index.txt" >/dev/null 2>&1
(cd "$pages" && ls -- *.htm) | sort >"$work/pages.txt"
locals "$work/toc.txt" >"$work/contents.txt"
locals "$work/index.txt" >"$work/indexed.txt"
chmls -n list "$chm" 2>/dev/null | sed -n 's#^/##p' | sort >"$work/compiled.txt"
[[ -s "$work/contents.txt" ]] || fail "the contents lists no page"
for page in $(comm -23 "$work/contents.txt" "$work/compiled.txt"); do fail "$page of the contents is not in the help"; done
for page in $(comm -23 "$work/pages.txt" "$work/contents.txt"); do fail "$page is not in the contents"; done
for page in $(comm -23 "$work/contents.txt" "$work/indexed.txt"); do fail "$page of the contents is not in the index"; done

[[ $failures -eq 0 ]] && echo "help file: index, search and contents pass"
[[ $failures -eq 0 ]]
