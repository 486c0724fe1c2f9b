"""Setup folders full of hostile content, given to the real setup.exe under
Wine: tag files that are binary, huge, of one endless line, of a hundred
thousand keys, of counts at the ends of int, in every Unicode form; file
names of devices, with trailing dots and blanks, past MAX_PATH; a data.tag
install folder that climbs out with ".." and nests macros in macros.
Pictures, animations and sounds that lie are shown by test_presentation.

Each case is a row of the table below: a setup folder made at run time (no
hostile file is kept in the tree), the programs it should start, in order,
and the exit code. Every run must end within its time limit, end with that
code, start exactly those programs, and leave every file around the setup
folder as it was: setup.exe writes nothing, whatever it is given.

The installer is the recorder, put in the prefix's system folder as
msiexec.exe for the class; it ends with a code of its own, which setup.exe
passes on, so a run that ends otherwise (a crash, a failure reported as
success) shows in the code. Wine hands Linux the code modulo 256.
"""

import os
import random
import shutil
import tempfile
import time
import unittest
from dataclasses import dataclass, field

from installation_e2e import RecorderLog, recorder_as_installer, recorder_settings
from wine_e2e import WineProgram, WineTestCase, environment_path

INSTALLER = "msiexec.exe"
INSTALLER_EXIT = 1641
DEFAULT_DLL_OVERRIDES = "mscoree,mshtml="
# A normal run ends in a few seconds under Wine; a run that takes this long
# hangs, or costs what the tag file names rather than what it holds.
CASE_LIMIT = 30
SILENT = ["[BUILD]", "SILENT=1"]
INT_MAX = 2147483647
LONG_NAME = "n" * 300
# A message in characters of no single code page.
UNICODE = SILENT + ["[SETUP]", "0=Ünïcødé ✓ 表"]


def text(lines, encoding="cp1252", bom=b""):
    return bom + "".join(f"{line}\r\n" for line in lines).encode(encoding)


def noise(size, seed):
    """Random bytes, the same on every run."""
    return random.Random(seed).randbytes(size)


def list_section(section, total, records):
    lines = [f"[{section}]", f"TOTAL={total}"]
    for index, fields in enumerate(records):
        lines += [f"{letter}{index}={value}" for letter, value in fields.items()]
    return lines


def run_program_if_file(subject, program):
    return {"B": "If the file described below exists", "C": subject, "D": "Run Program",
            "G": program}


def every_count(total, lists=("FILESUPPORT", "ADVACTIONSKV", "BILLBOARDSKV")):
    """The given lists at one count over a few records."""
    records = {
        "FILESUPPORT": [{"A": "before.exe", "B": "Before installation"}],
        "ADVACTIONSKV": [{"B": "Run 3rd party software and wait", "G": "tool.exe"},
                         {"B": "If Windows 95", "D": "Run Program", "G": "tool.exe"}, {}],
        "BILLBOARDSKV": [{"B": "none.bmp", "C": "0"}] * 3,
    }
    lines = SILENT
    for section in lists:
        lines = lines + list_section(section, total, records[section])
    return text(lines)


def strange_names():
    """Programs and pictures named as devices, with trailing dots and
    blanks, and longer than MAX_PATH; files of those names lie in the
    folder, as far as Linux can make them."""
    programs = ["NUL.exe", "CON.exe", "tool.exe. .", LONG_NAME + ".exe"]
    pictures = ["CON.bmp", "NUL.gif", "pic.bmp. ", LONG_NAME + ".bmp"]
    return text(
        list_section("FILESUPPORT", len(programs),
                     [{"A": name, "B": "Before installation"} for name in programs]) +
        list_section("ADVACTIONSKV", 2, [{"B": "Run 3rd party software and wait", "G": "AUX.exe"},
                                         {"B": "Run 3rd party software", "G": "PRN.exe"}]) +
        list_section("BILLBOARDSKV", len(pictures), [{"B": name, "C": "0"} for name in pictures]) +
        ["[BACKGROUND]", "0=1", "5=CON.bmp"])


# The install folder climbs out of the setup folder, and a macro is broken
# by another inside it: <Install Dir> is still empty while data.tag is
# read, so the text left is "..\<Program Files>\..\outside", which Windows
# shortens to "..\outside" (the ".\" pad it to 97 characters). Seven of
# them make a path far beyond MAX_PATH, which exists nowhere.
CLIMBING_INSTALL_FOLDER = text(
    ["[APPINFO]", "5=..\\<Program <Install Dir>Files>\\..\\" + ".\\" * 27 + "outside\\"])
CLIMBING_ACTIONS = text(SILENT + list_section("ADVACTIONSKV", 2, [
    run_program_if_file("<Install Dir>\\marker.txt", "found.exe"),
    run_program_if_file("<Install Dir>" * 7, "beyond.exe")]))


@dataclass
class Case:
    name: str
    tag: bytes
    # Programs setup.exe should start, in order, the installer included.
    runs: list = field(default_factory=lambda: [INSTALLER])
    # Recorder copies in the setup folder: what it may start.
    programs: tuple = ()
    # Other files of the setup folder, by name.
    files: dict = field(default_factory=dict)
    exit_code: int = INSTALLER_EXIT


