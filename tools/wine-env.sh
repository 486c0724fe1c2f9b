# Sourced by the scripts that run Windows programs: one Wine prefix for the
# project, quiet, without the Mono and Gecko installers asking anything.
: "${SETUP_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$SETUP_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

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
      timeout --kill-after=5 300 wineboot -i >/dev/null 2>&1 9>&- || true
      timeout --kill-after=5 60 wine reg add 'HKCU\Software\Wine\X11 Driver' \
        /v Managed /d N /f >/dev/null 2>&1 9>&- || true
      wineserver -w 9>&- || true
      touch "$WINEPREFIX/.prefix-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
