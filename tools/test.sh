#!/usr/bin/env bash
# Runs every test: the unit tests on the simulated machine (plain and with
# AddressSanitizer and UBSan), then the Windows build's tests under Wine and
# Xvfb. Installs what is missing first (as root). Works without a display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash tools/install-deps.sh

jobs="$(nproc)"
for preset in host host-asan windows; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

status=0
for preset in host host-asan; do
  echo "== tests: $preset"
  ctest --preset "$preset" -j "$jobs" || status=1
done

echo "== tests: windows (Wine, Xvfb)"
source tools/wine-env.sh
wine_prefix_ready
bash tools/xvfb.sh run ctest --preset windows || status=1
wineserver -k 2>/dev/null || true
exit "$status"
