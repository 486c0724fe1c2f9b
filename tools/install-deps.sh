#!/usr/bin/env bash
# Installs what building and testing setup.exe needs on a Debian machine:
# the MinGW-w64 cross compilers (i686 and x86_64), 32- and 64-bit Wine, a
# virtual X server, wixl for real .msi packages, ImageMagick for
# screenshots and clang with libFuzzer for the fuzz targets. Both Wines are
# installed everywhere; tools/wine-env.sh finds out which one the machine
# can run. The Japanese locale lets Wine run a program with a double-byte
# ANSI code page. Safe to run again.
set -euo pipefail

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
command -v wine >/dev/null || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v wixl >/dev/null || need+=(wixl)
[ -x /usr/bin/convert ] && [ -x /usr/bin/import ] || need+=(imagemagick)
command -v xdotool >/dev/null || need+=(xdotool)
command -v cmake >/dev/null || need+=(cmake)
command -v clang++ >/dev/null || need+=(clang)
compgen -G '/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
  need+=(libclang-rt-14-dev)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
command -v ninja >/dev/null || need+=(ninja-build)
[ -f /usr/include/CLI/CLI.hpp ] || need+=(libcli11-dev)
[ -f /usr/include/nlohmann/json.hpp ] || need+=(nlohmann-json3-dev)
[ -f /usr/share/i18n/locales/ja_JP ] || need+=(locales)
has_japanese_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; }

if [ ${#need[@]} -eq 0 ] && has_japanese_locale; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if [ ${#need[@]} -eq 0 ]; then
    echo "no ja_JP.UTF-8 locale (run this script as root to make it); its test is skipped" >&2
    exit 0
  fi
  echo "missing packages: ${need[*]} (run this script as root to install them)" >&2
  exit 1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#need[@]} -gt 0 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
has_japanese_locale || localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
