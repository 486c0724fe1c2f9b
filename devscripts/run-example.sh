#!/usr/bin/env bash
# The main job: builds setup.exe, copies the example setup folder (or the
# folder given as $1) to a scratch folder, runs setup.exe there under Wine
# on a virtual screen, and keeps what it showed as screenshots in
# build/screenshots. Installs what is missing first (as root). Where 32-bit
# programs cannot run (or with SETUP_WINE64=1), the x86_64 build runs under
# 64-bit Wine; the first line printed says which.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
example="$(cd "${1:-examples/setup}" && pwd)"

bash devscripts/install-deps.sh
# shellcheck source=devscripts/wine-env.sh
source devscripts/wine-env.sh
wine_choice
cmake --preset "$SETUP_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SETUP_WINDOWS_PRESET" --target setup

shots="$root/build/screenshots"
folder="$root/build/example-run"
rm -rf "$shots" "$folder"
mkdir -p "$shots" "$folder"
cp -r "$example"/. "$folder"/
cp "build/$SETUP_WINDOWS_PRESET/src/setup.exe" "$folder"/
if [ -f "$folder/package.wxs" ]; then
  bash devscripts/make-example-media.sh "$folder"
fi

wine_prefix_ready
bash devscripts/xvfb.sh run bash devscripts/capture-run.sh "$folder" "$shots"
wineserver -k 2>/dev/null || true
echo "screenshots in $shots:"
ls "$shots"
