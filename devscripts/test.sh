#!/usr/bin/env bash
# Runs every test: the unit tests on the simulated machine (plain and with
# AddressSanitizer and UBSan), a short run of each fuzz target, then the
# Windows build's tests under Wine and Xvfb. Installs what is missing first
# (as root). Works without a display.
#
# Both Windows builds are made and their imports and manifests checked; the
# Wine suites run for the build that the machine's Wine can run: i686 under
# 32-bit Wine where 32-bit programs run, x86_64 under 64-bit Wine where they
# do not or when SETUP_WINE64=1 asks for it (devscripts/wine-env.sh decides).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash devscripts/install-deps.sh
# shellcheck source=devscripts/wine-env.sh
source devscripts/wine-env.sh
choice="$(wine_choice)"
echo "$choice"
other=windows
[ "$SETUP_WINDOWS_PRESET" = windows ] && other=windows-x64

jobs="$(nproc)"
for preset in host host-asan windows windows-x64; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

status=0
for preset in host host-asan; do
  echo "== tests: $preset"
  ctest --preset "$preset" -j "$jobs" || status=1
done

echo "== fuzz: smoke"
bash devscripts/fuzz.sh smoke || status=1

echo "== tests: $other (no Wine here: imports and manifest)"
ctest --preset "$other" -L static || status=1

echo "== tests: $SETUP_WINDOWS_PRESET (Wine, Xvfb)"
wine_prefix_ready
bash devscripts/xvfb.sh run ctest --preset "$SETUP_WINDOWS_PRESET" || status=1
wineserver -k 2>/dev/null || true
echo "$choice"
exit "$status"
