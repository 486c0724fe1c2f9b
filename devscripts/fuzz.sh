#!/usr/bin/env bash
# Runs the fuzz targets of tests/fuzz (clang's libFuzzer, with AddressSanitizer
# and UBSan), built with the fuzz preset into build/fuzz.
#
#   devscripts/fuzz.sh smoke           each target for 15 s; fails on the first
#                                 crash, hang or memory blow-up (CI)
#   devscripts/fuzz.sh long [SECONDS] [TARGET...]
#                                 each target (or those named) for SECONDS
#                                 (600 when not given), going on past
#                                 findings, which are kept in
#                                 build/fuzz/findings/TARGET/
#
# Each target starts from its seeds (tests/fuzz/seeds) and regression inputs
# (tests/fuzz/regressions); what it learns is kept in build/fuzz/corpus, never
# in the source tree. An input that runs longer than 10 s or takes more than
# 2 GB is a finding as much as a crash is.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

mode="${1:-smoke}"
case "$mode" in
  smoke) seconds=15 ;;
  long) seconds="${2:-600}" ;;
  *) echo "usage: $0 smoke | long [SECONDS] [TARGET...]" >&2; exit 2 ;;
esac

targets=(fuzz_profile fuzz_setup_run fuzz_data_tag_run fuzz_parsers fuzz_advanced_action
         fuzz_picture_size)
if [ "$mode" = long ] && [ $# -gt 2 ]; then
  targets=("${@:3}")
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

status=0
for target in "${targets[@]}"; do
  work="build/fuzz/corpus/$target"
  findings="build/fuzz/findings/$target"
  mkdir -p "$work" "$findings"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
           -artifact_prefix="$findings/" -print_final_stats=1)
  if [ "$mode" = long ]; then
    # One worker process, restarted after each finding, so that a known
    # fault does not hide the ones behind it.
    options+=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
  fi
  [ "$target" = fuzz_picture_size ] || options+=(-dict=tests/fuzz/tag.dict)
  seeds=(tests/fuzz/seeds/"$target")
  [ -d tests/fuzz/regressions/"$target" ] && seeds+=(tests/fuzz/regressions/"$target")
  echo "== fuzz: $target ($seconds s)"
  log="build/fuzz/$target.log"
  if ! "build/fuzz/tests/fuzz/$target" "${options[@]}" "$work" "${seeds[@]}" >"$log" 2>&1; then
    status=1
    tail -n 40 "$log"
  fi
  grep -E '^#[0-9]+.*(DONE|cov:)' "$log" | tail -n 1 || true
  grep -E 'stat::number_of_executed_units' "$log" || true
done
if [ "$mode" = long ]; then
  for target in "${targets[@]}"; do
    echo "$target: $(find "build/fuzz/findings/$target" -type f | wc -l) findings"
  done
fi
exit "$status"
