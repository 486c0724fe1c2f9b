#!/usr/bin/env python3
"""Fails when a Windows program's manifest names another processor
architecture than the program's own, or names an execution level.

Windows refuses to start a program whose manifest names another
architecture (a side-by-side configuration error), and Wine instead loads
common controls by name, from the program's folder first. The manifest is
kept verbatim in the resources, so it is found as text; the architecture
comes from the PE header's machine field. A manifest that names any
execution level switches off Windows' installer detection, which elevates a
program named setup.exe.

    check_manifest.py EXE
"""

import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

MANIFEST_ARCH = {0x014C: "x86", 0x8664: "amd64"}
ASSEMBLY = re.compile(rb"<assembly\b.*?</assembly>", re.DOTALL)
COMMON_CONTROLS = "Microsoft.Windows.Common-Controls"


def machine(image):
    """The PE header's machine field, or None when the file is no PE image."""
    if len(image) < 0x40 or image[:2] != b"MZ":
        return None
    (offset,) = struct.unpack_from("<I", image, 0x3C)
    if image[offset:offset + 4] != b"PE\0\0" or len(image) < offset + 6:
        return None
    return struct.unpack_from("<H", image, offset + 4)[0]


def identities(manifest):
    """(name, processorArchitecture) of every assembly identity, the
    program's own first."""
    root = ElementTree.fromstring(manifest)
    return [(element.get("name"), element.get("processorArchitecture"))
            for element in root.iter() if element.tag.endswith("assemblyIdentity")]


def problems(image):
    arch = MANIFEST_ARCH.get(machine(image))
    if arch is None:
        return ["not a PE image of a known machine"]
    manifest = ASSEMBLY.search(image)
    if not manifest:
        return ["no manifest"]
    found = identities(manifest.group(0))
    found_problems = [f"{name} names {named!r}, the program is {arch}"
                      for name, named in found if named != arch]
    if COMMON_CONTROLS not in [name for name, _ in found]:
        found_problems.append(f"no dependency on {COMMON_CONTROLS}")
    if b"requestedExecutionLevel" in manifest.group(0):
        found_problems.append("names an execution level: installer detection no longer elevates")
    return found_problems


def main(argv):
    if len(argv) != 1:
        print(__doc__.strip().splitlines()[-1].strip())
        return 2
    with open(argv[0], "rb") as program:
        image = program.read()
    found = problems(image)
    for problem in found:
        print(f"{argv[0]}: {problem}")
    if not found:
        print(f"{argv[0]}: manifest names {MANIFEST_ARCH[machine(image)]}, as the program is")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
