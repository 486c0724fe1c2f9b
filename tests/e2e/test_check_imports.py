"""The import checker, run on made-up objdump output."""

import stat
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = Path(__file__).resolve().with_name("check_imports.py")

HEADER = """
setup.exe:     file format pei-i386

Entry c 0004d1c0 00000158 Import Address Table Directory
Entry d 00000000 00000000 Delay Import Directory
Entry e 00000000 00000000 CLR Runtime Header

The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
                 Table   Stamp     Chain    Name      Thunk
"""


def import_entry(dll, functions=("GetProcAddress",)):
    lines = "".join(f"\t4c1a4\t  283  {function}\n" for function in functions)
    return f"""
\tDLL Name: {dll}
\tvma:  Hint/Ord Member-Name Bound-To
{lines}"""


class CheckImportsTest(unittest.TestCase):
    def run_checker(self, objdump_output, objdump_status=0):
        """Runs the checker with a stand-in objdump that prints the given text."""
        with tempfile.TemporaryDirectory() as folder:
            listing = Path(folder, "listing.txt")
            listing.write_text(objdump_output)
            objdump = Path(folder, "objdump")
            objdump.write_text(f"#!/bin/sh\ncat '{listing}'\nexit {objdump_status}\n")
            objdump.chmod(objdump.stat().st_mode | stat.S_IXUSR)
            result = subprocess.run(
                [sys.executable, str(CHECKER), "--objdump", str(objdump), "setup.exe"],
                capture_output=True, text=True, timeout=30)
        return result.returncode, result.stdout

    def test_system_folder_dlls_in_any_case_pass(self):
        dlls = ["KERNEL32.dll", "USER32.dll", "GDI32.dll", "ADVAPI32.dll", "SHELL32.dll",
                "ole32.dll", "OLEAUT32.dll", "WS2_32.dll", "msvcrt.dll", "COMCTL32.dll",
                "comdlg32.dll", "SHLWAPI.dll", "RPCRT4.dll"]
        status, output = self.run_checker(HEADER + "".join(map(import_entry, dlls)))
        self.assertEqual(status, 0, output)

    def test_a_dll_from_the_search_path_fails_and_is_named(self):
        output_text = HEADER + import_entry("KERNEL32.dll") + import_entry("VERSION.dll")
        status, output = self.run_checker(output_text + import_entry("winmm.dll"))
        self.assertEqual(status, 1)
        self.assertTrue(output.rstrip().endswith(": version.dll, winmm.dll"), output)

    def test_functions_windows_xp_lacks_fail_and_are_named_but_their_elders_pass(self):
        elders = ["GetTickCount", "InitializeCriticalSection", "TryEnterCriticalSection",
                  "GetLocaleInfoA", "CompareStringW", "GetFileInformationByHandle", "TlsAlloc"]
        newer = ["GetTickCount64", "FlsAlloc", "AcquireSRWLockExclusive",
                 "SleepConditionVariableCS", "InitOnceExecuteOnce", "CompareStringEx"]
        status, output = self.run_checker(HEADER + import_entry("KERNEL32.dll", elders))
        self.assertEqual(status, 0, output)
        status, output = self.run_checker(HEADER + import_entry("KERNEL32.dll", elders + newer)
                                          + import_entry("SHELL32.dll", ["SHGetKnownFolderPath"]))
        self.assertEqual(status, 1)
        self.assertTrue(output.rstrip().endswith(
            ": AcquireSRWLockExclusive (kernel32.dll), CompareStringEx (kernel32.dll), "
            "FlsAlloc (kernel32.dll), GetTickCount64 (kernel32.dll), "
            "InitOnceExecuteOnce (kernel32.dll), SHGetKnownFolderPath (shell32.dll), "
            "SleepConditionVariableCS (kernel32.dll)"), output)

    def test_delay_loaded_imports_fail(self):
        with_delay = HEADER.replace("Entry d 00000000 00000000", "Entry d 0004e000 00000040")
        status, output = self.run_checker(with_delay + import_entry("KERNEL32.dll"))
        self.assertEqual(status, 1)
        self.assertIn("delay-loaded", output)

    def test_unreadable_program_fails_rather_than_passing_empty(self):
        self.assertEqual(self.run_checker("")[0], 1)
        self.assertEqual(self.run_checker(HEADER + import_entry("USER32.dll"), 1)[0], 1)


if __name__ == "__main__":
    unittest.main()
