#!/usr/bin/env python3
"""Checks that no include in src/ climbs a layer.

    python3 devscripts/check-layers.py [SRC]

Each folder of src/ has a rank; a file may include headers of its own folder
and of folders of a lower rank, never of its own rank or above. Siblings
stay apart that way too: the two machines (sim, win32) never see each other,
nor do the subsystems of one rank. Prints every include that breaks this and
exits 1; exits 0 when there is none.
"""

import re
import sys
from pathlib import Path

RANKS = {
    "resources": 0,  # resource identifiers, shared by the program and its dialogs
    "platform": 1,  # the ports and their vocabulary
    "formats": 2,  # readers of file formats the adapters share
    "platform/sim": 3,
    "platform/win32": 3,
    "core": 3,
    "framework": 3,
    "controls": 3,
    "prereq": 4,
    "actions": 4,
    "presentation": 4,
    "driver": 5,
    "vendortools": 6,
    "vendortools/programs": 7,
    "launcher": 7,
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder_of(relative):
    """The layer folder a path lies in: the longest one that holds it."""
    parts = Path(relative).parent.as_posix()
    for folder in sorted(RANKS, key=len, reverse=True):
        if parts == folder or parts.startswith(folder + "/"):
            return folder
    return None


def climbs(src):
    """Every include of a higher or equal layer, as 'file: include' lines."""
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src).as_posix()
        own = folder_of(relative)
        if own is None:
            found.append(f"{relative}: in no layer; give its folder a rank")
            continue
        for included in INCLUDE.findall(path.read_text(errors="replace")):
            other = folder_of(included)
            if other is None or other == own:
                continue
            if RANKS[other] >= RANKS[own]:
                found.append(f"{relative}: includes {included} ({other} is not below {own})")
    return found


def main():
    src = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[1] / "src"
    found = climbs(src)
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
