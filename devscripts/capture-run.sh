#!/usr/bin/env bash
# Runs setup.exe in the setup folder $1 on the current display, taking a
# screenshot into $2 every half second until it ends (at most two minutes).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
folder="$1"
shots="$2"
cd "$folder"
SETUP_WINE_TIMEOUT=120 "$here/wine-run.sh" setup.exe &
setup=$!
n=0
while kill -0 "$setup" 2>/dev/null && [ "$n" -lt 240 ]; do
  import -window root "$(printf '%s/shot-%03d.png' "$shots" "$n")" 2>/dev/null || true
  n=$((n + 1))
  sleep 0.5
done
wait "$setup" && code=0 || code=$?
echo "setup.exe ended with exit code $code"
