#!/usr/bin/env bash
# Fails when a link in the Wine prefix's C: drive leads outside the project's
# Wine folder: a prefix booted with the real home links the user folders to
# it, and an eraser test would then erase the developer's own files. Boots
# the prefix first when there is none yet.
set -euo pipefail
# shellcheck source=scripts/wine-env
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
wine_dir=$(realpath "$VANDREL_WINE_DIR")
drive="$WINEPREFIX/drive_c"
[[ -d "$drive" ]] || { echo "prefix-guard: no prefix at $drive" >&2; exit 1; }
bad=0
while IFS= read -r -d '' link; do
  target=$(realpath -m "$link")
  if [[ "$target" != "$wine_dir"/* ]]; then
    echo "prefix-guard: $link -> $target lies outside the project's Wine folder" >&2
    bad=1
  fi
done < <(find "$drive" -type l -print0)
exit "$bad"
