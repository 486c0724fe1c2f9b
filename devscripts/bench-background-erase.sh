#!/usr/bin/env bash
# bench-background-erase.sh [BUILD_DIR] [RUNS]: times one full erase of the
# background window (gradient rows and texts) on a 1920 x 1080 screen under
# Wine and prints the median of RUNS erases (default 21). Uses the Windows
# build in BUILD_DIR (default: that of the preset devscripts/wine-env.sh chooses,
# brought up to date first), the Wine its architecture needs
# and a Wine prefix of its own, build/wineprefix-bench (64 for 64-bit).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
export SETUP_WINEPREFIX_BASE="$root/build/wineprefix-bench"
runs="${2:-21}"
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
if [ -n "${1:-}" ]; then
  build="$(cd "$1" && pwd)"
  SETUP_WINE_ARCH="$(cache_value SETUP_WINE_ARCH)"
  export SETUP_WINE_ARCH
fi
# shellcheck source=devscripts/wine-env.sh
source devscripts/wine-env.sh
wine_choice
if [ -z "${1:-}" ]; then
  build="$root/build/$SETUP_WINDOWS_PRESET"
  cmake --preset "$SETUP_WINDOWS_PRESET" >/dev/null
  cmake --build --preset "$SETUP_WINDOWS_PRESET" --target setup_win32
fi
compiler="$(cache_value SETUP_MINGW_TRIPLET)-g++-posix"

work="$(mktemp -d)"
xvfb=""
cleanup() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

"$compiler" -std=c++17 -Os -Wall -Wextra -Werror \
  -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -D_WIN32_IE=0x0600 \
  -I"$root/src" -o "$work/bench-background-erase.exe" devscripts/bench-background-erase.cpp \
  "$build/src/libsetup_win32.a" "$build/src/libsetup_portable.a" -static \
  -lcomctl32 -lws2_32 -lgdi32 -luser32 -lshell32 -lole32 -loleaut32 -ladvapi32 -luuid

printf '[BACKGROUND]\r\n0=1\r\n1=Title\r\n2=Second text\r\n3=x@0x00,0x00,0xFF\r\n4=x@0x00,0x00,0x00\r\n' \
  >"$work/kestavo.tag"

# A screen of its own, of the size measured; the prefix's Wine session is
# bound to it and ends with the run.
read -r display < <(
  exec 3>&1
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  echo "$!" >"$work/xvfb.pid"
)
xvfb="$(cat "$work/xvfb.pid")"
export DISPLAY=":$display"
wine_prefix_ready
(cd "$work" && SETUP_WINE_TIMEOUT=120 "$root/devscripts/wine-run.sh" bench-background-erase.exe "$runs")
wineserver -k 2>/dev/null || true
