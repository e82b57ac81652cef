#!/usr/bin/env bash
# Shares the Wine prefix's C: drive as \\localhost\NAME, as a share of this
# machine: Wine reaches \\server\share through dosdevices/unc/server/share.
#   make-local-share.sh NAME
set -euo pipefail
# shellcheck source=scripts/wine-env
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env"
mkdir -p "$WINEPREFIX/dosdevices/unc/localhost"
ln -sfn ../../../drive_c "$WINEPREFIX/dosdevices/unc/localhost/${1:?share name}"
