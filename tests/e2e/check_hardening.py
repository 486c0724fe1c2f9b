#!/usr/bin/env python3
"""Fails when a Windows program does not ask for data execution prevention
and address space layout randomisation in its PE header, or has lost the
relocations that randomisation needs.

Windows honours the header's DllCharacteristics: NX_COMPAT keeps data pages
from running as code, DYNAMIC_BASE loads the program at a random address
(which takes its base relocations: a program without a .reloc section
stays at its preferred address whatever the flag says), and a 64-bit
program with HIGH_ENTROPY_VA gets the whole 64-bit range for it.

    check_hardening.py EXE
"""

import struct
import sys

PE32_PLUS = 0x20B
RELOCS_STRIPPED = 0x0001
FLAGS = {"DYNAMIC_BASE": 0x0040, "NX_COMPAT": 0x0100}
HIGH_ENTROPY_VA = 0x0020
BASE_RELOCATION_DIRECTORY = 5


def header(image):
    """(file characteristics, optional header magic, DllCharacteristics,
    base relocation directory size), or None when the file is no PE image."""
    if len(image) < 0x40 or image[:2] != b"MZ":
        return None
    (offset,) = struct.unpack_from("<I", image, 0x3C)
    # Enough for the headers and data directories of either kind of image.
    if image[offset:offset + 4] != b"PE\0\0" or len(image) < offset + 24 + 112 + 8 * 6:
        return None
    optional = offset + 24
    (characteristics,) = struct.unpack_from("<H", image, offset + 22)
    (magic,) = struct.unpack_from("<H", image, optional)
    (dll_characteristics,) = struct.unpack_from("<H", image, optional + 70)
    directories = optional + (112 if magic == PE32_PLUS else 96)
    relocation_size = directories + 8 * BASE_RELOCATION_DIRECTORY + 4
    (relocations,) = struct.unpack_from("<I", image, relocation_size)
    return characteristics, magic, dll_characteristics, relocations


def problems(image):
    found = header(image)
    if found is None:
        return ["not a PE image"]
    characteristics, magic, dll_characteristics, relocations = found
    wanted = dict(FLAGS)
    if magic == PE32_PLUS:
        wanted["HIGH_ENTROPY_VA"] = HIGH_ENTROPY_VA
    missing = [f"no {name} in DllCharacteristics" for name, bit in wanted.items()
               if not dll_characteristics & bit]
    if characteristics & RELOCS_STRIPPED or relocations == 0:
        missing.append("no base relocations: the program cannot be moved")
    return missing


def main(argv):
    if len(argv) != 1:
        print(__doc__.strip().splitlines()[-1].strip())
        return 2
    with open(argv[0], "rb") as program:
        found = problems(program.read())
    for problem in found:
        print(f"{argv[0]}: {problem}")
    if not found:
        print(f"{argv[0]}: data execution prevention and address randomisation asked for")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
