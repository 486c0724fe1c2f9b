"""The advanced actions of the real setup.exe, answered by a real machine:
other programs' windows, the registry, files, the Windows version that
Wine reports, and the message boxes and dialogs that users answer.

Each test makes the machine state, runs setup.exe once with an action list
of its own, answers the boxes as they come, and puts the machine back.
Besides CTest's SETUP_EXE, WINPROBE_EXE and SETUP_ARTIFACTS, WINDOWHOST_EXE
names the helper that stands for another vendor's running program; the
preview's dry run on the prefix also uses SETUP_PREVIEW_EXE and RECORDER_EXE.
"""

import json
import os
import re
import shutil
import subprocess
import time
import unittest
from pathlib import Path

from wine_e2e import (PROBE_LIMIT, PROGRAM_LIMIT, WINE_RUN, WineProgram, WineTestCase,
                      environment_path, run_to_end)

BOX_CAPTION = "setup"  # the base name of the program file
CAPTION = "Morlenby Kestavo"  # the progress dialog, the main window
RESTART_CAPTION = "Dialog"
STOP_MESSAGE = "Can't continue with installation... Aborting."
IDOK = 1
IDCANCEL = 2
ICON_CONTROL_ID = 1088  # the icon of Wine's message box template
SS_TYPEMASK = 0x1F
SS_ICON = 0x03
# The installation abandoned; Wine hands Linux the exit code modulo 256.
EXIT_INSTALL_FAILURE = 1603 % 256

# setup.exe waits about 2 s for the progress bar before the first action.
FIRST_BOX_LIMIT = 30
NEXT_BOX_LIMIT = 10
END_LIMIT = 20

UNINSTALL_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
DOTNET_KEY = r"HKLM\SOFTWARE\Microsoft\.NETFramework"
# Wine's settings for programs named setup.exe, the reported Windows
# version among them.
VERSION_KEY = r"HKCU\Software\Wine\AppDefaults\setup.exe"

# Kernelbase traces every process it starts on this channel; the trace is
# how a test sees whether setup.exe started the package installer.
INSTALLER_START = re.compile(r'CreateProcessInternalW app L"[^"]*\\msiexec\.exe"')
ANY_START = re.compile(r"CreateProcessInternalW")


def record(kind, subject="", then="", completion="", timing="", argument=""):
    """One advanced action: the fields B to G of the tag file."""
    return dict(zip("BCDEFG", (kind, subject, then, completion, timing, argument)))


def show_box(text, completion=""):
    return record("Show MessageBox", completion=completion, argument=text)


def windows_path(path):
    """A Linux path as Windows programs under Wine see it: on drive Z:."""
    return "Z:" + str(path).replace("/", "\\")


class Program(WineProgram):
    """A Windows program started, unlike WineProgram, with arguments and an
    environment of the test's own; its output goes to `log`."""

    def __init__(self, env, log, exe, *arguments, folder=None):
        with open(log, "wb") as output:
            self._process = subprocess.Popen([str(WINE_RUN), str(exe), *arguments], cwd=folder,
                                             env=env, stdin=subprocess.DEVNULL, stdout=output,
                                             stderr=subprocess.STDOUT, start_new_session=True)
        self.log = log

    def exit_code(self):
        return self._process.poll()


class ActionsTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.windowhost = environment_path("WINDOWHOST_EXE")

    # Running Windows programs.

    def start(self, exe, *arguments, name=None, env=None, folder=None):
        name = name or Path(exe).stem
        environment = self.desktop.environment(PROGRAM_LIMIT)
        environment.update(env or {})
        program = Program(environment, self.desktop.artifacts / f"{name}.log", exe, *arguments,
                          folder=folder)
        self.addCleanup(program.end)
        return program

    def run_wine(self, *arguments):
        """Runs a Windows program to its end; returns its exit code."""
        return run_to_end(arguments, self.desktop.environment(PROBE_LIMIT), PROBE_LIMIT,
                          output=False)[0]

    def write_actions(self, records, lines=()):
        lines = [*lines, "[ADVACTIONSKV]", f"TOTAL={len(records)}"]
        for index, fields in enumerate(records):
            lines += [f"{letter}{index}={value}" for letter, value in fields.items() if value]
        self.write_setup_file("kestavo.tag", lines)

    def preview(self, *arguments, env=None):
        """Runs setup-preview.exe to its end; returns its exit code, its
        output and Wine's trace of the processes it started."""
        environment = self.desktop.environment(PROBE_LIMIT)
        environment.update(env or {}, WINEDEBUG="-all,+process")
        code, output, trace = run_to_end([environment_path("SETUP_PREVIEW_EXE"), *arguments],
                                         environment, PROBE_LIMIT, errors=True)
        return code, output.decode("utf-8"), trace.decode(errors="replace")

    def start_setup_with_actions(self, *records, name="setup"):
        self.write_actions(records)
        return self.start(environment_path("SETUP_EXE"), name=name, folder=self.folder,
                          env={"WINEDEBUG": "-all,+process"})

    def start_windowhost(self, title, window_class):
        log = self.folder / f"{window_class}.quit.log"
        host = self.start(self.windowhost, title, window_class, windows_path(log),
                          name=window_class)
        self.assertIsNotNone(self.desktop.wait_for_window(title, NEXT_BOX_LIMIT),
                             f"windowhost shows no window {title!r}; it {host.state()}")
        return host, log

    # Registry and files of the prefix.

    def reg(self, *arguments):
        return self.run_wine("reg", *arguments, "/f") == 0

    def keep_registry_key(self, key):
        """Puts the key back as it is now when the test ends, whatever the
        test does to it."""
        leaf = key.rsplit("\\", 1)[-1]
        saved = self.folder.parent / f"{self.folder.name}-{leaf}.reg"
        existed = self.run_wine("reg", "export", key, windows_path(saved), "/y") == 0

        def restore():
            self.run_wine("reg", "delete", key, "/f")
            if existed:
                self.run_wine("reg", "import", windows_path(saved))
                saved.unlink()

        self.addCleanup(restore)

    def add_uninstall_entry(self, name, display_name=None, default=None, view=()):
        """An uninstall entry, in the registry of 32-bit programs when `view`
        is ("/reg:32",) (the only one on 32-bit Windows)."""
        key = f"{UNINSTALL_KEY}\\{name}"
        self.addCleanup(self.run_wine, "reg", "delete", key, "/f", *view)
        self.assertTrue(self.reg("add", key, *view))
        if display_name is not None:
            self.assertTrue(self.reg("add", key, "/v", "DisplayName", "/d", display_name, *view))
        if default is not None:
            self.assertTrue(self.reg("add", key, "/ve", "/d", default, *view))

    def linux_path(self, windows):
        """Where a folder of the prefix lies on Linux."""
        process = subprocess.run([str(WINE_RUN), "winepath.exe", "-u", windows],
                                 env=self.desktop.environment(PROBE_LIMIT), capture_output=True,
                                 check=True, timeout=PROBE_LIMIT + 10)
        return process.stdout.decode().strip()

    def make_folder(self, path):
        os.makedirs(path)
        self.addCleanup(shutil.rmtree, path, ignore_errors=True)

    # What the user sees and answers.

    def read_box(self, seconds=NEXT_BOX_LIMIT):
        """The text of setup.exe's message box once it is shown, or None."""
        if not self.desktop.wait_for_window(BOX_CAPTION, seconds):
            return None
        return self.box_text()

    def box_text(self):
        texts = [control["text"] for control in self.desktop.controls(BOX_CAPTION).values()
                 if control["class"] == "Static" and control["style"] & SS_TYPEMASK != SS_ICON]
        return texts[0] if len(texts) == 1 else texts

    def click(self, title, button):
        code, _ = self.desktop.probe("click", title, str(button))
        self.assertEqual(code, 0, f"button {button} of {title!r} did not close it")

    def answer_boxes(self, setup, *texts, first_limit=FIRST_BOX_LIMIT):
        """Expects setup.exe's message boxes with these texts, in this
        order, and presses OK on each."""
        for text in texts:
            self.assertEqual(self.read_box(first_limit), text, f"setup.exe {setup.state()}")
            self.click(BOX_CAPTION, IDOK)
            first_limit = NEXT_BOX_LIMIT

    def assert_setup_ends(self, setup):
        if not setup.wait(END_LIMIT):
            self.desktop.screenshot("not-ended")
            self.fail(f"setup.exe still runs; message box shown: {self.read_box(0)!r}")

    def installer_started(self, setup):
        return bool(INSTALLER_START.search(setup.log.read_text(errors="replace")))

    # The tests.

    def test_running_program_is_found_by_title_in_any_case_and_closed_by_quit(self):
        kept, kept_log = self.start_windowhost("Kestavo Test Host", "KestavoHostKept")
        by_title, by_title_log = self.start_windowhost("Close By Title", "KestavoHostTitle")
        by_class, by_class_log = self.start_windowhost("Close By Class", "KestavoHostClass")
        running = "If the program described below is running"
        setup = self.start_setup_with_actions(
            record(running, "kestavo test host", "Show MessageBox", argument="other case"),
            record(running, "Kestavo Test Host", "Show MessageBox", argument="exact title"),
            record(running, "KestavoHostKept", "Show MessageBox", argument="class as title"),
            record(running, "CLOSE BY TITLE", "Close Program"),
            # Holds, since nothing of that name is installed: the subject
            # is a window class only.
            record("If the program described below is not installed", "KestavoHostClass",
                   "Close Program"),
        )
        self.answer_boxes(setup, "other case", "exact title")
        self.assert_setup_ends(setup)

        for host, log in ((by_title, by_title_log), (by_class, by_class_log)):
            self.assertTrue(host.wait(10), f"windowhost {host.state()} after Close Program")
            self.assertEqual(log.read_text(), "WM_QUIT wParam=0 lParam=0\n")
        self.assertEqual(kept.state(), "still running", "a program not named was closed")
        self.assertFalse(kept_log.exists())

    def test_installed_dotnet_and_file_conditions_read_the_real_machine(self):
        self.keep_registry_key(DOTNET_KEY)
        self.run_wine("reg", "delete", DOTNET_KEY, "/f")
        # The key alone, without an install root, is no framework.
        self.assertTrue(self.reg("add", DOTNET_KEY))
        # Listed before the entries looked for: its long name ends nothing.
        self.add_uninstall_entry("KestavoE2E.A" + "x" * 150)
        self.add_uninstall_entry("KestavoE2E.ByKeyName")
        self.add_uninstall_entry("{6F1D2C1A-0E2E-4B7A-9D3C-5A0B2E4F7C11}",
                                 display_name="Kestavo E2E Display Name")
        self.add_uninstall_entry("KestavoE2E.LongDefault", display_name="Kestavo E2E Long",
                                 default="x" * 300)
        self.add_uninstall_entry("KestavoE2E.Wow32", display_name="Kestavo E2E 32-bit",
                                 view=("/reg:32",))
        windows = self.linux_path("C:\\windows")
        program_files = self.linux_path("C:\\Program Files")
        self.make_folder(f"{windows}/kestavo-e2e")
        open(f"{windows}/kestavo-e2e/marker.txt", "w").close()
        self.make_folder(f"{program_files}/Kestavo E2E Vendor")

        installed = "If the program described below is installed"
        not_installed = "If the program described below is not installed"
        no_dotnet = "If .NET Framework don't exist"
        exists = "If the file described below exists"

        def box_if(kind, subject, text):
            return record(kind, subject, "Show MessageBox", argument=text)

        setup = self.start_setup_with_actions(
            box_if(installed, "KestavoE2E.ByKeyName", "by key name"),
            box_if(installed, "Kestavo E2E Display Name", "by display name"),
            box_if(installed, "KESTAVO E2E DISPLAY NAME", "display name in other case"),
            box_if(not_installed, "KESTAVO E2E DISPLAY NAME", "other case is not installed"),
            box_if(installed, "Kestavo E2E Long", "entry with long unnamed value"),
            box_if(installed, "Kestavo E2E 32-bit", "entry of a 32-bit product"),
            box_if(exists, "<Windows Directory>\\kestavo-e2e\\marker.txt", "file"),
            box_if(exists, "Windows Directory\\kestavo-e2e\\marker.txt", "file, bare macro"),
            box_if(exists, "<Program Files>\\Kestavo E2E Vendor\\", "folder"),
            box_if(exists, "<Windows Directory>\\kestavo-e2e\\missing.txt", "missing file"),
            box_if("If Windows 95", "", "Windows 95 on NT"),
            box_if("If Windows 98", "", "Windows 98 on NT"),
            box_if(no_dotnet, "", "no install root"),
            box_if(no_dotnet, "", "install root registered"),
        )
        self.answer_boxes(setup, "by key name", "by display name", "other case is not installed",
                          "entry with long unnamed value", "entry of a 32-bit product", "file",
                          "file, bare macro", "folder")
        # While this box is shown, the framework gets installed: each
        # record asks the registry afresh.
        self.assertEqual(self.read_box(), "no install root")
        self.assertTrue(self.reg("add", DOTNET_KEY, "/v", "InstallRoot", "/d",
                                 "C:\\windows\\Microsoft.NET\\Framework"))
        self.click(BOX_CAPTION, IDOK)
        self.assert_setup_ends(setup)

    def test_windows_version_conditions_follow_the_version_wine_reports(self):
        self.keep_registry_key(VERSION_KEY)
        # None: the prefix's own version, of the Windows NT family.
        expected = {None: [], "win95": ["Windows 95"], "win98": ["Windows 98"],
                    "winme": ["Windows 98"]}
        for version, boxes in expected.items():
            with self.subTest(version=version):
                if version:
                    self.assertTrue(self.reg("add", VERSION_KEY, "/v", "Version", "/d", version))
                else:
                    self.run_wine("reg", "delete", VERSION_KEY, "/f")
                setup = self.start_setup_with_actions(
                    record("If Windows 95", then="Show MessageBox", argument="Windows 95"),
                    record("If Windows 98", then="Show MessageBox", argument="Windows 98"),
                    show_box("end"), name=f"setup-{version or 'default'}")
                self.answer_boxes(setup, *boxes, "end")
                self.assert_setup_ends(setup)

    def test_message_box_then_stop_abandons_before_the_package_installer(self):
        setup = self.start_setup_with_actions(
            show_box("Message from the vendor", completion="Continue Installation"),
            show_box("Last words before the stop", completion="Stop installation"),
            show_box("After the stop"),
            record("Show MessageBox", timing="After Setup Complete Dialog",
                   argument="After the installer"),
        )
        self.assertEqual(self.read_box(FIRST_BOX_LIMIT), "Message from the vendor")
        box = self.desktop.controls(BOX_CAPTION)
        buttons = {number: control["text"] for number, control in box.items()
                   if control["class"] == "Button" and control["visible"]}
        self.assertEqual(buttons, {IDOK: "OK"})
        code, lines = self.desktop.probe("icon", BOX_CAPTION, str(ICON_CONTROL_ID))
        self.assertEqual(code, 0, "the message box shows no icon control")
        differing = lines[0]
        self.assertEqual(differing["exclamation"], 0, f"icon on screen: {differing}")
        self.assertTrue(all(count > 0 for name, count in differing.items()
                            if name != "exclamation"), f"icon on screen: {differing}")
        self.click(BOX_CAPTION, IDOK)

        self.answer_boxes(setup, "Last words before the stop", STOP_MESSAGE)
        self.assert_setup_ends(setup)
        self.assertEqual(setup.exit_code(), EXIT_INSTALL_FAILURE)
        self.assertFalse(self.installer_started(setup), "msiexec.exe was started")

    def test_a_batch_file_runs_from_a_folder_with_an_ampersand_and_parentheses(self):
        # cmd.exe would take such a path apart at "&" unless told exactly
        # which quotes to take off.
        self.folder = self.folder / "Tom & Jerry (v2)"
        self.folder.mkdir()
        (self.folder / "fix.bat").write_bytes(b"@echo ran>ran.txt\r\n")
        setup = self.start_setup_with_actions(record("Run 3rd party software", argument="fix.bat"))
        self.assert_setup_ends(setup)
        ran = self.folder / "ran.txt"
        deadline = time.monotonic() + END_LIMIT
        while not ran.exists() and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertTrue(ran.exists(), "the batch file did not run")

    def test_restart_dialog_goes_on_whichever_button_closes_it(self):
        setup = self.start_setup_with_actions(
            show_box("Restart, then OK", completion="Restart Computer"),
            show_box("Restart, then Cancel", completion="Restart Computer"),
            show_box("After both restarts"),
        )
        self.answer_boxes(setup, "Restart, then OK")
        restart = self.desktop.wait_for_window(RESTART_CAPTION, NEXT_BOX_LIMIT)
        self.assertIsNotNone(restart)
        # A modal dialog of the program: owned by its main window, which is
        # hidden by now, so centred on the screen.
        self.assertEqual(restart["owner"], CAPTION)
        left, top, right, bottom = restart["rect"]
        width, height = self.desktop.screen_size()
        self.assertLessEqual(abs((left + right) - width), 1, restart["rect"])
        self.assertLessEqual(abs((top + bottom) - height), 1, restart["rect"])
        controls = self.desktop.controls(RESTART_CAPTION)
        self.assertEqual({number: control["text"] for number, control in controls.items()},
                         {IDOK: "OK", IDCANCEL: "Cancel"})
        self.click(RESTART_CAPTION, IDOK)

        self.answer_boxes(setup, "Restart, then Cancel")
        self.assertIsNotNone(self.desktop.wait_for_window(RESTART_CAPTION, NEXT_BOX_LIMIT))
        self.click(RESTART_CAPTION, IDCANCEL)

        self.answer_boxes(setup, "After both restarts")
        self.assert_setup_ends(setup)
        self.assertTrue(self.installer_started(setup), "msiexec.exe was not started")

    def test_preview_of_this_machine_answers_from_it_and_changes_nothing(self):
        """setup-preview.exe --machine this: the prefix answers the records'
        questions, the simulated machine does the rest; a capture of the
        prefix replays to the same decisions."""
        self.add_uninstall_entry("KestavoE2E.Preview64", display_name="Kestavo Preview 64")
        self.add_uninstall_entry("KestavoE2E.Preview32", display_name="Kestavo Preview 32",
                                 view=("/reg:32",))
        marker = Path(self.linux_path("C:\\windows\\Fonts")) / "kestavo-e2e-preview.txt"
        marker.write_bytes(b"")
        self.addCleanup(marker.unlink)
        host, quit_log = self.start_windowhost("Kestavo Preview Host", "KestavoPreviewHost")
        shutil.copy(environment_path("RECORDER_EXE"), self.folder / "recorder.exe")
        recorder_log = self.folder / "recorder.log"
        (self.folder / "_data.msi").write_bytes(b"")
        installed = "If the program described below is installed"

        def box_if(kind, subject, text):
            return record(kind, subject, "Show MessageBox", argument=text)

        self.write_actions([
            box_if(installed, "Kestavo Preview 64", "64"),
            box_if(installed, "Kestavo Preview 32", "32"),
            box_if("If the file described below exists",
                   "<Fonts Folder>\\kestavo-e2e-preview.txt", "file"),
            box_if(installed, "Kestavo Preview Absent", "absent"),
            record("Run 3rd party software", argument="recorder.exe"),
            record("If the program described below is running", "Kestavo Preview Host",
                   "Close Program", completion="Stop installation"),
        ], lines=["[SPLASH]", "A0=Disabled", "[FILESUPPORT]", "TOTAL=1", "A0=recorder.exe",
                  "B0=Before installation"])
        folder = windows_path(self.folder)
        recorder = {"SETUP_RECORDER_LOG": windows_path(recorder_log)}

        code, output, trace = self.preview(folder, "--machine", "this", "--json", env=recorder)
        (self.desktop.artifacts / "machine-this.json").write_text(output)

        self.assertEqual(code, 1, output)
        report = json.loads(output)
        self.assertEqual(report["exit_code"], 1603)
        decisions = [event["text"] for event in report["events"] if event["kind"] == "action"]
        two_views = os.environ.get("SETUP_WINE_ARCH") == "win64"
        entry = UNINSTALL_KEY + "\\KestavoE2E.Preview{0}" + (" ({0}-bit view)" if two_views else "")
        reasons = [f'holds: the uninstall entry {entry.format(bits)} has the DisplayName '
                   f'"Kestavo Preview {bits}"' for bits in ("64", "32")]
        reasons += ['holds: "C:\\windows\\Fonts\\kestavo-e2e-preview.txt" exists',
                    'does not hold: no uninstall entry is named or shown as '
                    '"Kestavo Preview Absent"',
                    'holds: a window titled "Kestavo Preview Host" is open',
                    'completion choice "Stop installation": the installation stops']
        for reason in reasons:
            self.assertTrue(any(reason in decision for decision in decisions),
                            f"{reason!r} not in {decisions}")
        self.assertIsNone(ANY_START.search(trace), trace)
        self.assertFalse(recorder_log.exists(), "a program of the setup folder ran")
        self.assertEqual(host.state(), "still running")
        self.assertFalse(quit_log.exists(), "the running program was told to quit")

        capture = self.folder.parent / f"{self.folder.name}-capture.ini"
        self.addCleanup(capture.unlink, missing_ok=True)
        code, output, trace = self.preview("--capture", windows_path(capture), folder)
        self.assertEqual(code, 0, output)
        self.assertIsNone(ANY_START.search(trace), trace)
        captured = capture.read_text()
        shutil.copy(capture, self.desktop.artifacts / "capture.ini")
        self.assertTrue(captured.startswith("; A machine file for setup-preview"), captured)
        self.assertIn("Kestavo Preview Host=KestavoPreviewHost", captured)
        self.assertIn("KestavoE2E.Preview64=Kestavo Preview 64", captured)
        self.assertNotIn("Favorites", captured)
        self.assertNotIn(os.environ.get("USER", "root"), captured.lower())

        code, output, _ = self.preview(folder, "--machine", windows_path(capture), "--json")
        self.assertEqual(code, 1, output)
        replayed = json.loads(output)
        self.assertEqual(replayed["exit_code"], 1603)
        self.assertEqual([event["text"] for event in replayed["events"]
                          if event["kind"] == "action"], decisions)


if __name__ == "__main__":
    unittest.main()
