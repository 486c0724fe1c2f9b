#!/usr/bin/env bash
# Installs what building and testing setup.exe needs on a Debian machine, in
# groups: the host build and its tests, fuzzing, the MinGW-w64 cross
# compilers, 64-bit Wine, the tools the Wine tests use (a virtual X server,
# wixl for real .msi packages, ImageMagick for screenshots, the Japanese
# locale for a double-byte ANSI code page and the Hindi one, for which Wine
# makes UTF-8 the ANSI code page) and, only where 32-bit programs run,
# 32-bit Wine. Safe to run again.
#
#   devscripts/install-deps.sh            install what is missing (as root)
#   devscripts/install-deps.sh --dry-run  say what would be done and why; needs no
#                                    root and changes nothing
#
# It is written for a bad day as much as for a good one. A package index
# that fails to download (a mirror in the middle of a sync) is retried once
# and then left to the install to judge. Whether 32-bit programs can run is
# found out before any i386 package is asked for: where they cannot, the
# i386 architecture is never added, so its lists can neither fail nor hold
# back the 64-bit packages. Each group is installed on its own, so a broken
# one names itself with apt's own words while the others still install.
# A failed 32-bit group leaves the 64-bit path; any other failed group fails
# the script, since the commands need it.
#
# SETUP_DEPS_RUNS_I386=yes|no takes that answer instead of starting the
# probe below (the script's own tests use it).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

dry_run=0
case "${1:-}" in
  "") ;;
  --dry-run) dry_run=1 ;;
  *)
    echo "usage: devscripts/install-deps.sh [--dry-run]" >&2
    exit 2
    ;;
esac

# One stream, so that what it says reads in the order it happened.
say() { echo "install-deps: $*"; }

group_names=("host build" "fuzzing" "Windows compilers" "64-bit Wine" "Wine test tools"
  "32-bit Wine")
group_packages=(
  "cmake ninja-build libgtest-dev libcli11-dev nlohmann-json3-dev"
  "clang libclang-rt-14-dev"
  "g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64"
  "wine wine64"
  "xvfb wixl imagemagick xdotool locales"
  "wine32:i386"
)
i386_group=5

# A whole 32-bit x86 Linux program of 96 bytes that needs no library: an
# ELF header, one loadable segment, and exit(42) through int 0x80. A kernel
# without 32-bit support refuses to start it ("Exec format error"); 42
# rather than 0 keeps anything else that might answer from passing for it.
# It is written into the project's build folder, not /tmp, which may be
# mounted without the right to execute.
write_i386_probe() {
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' # 32-bit, little-endian
  printf '\x02\x00\x03\x00\x01\x00\x00\x00'                         # executable, i386
  printf '\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'         # entry, header offsets
  printf '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00'                 # flags, sizes, one segment
  printf '\x28\x00\x00\x00\x00\x00'                                 # no sections
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'         # PT_LOAD from 0x08048000
  printf '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00'         # 96 bytes
  printf '\x05\x00\x00\x00\x00\x10\x00\x00'                         # read and execute
  printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'         # exit(42)
}

i386_reason=""
runs_i386() {
  case "${SETUP_DEPS_RUNS_I386:-}" in
    yes) i386_reason="SETUP_DEPS_RUNS_I386=yes" && return 0 ;;
    no) i386_reason="SETUP_DEPS_RUNS_I386=no" && return 1 ;;
  esac
  mkdir -p "$root/build"
  local probe status
  probe="$(mktemp "$root/build/i386-probe.XXXXXX")" || {
    i386_reason="the probe could not be written to $root/build"
    return 1
  }
  write_i386_probe >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  status=$?
  rm -f "$probe"
  case "$status" in
    42) i386_reason="a static 32-bit probe program ran" && return 0 ;;
    126) i386_reason="the kernel refuses to start a 32-bit program: Exec format error" ;;
    *) i386_reason="a static 32-bit probe program ended with status $status, not 42" ;;
  esac
  return 1
}

installed() { dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null | grep -q '^ii'; }
has_locale() { locale -a 2>/dev/null | grep -qix "$1.utf-\\?8"; }

# apt's own words for a failure: its errors and the dependencies it could
# not meet, not its progress.
apt_words() {
  grep -E '^(E|W): |Depends: ' "$1" | head -n 8 | sed 's/^/    /'
}

# --- What is missing, group by group.
can_run_i386=0
runs_i386 && can_run_i386=1
missing=()
for i in "${!group_names[@]}"; do
  missing[i]=""
  [ "$i" -eq "$i386_group" ] && [ "$can_run_i386" -eq 0 ] && continue
  for package in ${group_packages[i]}; do
    installed "$package" || missing[i]+="${missing[i]:+ }$package"
  done
done
needs_install=0
for i in "${!group_names[@]}"; do
  [ -n "${missing[i]}" ] && needs_install=1
done
missing_locales=""
for language in ja_JP hi_IN; do
  has_locale "$language" || missing_locales+="${missing_locales:+ }$language.UTF-8"
