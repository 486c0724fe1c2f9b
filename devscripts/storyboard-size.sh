#!/usr/bin/env bash
# Prints the size of the storyboard setup-preview draws for a setup folder
# on each machine named, with its number of drawings and of pictures
# embedded in it, so that a change to the storyboard shows what it costs.
#
#     devscripts/storyboard-size.sh [FOLDER [MACHINE...]]
#
# FOLDER is examples/setup by default and MACHINE winxp. SETUP_PREVIEW
# names the preview to run (build/host/src/setup-preview by default, which
# is built first where needed).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$root/examples/setup}
shift || true
machines=("$@")
[[ ${#machines[@]} -gt 0 ]] || machines=(winxp)

preview=${SETUP_PREVIEW:-}
if [[ -z $preview ]]; then
    preview=$root/build/host/src/setup-preview
    if [[ ! -x $preview ]]; then
        cmake --preset host >/dev/null
        cmake --build --preset host --target setup-preview >/dev/null
    fi
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

printf '%-10s %10s %8s %8s\n' machine bytes drawings pictures
for machine in "${machines[@]}"; do
    page=$scratch/$machine.html
    # The preview's own exit code is the simulated setup's outcome, not ours.
    "$preview" "$folder" --machine "$machine" --storyboard "$page" >/dev/null || true
    [[ -s $page ]] || { echo "storyboard-size: no storyboard for $machine" >&2; exit 1; }
    printf '%-10s %10d %8d %8d\n' "$machine" "$(stat -c %s "$page")" \
        "$(grep -o '<svg' "$page" | wc -l)" "$(grep -o 'data:image' "$page" | wc -l)"
done
