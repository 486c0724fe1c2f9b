# shellcheck shell=bash
# Sourced by the scripts that run Windows programs: which Wine runs them,
# one Wine prefix for the project, quiet, without the Mono and Gecko
# installers asking anything.
: "${SETUP_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"

# The one place that decides between 32- and 64-bit Wine. Some machines'
# kernels refuse to run 32-bit Linux programs, so 32-bit Wine cannot start
# there at all; whether it can is found out by starting its loader, not
# assumed. Where it can, the i686 build runs in a 32-bit prefix; elsewhere,
# or when SETUP_WINE64=1 asks for it, the x86_64 build runs in a 64-bit
# prefix. Debian's `wine` and `wineboot` wrappers take the 32-bit loader
# whenever it is installed, so the loaders are named directly. A caller
# that already knows the architecture (a build's CTest emulator) passes
# SETUP_WINE_ARCH, and it is kept. The loaders' paths can be given too (the
# install script's tests name loaders that are not there).
: "${SETUP_WINE32_LOADER:=/usr/lib/wine/wine}"
: "${SETUP_WINE64_LOADER:=/usr/lib/wine/wine64}"
if [ -n "${SETUP_WINE_ARCH:-}" ]; then
  SETUP_WINE_REASON="given by SETUP_WINE_ARCH, the build's architecture"
elif [ "${SETUP_WINE64:-0}" = 1 ]; then
  SETUP_WINE_ARCH=win64
  SETUP_WINE_REASON="asked for by SETUP_WINE64=1"
elif "$SETUP_WINE32_LOADER" --version >/dev/null 2>&1; then
  SETUP_WINE_ARCH=win32
  SETUP_WINE_REASON="32-bit programs run on this machine"
else
  SETUP_WINE_ARCH=win64
  SETUP_WINE_REASON="32-bit programs cannot run on this machine"
fi
export SETUP_WINE_ARCH
export WINEARCH="$SETUP_WINE_ARCH"

# Each architecture has a prefix of its own (a prefix is made for one), so
# the prefix follows the architecture even when a caller of the other one
# exported its own; SETUP_WINEPREFIX_BASE names another family of prefixes.
prefix_base="${SETUP_WINEPREFIX_BASE:-$SETUP_ROOT/build/wineprefix}"
if [ "$SETUP_WINE_ARCH" = win64 ]; then
  SETUP_WINE="$SETUP_WINE64_LOADER"
  SETUP_WINDOWS_PRESET=windows-x64
  export WINEPREFIX="${prefix_base}64"
  export WINELOADER="$SETUP_WINE64_LOADER"
else
  SETUP_WINE="$SETUP_WINE32_LOADER"
  SETUP_WINDOWS_PRESET=windows
  export WINEPREFIX="$prefix_base"
  unset WINELOADER
fi
unset prefix_base
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# One line for the commands to print, so that every run says which Wine
# and which build it used.
wine_choice() {
  local bits=32
  [ "$SETUP_WINE_ARCH" = win64 ] && bits=64
  echo "Wine: ${bits}-bit ($SETUP_WINE), build preset $SETUP_WINDOWS_PRESET," \
    "prefix $WINEPREFIX ($SETUP_WINE_REASON)"
}

# Makes the prefix once; later calls find it ready. CTest starts many Wine
# runs at once, so the first one builds the prefix under a lock while the
# others wait for it instead of starting a second wineboot in a half-made
# prefix. The lock descriptor is closed for the Wine programs: the
# wineserver they start lives on and must not keep holding the lock.
#
# The tests run on Xvfb without a window manager. Wine's managed windows
# would wait two seconds for a window manager each time one is hidden or
# destroyed, and would have no caption or frame at all; unmanaged, Wine
# draws them itself, as Windows does.
wine_prefix_ready() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.prefix-ready" ]; then
      timeout --kill-after=5 300 "$SETUP_WINE" wineboot -i >/dev/null 2>&1 9>&- || true
      timeout --kill-after=5 60 "$SETUP_WINE" reg add 'HKCU\Software\Wine\X11 Driver' \
        /v Managed /d N /f >/dev/null 2>&1 9>&- || true
      wineserver -w 9>&- || true
      touch "$WINEPREFIX/.prefix-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