done
needs_locale=0
[ -n "$missing_locales" ] && needs_locale=1
needs_i386_arch=0
if [ -n "${missing[i386_group]}" ] &&
  ! dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386; then
  needs_i386_arch=1
fi

if [ "$can_run_i386" -eq 1 ]; then
  say "32-bit programs run on this machine ($i386_reason); 32-bit Wine is wanted"
else
  say "32-bit programs cannot run on this machine ($i386_reason);" \
    "neither the i386 architecture nor wine32:i386 is asked for"
fi

# --- Without root, or asked for a dry run: say what would be done.
if [ "$dry_run" -eq 1 ]; then
  for i in "${!group_names[@]}"; do
    if [ "$i" -eq "$i386_group" ] && [ "$can_run_i386" -eq 0 ]; then
      say "group \"${group_names[i]}\": left out"
    elif [ -z "${missing[i]}" ]; then
      say "group \"${group_names[i]}\": installed"
    else
      say "group \"${group_names[i]}\": would install ${missing[i]}"
      if [ "$i" -eq "$i386_group" ] && [ "$needs_i386_arch" -eq 1 ]; then
        say "  after adding the i386 architecture and reading its lists"
        continue
      fi
      log="$(mktemp)"
      # shellcheck disable=SC2086 # the group's packages are words
      if apt-get -s -q install --no-install-recommends ${missing[i]} >"$log" 2>&1; then
        say "  apt, with its lists as they are now, could install it"
      else
        say "  apt, with its lists as they are now, refuses it:"
        apt_words "$log"
      fi
      rm -f "$log"
    fi
  done
  [ "$needs_install" -eq 1 ] && say "would read the package lists first (apt-get update)," \
    "retrying once, and go on past a list that fails"
  for name in $missing_locales; do
    say "would make the $name locale"
  done
  if [ "$can_run_i386" -eq 1 ]; then
    say "the commands would take the 32-bit path if 32-bit Wine installs, the 64-bit path if not"
  else
    say "the commands would take the 64-bit path (64-bit Wine, preset windows-x64)"
  fi
  exit 0
fi

if [ "$needs_install" -eq 0 ] && [ "$needs_locale" -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if [ "$needs_install" -eq 0 ]; then
    say "locales not made: $missing_locales (run this script as root to make them);" \
      "their tests are skipped"
    exit 0
  fi
  for i in "${!group_names[@]}"; do
    [ -n "${missing[i]}" ] && say "missing (${group_names[i]}): ${missing[i]}"
  done
  say "run this script as root to install them, or with --dry-run to see what it would do"
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
mkdir -p "$root/build"
log="$root/build/install-deps.log"
: >"$log"

# --- The i386 architecture, only where 32-bit Wine can run and is missing.
if [ "$needs_i386_arch" -eq 1 ]; then
  if ! dpkg --add-architecture i386 >>"$log" 2>&1; then
    say "the i386 architecture could not be added; 32-bit Wine is left out"
    missing[i386_group]=""
  fi
fi

# --- The package lists: a list that fails to download is retried once,
# then left behind; the installs below decide whether it mattered.
if [ "$needs_install" -eq 1 ]; then
  for attempt in 1 2; do
    update_log="$(mktemp)"
    if apt-get update -q >"$update_log" 2>&1; then
      cat "$update_log" >>"$log"
      rm -f "$update_log"
      break
    fi
    cat "$update_log" >>"$log"
    if [ "$attempt" -eq 1 ]; then
      say "reading the package lists failed; trying once more"
    else
      say "reading the package lists failed again; going on with the lists apt has:"
      apt_words "$update_log"
    fi
    rm -f "$update_log"
  done
fi

# --- Each group on its own.
failed_required=0
for i in "${!group_names[@]}"; do
  [ -z "${missing[i]}" ] && continue
  say "installing ${group_names[i]}: ${missing[i]}"
  group_log="$(mktemp)"
  # shellcheck disable=SC2086 # the group's packages are words
  if apt-get install -y -q --no-install-recommends ${missing[i]} >"$group_log" 2>&1; then
    cat "$group_log" >>"$log"
    rm -f "$group_log"
    continue
  fi
  cat "$group_log" >>"$log"
  say "group \"${group_names[i]}\" could not be installed; apt said:"
  apt_words "$group_log"
  rm -f "$group_log"
  if [ "$i" -eq "$i386_group" ]; then
    say "the 64-bit path still works: the commands will take it"
  else
    failed_required=1
  fi
done

if [ "$needs_locale" -eq 1 ] && installed locales; then
  for name in $missing_locales; do
    localedef -i "${name%.UTF-8}" -f UTF-8 "$name" >>"$log" 2>&1 ||
      say "the $name locale could not be made; its tests are skipped"
  done
fi

# The path is the one the commands themselves will take: wine-env.sh
# decides it by starting 32-bit Wine, here as there.
# shellcheck source=devscripts/wine-env.sh
source "$root/devscripts/wine-env.sh"
say "the commands will take $(wine_choice)"
if [ "$failed_required" -eq 1 ]; then
  say "a group the commands need is missing (apt's whole output: $log)"
  exit 1
fi
exit 0
