#!/usr/bin/env bash
# xvfb.sh run COMMAND...: runs COMMAND with DISPLAY set to a virtual screen
# of 1024 x 768 in 24-bit colour, started for it and stopped after it.
set -euo pipefail
[ "${1:-}" = run ] || { echo "usage: xvfb.sh run COMMAND..." >&2; exit 2; }
shift
display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
export DISPLAY="$display"
"$@"