CASES = [
    Case("binary tag file", noise(65536, 1)),
    Case("tag file of 10 MB", text(SILENT + ["[FILLER]"] + [
        f"KEY{i}={'v' * 80}" for i in range(110000)])),
    Case("one line of 1 MB", text(SILENT + ["[SETUP]", "0=" + "x" * 1048576])),
    # Every key name of the action list is listed to find its records;
    # these name none.
    Case("100,000 keys in the action list",
         text(SILENT + list_section("ADVACTIONSKV", 1, [{"A": "only"}]) +
              [f"X{i}=" for i in range(100000)])),
    Case("every TOTAL at 2,147,483,647", every_count(INT_MAX),
         runs=["before.exe", "tool.exe", INSTALLER], programs=("before.exe", "tool.exe")),
    Case("every TOTAL at -1", every_count(-1), programs=("before.exe", "tool.exe")),
    # Windows drops the trailing dots and blanks of a name: "tool.exe. ." is
    # tool.exe. A device name is the device in any folder, so the files
    # named so in the setup folder are never reached.
    Case("device names, trailing dots and blanks, names past MAX_PATH", strange_names(),
         runs=["tool.exe", INSTALLER],
         programs=("NUL.exe", "CON.exe", "AUX.exe", "PRN.exe", "tool.exe"),
         files={"images/CON.bmp": b"BM", "images/NUL.gif": b"GIF89a",
                "images/" + "n" * 251 + ".bmp": b"BM"}),
    Case("data.tag install folder with .. and a macro inside a macro", CLIMBING_ACTIONS,
         runs=["found.exe", INSTALLER], programs=("found.exe", "beyond.exe"),
         files={"data.tag": CLIMBING_INSTALL_FOLDER, "../outside/marker.txt": b""}),
    Case("UTF-16 tag file with BOM", text(UNICODE, "utf-16-le", b"\xff\xfe")),
    Case("UTF-16 tag file without BOM", text(UNICODE, "utf-16-le")),
    Case("UTF-8 tag file with BOM", text(UNICODE, "utf-8", b"\xef\xbb\xbf")),
    Case("UTF-8 tag file without BOM", text(UNICODE, "utf-8")),
]


class BadInputTest(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        recorder_as_installer(cls)

    def environment(self, log):
        env = self.desktop.environment(CASE_LIMIT)
        # Wine prefers its own msiexec.exe to the file in the system folder.
        overrides = env.get("WINEDLLOVERRIDES", DEFAULT_DLL_OVERRIDES)
        env["WINEDLLOVERRIDES"] = f"{overrides};{INSTALLER}=n"
        env.update(log.environment())
        env.update(recorder_settings(INSTALLER, exit=INSTALLER_EXIT))
        return env

    def make_folder(self, case):
        """The case's setup folder, inside a folder of its own that is
        watched as well: nothing may appear beside the setup folder either."""
        around = tempfile.TemporaryDirectory(prefix="bad-input-")
        self.addCleanup(around.cleanup)
        folder = os.path.join(around.name, "setup")
        os.mkdir(folder)
        with open(os.path.join(folder, "kestavo.tag"), "wb") as tag:
            tag.write(case.tag)
        for name, content in case.files.items():
            path = os.path.join(folder, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as out:
                out.write(content)
        for name in case.programs:
            shutil.copyfile(environment_path("RECORDER_EXE"), os.path.join(folder, name))
        return around.name, folder

    def run_case(self, case):
        around, folder = self.make_folder(case)
        before = snapshot(around)
        logs = tempfile.TemporaryDirectory(prefix="recorder-log-")
        self.addCleanup(logs.cleanup)
        log = RecorderLog(logs.name)
        artifacts = self.desktop.artifacts / case.name.replace(" ", "-").replace(",", "")
        artifacts.mkdir(parents=True, exist_ok=True)
        began = time.monotonic()
        setup = WineProgram(environment_path("SETUP_EXE"), folder, self.environment(log),
                            artifacts / "setup.log")
        try:
            self.assertTrue(setup.wait(CASE_LIMIT), f"setup.exe {setup.state()}")
        finally:
            setup.end()
        (artifacts / "time.txt").write_text(f"{time.monotonic() - began:.1f} s\n")
        self.assertEqual(setup.state(), f"ended with exit code {case.exit_code % 256}")
        self.assertEqual(log.names(), case.runs, "programs started, in order")
        self.assertEqual(snapshot(around), before, "files around the setup folder changed")

    def test_hostile_setup_folders_end_in_time_with_their_exit_code_and_change_nothing(self):
        for case in CASES:
            with self.subTest(case.name):
                self.run_case(case)


def snapshot(folder):
    """Every file and folder below `folder` with its size and time."""
    found = {}
    for root, folders, files in os.walk(folder):
        for name in folders + files:
            path = os.path.join(root, name)
            status = os.lstat(path)
            found[os.path.relpath(path, folder)] = (status.st_size, status.st_mtime_ns)
    return found


if __name__ == "__main__":
    unittest.main()
