"""The vendor's tools as Windows console programs under Wine: the output
converted to UTF-8 by Windows' own converter, the same in text and JSON,
and the exit codes the documentation gives. They show no window, so they
need neither the desktop nor the prefix to themselves.

CTest names the programs in SETUP_CHECK_EXE and SETUP_PREVIEW_EXE.
"""

import json
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

from installation_e2e import windows_path
from wine_e2e import FIRST_START_LIMIT, WINE_RUN, environment_path

CANNOT_RUN = 3
# The progress dialog's texts, which a tag file that shows the dialog needs.
DIALOG_TEXTS = b"[SETUP]\r\n0=Installing\r\n1=Cancel\r\n"


class VendorToolsTest(unittest.TestCase):

    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="kestavo-tools-"))
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        self.setup = self.folder / "setup"
        self.setup.mkdir()
        for name in ("_data.msi", "InstMsiA.exe", "InstMsiW.exe"):
            (self.setup / name).write_bytes(b"MZ")

    def run_tool(self, program, *arguments):
        """The exit code and the output, as UTF-8 text with Windows' line
        ends made Linux ones."""
        result = subprocess.run([str(WINE_RUN), str(environment_path(program)), *arguments],
                                stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=FIRST_START_LIMIT)
        return result.returncode, result.stdout.decode("utf-8").replace("\r\n", "\n")

    def check(self, *arguments):
        return self.run_tool("SETUP_CHECK_EXE", windows_path(self.setup), *arguments)

    def test_text_and_json_show_the_tag_files_characters_alike(self):
        (self.setup / "kestavo.tag").write_bytes(
            b"[SPLASH]\r\nA0=Fran\xe7ais\xae\r\n" + DIALOG_TEXTS)

        code, text = self.check()
        json_code, report = self.check("--json")

        self.assertEqual((code, json_code), (2, 2))
        self.assertIn('"Fran\u00e7ais\u00ae" matches no keyword', text)
        self.assertEqual(report.count('"message"'), 1, report)
        self.assertIn(json.loads(report)["findings"][0]["message"], text)

        (self.setup / "kestavo.tag").write_bytes(b"[SPLASH]\r\nA0=\x95\x5c\x8e\xa6\r\n" + DIALOG_TEXTS)
        _, japanese = self.check("--codepage", "932", "--json")
        self.assertTrue(json.loads(japanese)["findings"][0]["message"].startswith('"\u8868\u793a"'))

    def test_exit_codes_say_what_happened(self):
        (self.setup / "kestavo.tag").write_bytes(b"[SPLASH]\r\nA0=Disabled\r\n")
        failing = self.folder / "fails.ini"
        failing.write_bytes(b"[installer]\r\nexit=1603\r\n")

        preview = ("SETUP_PREVIEW_EXE", windows_path(self.setup), "--json")
        self.assertEqual(self.run_tool(*preview)[0], 0)
        code, report = self.run_tool(*preview, "--machine", windows_path(failing))
        self.assertEqual((code, json.loads(report)["exit_code"]), (1, 1603))

        code, report = self.run_tool(*preview, "--storyboard",
                                     windows_path(self.folder / "absent" / "story.html"))
        self.assertEqual(code, CANNOT_RUN)
        self.assertIn("cannot be written", json.loads(report)["error"])
        code, report = self.check("--json", "--verbose")
        self.assertEqual(code, CANNOT_RUN)
        self.assertIn("--verbose", json.loads(report)["error"])


if __name__ == "__main__":
    unittest.main()
