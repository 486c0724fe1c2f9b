#!/usr/bin/env bash
# Prints the size of setup.exe in both Windows builds (as shipped,
# stripped) and, from each build's linker map, the ten largest things in
# it, so that a change that adds kilobytes shows what it added. Builds the
# program first where needed.
#
#     devscripts/size-report.sh [PRESET...]      (windows windows-x64 by default)
#
# Each line of the list is one of: a function or datum of the program's own
# code, named as the compiler named its section after link-time
# optimisation; the program's string constants, which share one section;
# the imports from one system DLL; the resources; the base relocations; or
# an object of the compiler's and C library's start-up code, with the
# archive it came from.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

presets=("$@")
[ "${#presets[@]}" -gt 0 ] || presets=(windows windows-x64)

for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target setup -j "$(nproc)" >/dev/null
  python3 - "$preset" "build/$preset/src/setup.exe" "build/$preset/src/setup.map" <<'EOF'
import collections
import os
import re
import subprocess
import sys

# An input section is listed on one line, or on two when its name is long:
# " .text$name  0xADDRESS  0xSIZE  FILE" or " .text$name" then
# "   0xADDRESS  0xSIZE  FILE". Sections the linker dropped have address 0.
ONE_LINE = re.compile(r"^ (\.\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
NAME_LINE = re.compile(r"^ (\.\S+)$")
PLACE_LINE = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
MEMBER = re.compile(r"([^/]+)\.a\(([^)]+)\)$")


def input_sections(lines):
    name = None
    for line in lines:
        one = ONE_LINE.match(line)
        place = PLACE_LINE.match(line) if name else None
        if one:
            yield one.group(1), int(one.group(2), 16), int(one.group(3), 16), one.group(4)
        elif place:
            yield name, int(place.group(1), 16), int(place.group(2), 16), place.group(3)
        named = NAME_LINE.match(line)
        name = named.group(1) if named else None


def owner(section, source):
    """What a section is counted under, and whether that is a symbol."""
    if ".ltrans" in source:
        if "$" in section:
            return section.split("$", 1)[1], True
        return "string constants of setup's own code" if section == ".rdata" else section, False
    member = MEMBER.search(source)
    if member and member.group(2).startswith(member.group(1)):
        return f"imports from {member.group(1)[3:]}.dll", False
    if member:
        return f"{member.group(1)}.a: {member.group(2)}", False
    if section == ".reloc":
        return "base relocations, for address space layout randomisation", False
    if source.endswith(".res"):
        return "resources: icons, dialogs, strings, manifest", False
    return source.rsplit("/", 1)[-1], False


preset, exe, linker_map = sys.argv[1:]
print(f"== {preset}: {os.path.getsize(exe):,} bytes ({exe})")
lines = open(linker_map, encoding="utf-8", errors="replace").read().splitlines()
start = next(i for i, line in enumerate(lines) if line.startswith("Linker script and memory map"))
sizes = collections.Counter()
symbols = set()
for section, address, size, source in input_sections(lines[start:]):
    if address and size:
        name, is_symbol = owner(section, source)
        sizes[name] += size
        if is_symbol:
            symbols.add(name)
largest = sizes.most_common(10)
mangled = [name for name, _ in largest]
plain = subprocess.run(["c++filt"], input="\n".join(mangled), capture_output=True,
                       text=True, check=True).stdout.splitlines()
for (name, size), shown in zip(largest, plain):
    print(f"{size:>8,}  {shown if name in symbols else name}")
EOF
done
