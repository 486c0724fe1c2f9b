"""The manifest checker, run on made-up program images."""

import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = Path(__file__).resolve().with_name("check_manifest.py")
MACHINES = {"x86": 0x014C, "amd64": 0x8664}


def manifest(own_arch, controls_arch="", controls_name="Microsoft.Windows.Common-Controls",
             extra=""):
    controls_arch = controls_arch or own_arch
    return f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity version="1.0.0.0" processorArchitecture="{own_arch}" name="Vendor.Setup"
                    type="win32"/>
  <dependency><dependentAssembly>
    <assemblyIdentity type="win32" name="{controls_name}" version="6.0.0.0"
                      processorArchitecture="{controls_arch}" language="*"/>
  </dependentAssembly></dependency>{extra}
</assembly>"""


def image(machine_arch, manifest_text):
    """An MZ stub, a PE header for the machine, then the manifest among
    other resource bytes."""
    header = b"MZ" + bytes(0x3A) + struct.pack("<I", 0x40)
    pe = b"PE\0\0" + struct.pack("<H", MACHINES[machine_arch]) + bytes(18)
    return header + pe + b"\0rsrc\0" + manifest_text.encode() + b"\0\0"


class CheckManifestTest(unittest.TestCase):
    def run_checker(self, contents):
        with tempfile.TemporaryDirectory() as folder:
            program = Path(folder, "setup.exe")
            program.write_bytes(contents)
            result = subprocess.run([sys.executable, str(CHECKER), str(program)],
                                    capture_output=True, text=True, timeout=30)
        return result.returncode, result.stdout

    def test_a_manifest_of_the_programs_own_architecture_passes(self):
        for arch in MACHINES:
            with self.subTest(arch=arch):
                status, output = self.run_checker(image(arch, manifest(arch)))
                self.assertEqual(status, 0, output)

    def test_another_architecture_anywhere_in_the_manifest_fails_and_is_named(self):
        cases = {"x86 manifest in a 64-bit program": ("amd64", manifest("x86"), 2),
                 "x86 controls in a 64-bit program": ("amd64", manifest("amd64", "x86"), 1),
                 "amd64 manifest in a 32-bit program": ("x86", manifest("amd64"), 2)}
        for case, (arch, text, wrong) in cases.items():
            with self.subTest(case=case):
                status, output = self.run_checker(image(arch, text))
                self.assertEqual(status, 1, output)
                self.assertEqual(output.count(f"the program is {arch}"), wrong, output)

    def test_no_manifest_no_common_controls_or_an_execution_level_fails(self):
        level = ('<trustInfo xmlns="urn:schemas-microsoft-com:asm.v3"><security>'
                 '<requestedPrivileges><requestedExecutionLevel level="asInvoker"/>'
                 '</requestedPrivileges></security></trustInfo>')
        for case, text in {"no manifest": "",
                           "no common controls": manifest("x86", controls_name="Other"),
                           "an execution level": manifest("x86", extra=level)}.items():
            with self.subTest(case=case):
                status, output = self.run_checker(image("x86", text))
                self.assertEqual(status, 1, output)


if __name__ == "__main__":
    unittest.main()
