#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, with a time
# limit, with the Wine devscripts/wine-env.sh chooses. Used by CTest as the
# cross-compiling emulator and by the scripts. SETUP_WINE_TIMEOUT (seconds,
# default 120) bounds the run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=devscripts/wine-env.sh
source "$here/wine-env.sh"
wine_prefix_ready
exec timeout --kill-after=5 "${SETUP_WINE_TIMEOUT:-120}" "$SETUP_WINE" "$@"
