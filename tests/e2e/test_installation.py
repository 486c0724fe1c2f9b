"""The installation sequence of the real setup.exe under Wine: the package
really installed by msiexec.exe, the vendor's programs around it, the
language switcher and the runtime redistributable at start-up, the exit
code, how idle setup.exe is while the installer runs, and how it ends when
it cannot go on.

The programs setup.exe runs are recorder copies (RECORDER_EXE) that log who
ran, with which command line, in which folder and when; msiexec.exe is
Wine's own unless a test puts a recorder in its place. Wine traces every
process setup.exe starts (WINEDEBUG +process), which shows the command
line exactly as setup.exe passed it: Wine hands a program started with an
empty command line its own quoted name instead.

FAILINGHOOK_DLL makes one of setup.exe's own calls fail once it is in the
system folder under a name setup.exe preloads; FATALPROGRAM_EXE is built as
setup.exe is, with the piece that decides how it ends, and gives up as told.
"""

import json
import os
import re
import shutil
import signal
import subprocess
import unittest
from pathlib import Path, PureWindowsPath
from unittest import mock

from installation_e2e import (FIXTURES, INSTALLED_FILE, SYSTEM_FOLDER, BatchSetup, Package,
                              PrefixChanges, RecorderLog, recorder_settings, run_wine,
                              windows_path, wine_prefix)
from wine_e2e import PROBE_LIMIT, WINE_RUN, WineTestCase, environment_path

CAPTION = "Morlenby Kestavo"
BEFORE = "Before installation"
AFTER = "After installation"
EXIT_USER_CANCELLED = 1602
EXIT_INSTALL_FAILURE = 1603
# msvcrt.dll ends the process with this code after a fatal error of its own.
EXIT_RUNTIME_ERROR = 255
RUN_LIMIT = 90
END_AFTER_ESCAPE_LIMIT = 10
FATAL_END_LIMIT = 30
# A library setup.exe preloads from the system folder and Wine does not have.
FAILING_LIBRARY = "cryptbase.dll"
APP_DEFAULTS = r"HKCU\Software\Wine\AppDefaults\setup.exe"
DEFAULT_DLL_OVERRIDES = "mscoree,mshtml="

# setup.exe's stand-in installer waits this long; setup.exe must idle meanwhile.
INSTALLER_WAIT_MS = 10000
WAIT_CPU_LIMIT = 0.5

# Libraries that Windows and its DLLs look for by name, in the program's
# folder first unless the program says otherwise.
PLANTED_LIBRARIES = ("version", "uxtheme", "dwmapi", "winmm", "msimg32", "oleacc", "propsys",
                     "cryptbase", "userenv", "apphelp", "comctl32", "msi", "riched20", "urlmon",
                     "wininet", "msvfw32", "avifil32", "shfolder", "secur32", "setupapi",
                     "profapi", "ntmarta", "clbcatq", "mpr", "winhttp", "iphlpapi")
NATIVE_LOAD = re.compile(r'^[0-9a-f]+:trace:loaddll:\w+ Loaded L"(.*)" at [0-9A-Fa-f]+: native$')
EXAMPLE = FIXTURES.parents[2] / "examples" / "setup"

PROCESS_START = re.compile(r"^([0-9a-f]+):trace:process:CreateProcessInternalW "
                           r'app (\(null\)|L".*") cmdline (\(null\)|L".*")$')
SETUP_CREATED = re.compile(r"^[0-9a-f]+:trace:process:NtCreateUserProcess "
                           r'L"[^"]*\\\\setup\.exe" .*pid [0-9a-f]+ tid ([0-9a-f]+)')


def wine_text(traced):
    """A string as Wine's debug channels print it (L"..." with C escapes)."""
    if traced == "(null)":
        return None
    return re.sub(r"\\(.)", r"\1", traced[2:-1])


def started_by_setup(log):
    """(program, command line) of each process setup.exe's main thread
    created, in order, from the +process trace of the run."""
    lines = log.read_text(errors="replace").splitlines()
    threads = {match[1] for match in map(SETUP_CREATED.match, lines) if match}
    starts = [PROCESS_START.match(line) for line in lines]
    return [(wine_text(match[2]), wine_text(match[3])) for match in starts
            if match and match[1] in threads]


def planted_loaded(log, folder):
    """The names of the libraries in `folder` that the +loaddll trace shows loaded."""
    prefix = windows_path(folder).lower() + "\\"
    loaded = [wine_text(f'L"{match[1]}"') for match in
              map(NATIVE_LOAD.match, log.read_text(errors="replace").splitlines()) if match]
    return sorted({PureWindowsPath(path).stem.lower() for path in loaded
                   if path.lower().startswith(prefix) and path.lower().endswith(".dll")})


def utf8_locale_installed(language):
    """Whether the language's UTF-8 locale (such as "ja_JP") is made."""
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True, check=False)
    return any(name.lower() in (f"{language.lower()}.utf8", f"{language.lower()}.utf-8")
               for name in listed.stdout.split())


def file_support(*entries):
    lines = ["[FILESUPPORT]", f"TOTAL={len(entries)}"]
    for index, (program, point) in enumerate(entries):
        lines += [f"A{index}={program}", f"B{index}={point}"]
    return lines


class WindowWatch:
    """winprobe waiting, from before setup.exe starts, for a window with the
    given title to become visible; ended when the test has seen enough."""

    def __init__(self, env, title):
        env = dict(env, SETUP_WINE_TIMEOUT=str(RUN_LIMIT))
        self._process = subprocess.Popen(
            [str(WINE_RUN), str(environment_path("WINPROBE_EXE")), "wait", title,
             str(RUN_LIMIT)], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)

    def seen(self):
        return self._process.poll() == 0

    def end(self):
        if self._process.poll() is None:
            os.killpg(self._process.pid, signal.SIGKILL)
            self._process.wait()


class InstallationTest(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        if not shutil.which("wixl"):
            raise RuntimeError("wixl is missing; devscripts/install-deps.sh installs it")
        cls.recorder = environment_path("RECORDER_EXE")
        cls.prefix = wine_prefix()
        # A run killed half-way leaves its journal behind: put the prefix back.
        PrefixChanges(cls.prefix, os.environ).undo()

    def setUp(self):
        super().setUp()
        environment = mock.patch.dict(os.environ)
        environment.start()
        self.addCleanup(environment.stop)
        self.log = RecorderLog(self.desktop.artifacts)
        self.log.path.unlink(missing_ok=True)
        os.environ.update(self.log.environment())
        os.environ["WINEDEBUG"] = "-all,+process"
        self.prefix_changes = PrefixChanges(self.prefix, self.wine_environment())
        self.packages = []
        self.addCleanup(self.put_machine_back)

    def put_machine_back(self):
        """Ends setup.exe and its children before the prefix is put back
        and the package removed, which an installation still running would
        get in the way of."""
        self.desktop.close()
        self.prefix_changes.undo()
        for package, env in self.packages:
            package.uninstall(env)

    def wine_environment(self):
        return self.desktop.environment(PROBE_LIMIT)

    # The setup folder and the machine.

    def add_recorder(self, name, **settings):
        """A recorder copy at `name` in the setup folder, configured with
        EXIT, WAIT, SHOW, FILE and SEEK settings."""
        target = self.folder / name
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(self.recorder, target)
        os.environ.update(recorder_settings(target.name, **settings))

    def add_package(self):
        package = Package(self.prefix)
        package.build(self.folder / "_data.msi")
        self.packages.append((package, self.wine_environment()))
        return package

    def replace_installer(self, **settings):
        """A recorder in place of the system folder's msiexec.exe; Wine runs
        its builtin installer for that name unless told otherwise."""
        self.prefix_changes.replace_system_file("msiexec.exe", self.recorder)
        overrides = os.environ.get("WINEDLLOVERRIDES", DEFAULT_DLL_OVERRIDES)
        os.environ["WINEDLLOVERRIDES"] = f"{overrides};msiexec.exe=n"
        os.environ.update(recorder_settings("msiexec.exe", **settings))

    def setup_folder(self):
        return windows_path(self.folder)

    # Running setup.exe.

    def start_setup_from_batch(self):
        self.batch = BatchSetup(self.desktop.artifacts)
        return self.desktop.start(self.batch.batch, self.folder, RUN_LIMIT)

    def setup_output(self):
        return self.desktop.artifacts / f"{self.batch.batch.stem}.log"

    def finish(self, setup, seconds):
        """setup.exe's exit code once it has ended within `seconds`."""
        self.assertTrue(setup.wait(seconds), f"setup.exe {setup.state()} after {seconds} s")
        code = BatchSetup.exit_code(self.setup_output())
        self.assertIsNotNone(code, "the batch did not report setup.exe's exit code")
        return code

    def run_setup(self):
        return self.finish(self.start_setup_from_batch(), RUN_LIMIT)

    def assert_runs(self, expected):
        self.assertEqual(self.log.names(), expected, "programs run, in order")
        runs = self.log.runs()
        for name, start, end in runs:
            self.assertIsNotNone(end, f"{name} did not end")
            self.assertEqual(start["folder"], self.setup_folder(), f"current folder of {name}")
        return [(start, end) for _, start, end in runs]

    # The tests.

    def test_package_is_installed_between_the_before_and_after_programs(self):
        package = self.add_package()
        self.add_recorder("before.exe", file=package.installed_windows)
        self.add_recorder("after.exe", file=package.installed_windows)
        self.add_recorder("InstMsiA.exe")
        self.add_recorder("InstMsiW.exe")
        # Listed after-first: the point, not the place in the list, decides.
        self.write_setup_file("kestavo.tag", file_support(("after.exe", AFTER),
                                                          ("before.exe", BEFORE)))

        self.assertEqual(self.run_setup(), 0, "exit code")

        # Wine's runtime is current, so no redistributable runs.
        (before, _), (after, _) = self.assert_runs(["before.exe", "after.exe"])
        self.assertFalse(before["file_exists"], "package installed before 'Before installation'")
        self.assertTrue(after["file_exists"], "package not installed by 'After installation'")
        self.assertEqual(package.installed.read_bytes(),
                         (FIXTURES / INSTALLED_FILE).read_bytes())
        self.assertEqual(before["command_line"], '"before.exe"', "Wine's form of an empty one")

        package_path = f"{self.setup_folder()}\\_data.msi"
        installer = f"{SYSTEM_FOLDER}\\msiexec.exe"
        self.assertEqual(started_by_setup(self.setup_output()), [
            ("before.exe", ""),
            (installer, f'{installer} /I "{package_path}"'),
            ("after.exe", ""),
        ])

    def run_among_planted_libraries(self, program, folder, names):
        """`program` copied into `folder` beside a stranger's DLL under each
        name, which Wine takes before its own wherever the folder is
        searched, and run from there to its end; the planted ones it loaded."""
        os.environ["WINEDLLOVERRIDES"] = ";".join([DEFAULT_DLL_OVERRIDES] +
                                                  [f"{name}=n,b" for name in names])
        folder.mkdir(exist_ok=True)
        for name in names:
            shutil.copyfile(environment_path("OLDMSI_DLL"), folder / f"{name}.dll")
        copy = folder / Path(program).name
        shutil.copyfile(program, copy)
        run = self.desktop.start(copy, folder, RUN_LIMIT)
        self.assertTrue(run.wait(RUN_LIMIT), f"{copy.name} {run.state()} after {RUN_LIMIT} s")
        return planted_loaded(self.desktop.artifacts / f"{copy.stem}.log", folder)

    def loaded_before_any_code(self):
        """The planted libraries Wine loads for a program that imports what
        setup.exe imports, before the program's first instruction: no setting
        of the program's keeps them out. A stranger's copy of one breaks the
        program at once, hiding the next, so each round plants the rest."""
        found = []
        for round_number in range(len(PLANTED_LIBRARIES)):
            rest = [name for name in PLANTED_LIBRARIES if name not in found]
            loaded = self.run_among_planted_libraries(environment_path("PLAINPROGRAM_EXE"),
                                                      self.folder / f"plain{round_number}", rest)
            if not loaded:
                break
            found += loaded
        return found

    def test_libraries_planted_in_the_setup_folder_are_not_loaded(self):
        os.environ["WINEDEBUG"] = "-all,+loaddll"
        before_any_code = self.loaded_before_any_code()
        setup_folder = self.folder / "setup"
        setup_folder.mkdir()
        self.folder = setup_folder
        for name in ("logo.bmp", "setup.bmp", "kestavo.tag", "data.tag", "images"):
            copy = shutil.copytree if (EXAMPLE / name).is_dir() else shutil.copyfile
            copy(EXAMPLE / name, self.folder / name)
        package = self.add_package()

        loaded = self.run_among_planted_libraries(
            environment_path("SETUP_EXE"), self.folder,
            [name for name in PLANTED_LIBRARIES if name not in before_any_code])

        self.assertEqual(loaded, [], f"beyond {before_any_code}, which Wine loads for any program")
        self.assertTrue(package.installed.exists(), "package not installed")

    def test_silent_run_installs_the_package_without_showing_a_window(self):
        package = self.add_package()
        self.write_setup_file("kestavo.tag", ["[BUILD]", "SILENT=1"])
        watch = WindowWatch(self.wine_environment(), CAPTION)
        self.addCleanup(watch.end)

        self.assertEqual(self.run_setup(), 0, "exit code")

        self.assertFalse(watch.seen(), "the progress dialog was shown")
        self.assertEqual(package.installed.read_bytes(),
                         (FIXTURES / INSTALLED_FILE).read_bytes())
        installer = f"{SYSTEM_FOLDER}\\msiexec.exe"
        self.assertEqual(started_by_setup(self.setup_output()), [
            (installer, f'{installer} /qn /I "{self.setup_folder()}\\_data.msi"'),
        ])

    def test_language_switcher_gets_the_quoted_setup_folder_before_the_dialog(self):
        # Long enough for the dialog to appear if setup.exe did not wait.
        self.add_recorder("Languages/switch.exe", seek=CAPTION, wait=1500)
        self.add_recorder("switch.exe")
        self.replace_installer()
        self.write_setup_file("kestavo.tag", ["[APPINFO]", "LanguageM=Ask user for Language"])

        self.assertEqual(self.run_setup(), 0, "exit code")

        (switch, switch_end), (installer, _) = self.assert_runs(["switch.exe", "msiexec.exe"])
        folder = self.setup_folder()
        self.assertEqual(switch["path"], f"{folder}\\Languages\\switch.exe")
        # The argument keeps the folder's backslash right before its quote.
        self.assertTrue(switch["command_line"].endswith(f' "{folder}\\"'),
                        switch["command_line"])
        self.assertFalse(switch["window_present"], "dialog shown before the switcher ran")
        self.assertFalse(switch_end["window_present"], "dialog shown while the switcher ran")
        self.assertLessEqual(switch_end["time"], installer["time"])

    def test_windows_98_with_an_old_runtime_runs_InstMsiA_at_start_up_and_before_the_package(
            self):
        package = self.add_package()
        # setup.exe alone sees Windows 98 and the old msi.dll; msiexec.exe
        # keeps Wine's own runtime.
        self.prefix_changes.set_registry(APP_DEFAULTS, {"Version": "win98",
                                                        "DllOverrides\\msi": "native"})
        self.prefix_changes.replace_system_file("msi.dll", environment_path("OLDMSI_DLL"))
        self.add_recorder("InstMsiA.exe", seek=CAPTION, file=package.installed_windows, wait=500)
        self.add_recorder("InstMsiW.exe")
        self.add_recorder("before.exe")
        self.add_recorder("after.exe", file=package.installed_windows)
        self.write_setup_file("kestavo.tag", file_support(("before.exe", BEFORE),
                                                          ("after.exe", AFTER)))

        self.assertEqual(self.run_setup(), 0, "exit code")

        runs = self.assert_runs(["InstMsiA.exe", "before.exe", "InstMsiA.exe", "after.exe"])
        (at_start_up, start_up_end), _, (before_package, _), (after, _) = runs
        self.assertFalse(at_start_up["window_present"], "dialog shown before the start-up run")
        self.assertFalse(start_up_end["window_present"], "dialog shown during the start-up run")
        self.assertFalse(before_package["file_exists"], "second run after the package")
        self.assertTrue(after["file_exists"], "package not installed")
        redistributable = f"{self.setup_folder()}\\InstMsiA.exe"
        installer = f"{SYSTEM_FOLDER}\\msiexec.exe"
        # At start-up through the shell, which names the program itself.
        self.assertEqual(started_by_setup(self.setup_output()), [
            (None, f'"{redistributable}"'),
            ("before.exe", ""),
            (redistributable, ""),
            (installer, f'{installer} /I "{self.setup_folder()}\\_data.msi"'),
            ("after.exe", ""),
        ])

    def test_a_folder_named_outside_the_code_page_installs_by_its_short_name(self):
        self.folder = self.folder / "Привет"
        self.folder.mkdir()
        package = self.add_package()
        self.write_setup_file("kestavo.tag", ["[BUILD]", "SILENT=1"])

        self.assertEqual(self.run_setup(), 0, "exit code")

        self.assertTrue(package.installed.exists(), "package not installed")
        (installer, command_line), = started_by_setup(self.setup_output())
        self.assertTrue(command_line.endswith('\\_data.msi"'), command_line)
        self.assertNotIn("?", command_line, "a folder name the code page cannot hold")

    def test_japanese_names_keep_the_characters_whose_second_byte_is_a_backslash(self):
        # "表" and "ソ" end in byte 0x5C in the Japanese code page, Wine's
        # ANSI code page under a Japanese locale. Without the locale Wine
        # cannot read the folder's UTF-8 name.
        if not utf8_locale_installed("ja_JP"):
            self.skipTest("the ja_JP.UTF-8 locale is missing; devscripts/install-deps.sh makes it")
        os.environ.update(LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
        self.log.encoding = "cp932"
        self.folder = self.folder / "表"
        self.folder.mkdir()
        package = self.add_package()
        self.add_recorder("ソフト.exe")
        self.write_setup_file("kestavo.tag", [
            "[BUILD]", "SILENT=1", "[ADVACTIONSKV]", "TOTAL=1",
            "B0=Run 3rd party software and wait", "G0=D:\\Tools\\ソフト.exe"], "cp932")

        self.assertEqual(self.run_setup(), 0, "exit code")

        (program, _), = self.assert_runs(["ソフト.exe"])
        self.assertEqual(program["path"], f"{self.setup_folder()}\\ソフト.exe")
        self.assertTrue(package.installed.exists(), "package not installed")

    def test_a_folder_named_outside_ascii_keeps_its_name_where_the_code_page_is_utf8(self):
        # Wine makes UTF-8 the ANSI code page of a locale that Windows gives
        # none of its own, such as Hindi, as a user may on Windows 10. The
        # folder's long name is written whole: no short name stands in.
        if not utf8_locale_installed("hi_IN"):
            self.skipTest("the hi_IN.UTF-8 locale is missing; devscripts/install-deps.sh makes it")
        os.environ.update(LANG="hi_IN.UTF-8", LC_ALL="hi_IN.UTF-8")
        self.log.encoding = "utf-8"
        self.folder = self.folder / "सेटअप Привет"
        self.folder.mkdir()
        self.replace_installer()
        self.add_recorder("after.exe")
        self.write_setup_file("kestavo.tag", ["[BUILD]", "SILENT=1"] +
                              file_support(("after.exe", AFTER)))

        self.assertEqual(self.run_setup(), 0, "exit code")

        (installer, _), (after, _) = self.assert_runs(["msiexec.exe", "after.exe"])
        self.assertEqual(installer["command_line"], f'{SYSTEM_FOLDER}\\msiexec.exe /qn /I '
                                                    f'"{self.setup_folder()}\\_data.msi"')
        self.assertEqual(after["path"], f"{self.setup_folder()}\\after.exe")

    def test_cancelled_run_ends_with_1602_before_anything_is_installed(self):
        self.replace_installer()
        self.add_recorder("after.exe")
        self.write_setup_file("kestavo.tag", ["[SPLASH]", "A0=Waiting", "A4=30"] +
                              file_support(("after.exe", AFTER)))
        setup = self.start_setup_from_batch()
        self.assertIsNotNone(self.desktop.wait_for_window(CAPTION, RUN_LIMIT),
                             f"no progress dialog; setup.exe {setup.state()}")

        self.assertTrue(self.desktop.press_escape(CAPTION), "Escape not delivered")

        self.assertEqual(self.finish(setup, END_AFTER_ESCAPE_LIMIT), EXIT_USER_CANCELLED)
        self.assertEqual(self.log.names(), [], "programs run after the cancel")

    def assert_ends_by_itself_showing_nothing(self, program):
        """`program`'s state once it has ended, by itself and showing no
        window: a box would wait for someone who is not there."""
        ended = program.wait(FATAL_END_LIMIT)
        state = program.state()
        _, windows = self.desktop.probe("list")
        program.end()
        self.assertTrue(ended, f"{state} after {FATAL_END_LIMIT} s, showing {windows}")
        self.assertEqual(windows, [], "windows shown")
        return state

    def test_a_run_that_cannot_go_on_ends_at_once_with_1603_and_shows_no_box(self):
        # Out of memory, out of threads, or the C runtime's own fatal error
        # for a thread's data, which ends with the runtime's code.
        self.prefix_changes.add_system_file(FAILING_LIBRARY, environment_path("FAILINGHOOK_DLL"))
        self.write_setup_file("kestavo.tag", ["[SPLASH]", "A0=Disabled"])
        for call, expected in (("malloc", EXIT_INSTALL_FAILURE),
                               ("CreateThread", EXIT_INSTALL_FAILURE),
                               ("runtime", EXIT_RUNTIME_ERROR)):
            with self.subTest(call):
                os.environ["SETUP_FAILING_CALL"] = call
                self.assert_ends_by_itself_showing_nothing(self.start_setup_from_batch())
                self.assertEqual(BatchSetup.exit_code(self.setup_output()), expected, "exit code")
                self.assertEqual(started_by_setup(self.setup_output()), [], "programs started")

    def test_each_way_a_program_built_as_setup_exe_gives_up_ends_with_1603_and_no_box(self):
        for way in ("abort", "memory", "length", "terminate", "pure"):
            with self.subTest(way):
                program = self.desktop.start(environment_path("FATALPROGRAM_EXE"), self.folder,
                                             arguments=[way])
                self.assertEqual(self.assert_ends_by_itself_showing_nothing(program),
                                 f"ended with exit code {EXIT_INSTALL_FAILURE % 256}")

    def test_installer_exit_code_is_passed_on_and_setup_idles_while_it_waits(self):
        self.replace_installer(wait=INSTALLER_WAIT_MS, exit=1625, show="Test Installer")
        self.add_recorder("after.exe")
        self.write_setup_file("kestavo.tag", file_support(("after.exe", AFTER)))

        self.assertEqual(self.run_setup(), 1625, "exit code")

        (installer, installer_end), (after, _) = self.assert_runs(["msiexec.exe", "after.exe"])
        self.assertEqual(installer["command_line"],
                         f'{SYSTEM_FOLDER}\\msiexec.exe /I "{self.setup_folder()}\\_data.msi"')
        self.assertGreaterEqual(installer_end["time"] - installer["time"],
                                INSTALLER_WAIT_MS / 1000 - 0.1)
        self.assertLessEqual(installer_end["time"], after["time"], "did not wait for msiexec")
        busy = installer_end["parent_cpu"] - installer["parent_cpu"]
        (self.desktop.artifacts / "wait-cpu.txt").write_text(
            f"setup.exe used {busy:.3f} s of processor time while msiexec.exe ran "
            f"{installer_end['time'] - installer['time']:.1f} s\n")
        self.assertLess(busy, WAIT_CPU_LIMIT, "processor seconds while waiting for msiexec.exe")

    def test_the_preview_starts_the_programs_setup_exe_starts_under_wine(self):
        self.replace_installer()
        for name in ("before.exe", "after.exe", "tool.exe"):
            self.add_recorder(name)
        self.write_setup_file("kestavo.tag", file_support(("before.exe", BEFORE),
                                                          ("after.exe", AFTER)) + [
            "[ADVACTIONSKV]", "TOTAL=1", "B0=Run 3rd party software and wait",
            "G0=D:\\Tools\\tool.exe", "H0=/quiet"])

        self.assertEqual(self.run_setup(), 0, "exit code")
        preview = subprocess.run(
            [str(WINE_RUN), str(environment_path("SETUP_PREVIEW_EXE")), windows_path(self.folder),
             "--json"], env=self.wine_environment(), capture_output=True, timeout=PROBE_LIMIT + 10)
        self.assertEqual(preview.returncode, 0, preview.stderr)
        timeline = json.loads(preview.stdout)

        # The preview's machine keeps its setup folder at C:\SETUP.
        def as_on_wine(text):
            return (text.replace("C:\\SETUP", self.setup_folder())
                    .replace("C:\\WINDOWS\\SYSTEM32", SYSTEM_FOLDER))

        told = [as_on_wine(event["text"])[len("started "):] for event in timeline["events"]
                if event["kind"] == "program" and event["text"].startswith("started ")]
        ran = [(start["path"], start["command_line"]) for _, start, _ in self.log.runs()]

        def name(path):
            return path.split(", command line")[0].rsplit("\\", 1)[-1].lower()

        self.assertEqual([name(program) for program in told],
                         [name(path) for path, _ in ran])
        self.assertEqual(["before.exe", "tool.exe", "msiexec.exe", "after.exe"],
                         [name(path) for path, _ in ran])
        installer_told = told[2].split('command line "', 1)[1].rsplit('", in ', 1)[0]
        self.assertEqual(installer_told.lower(), ran[2][1].lower())
        self.assertEqual(timeline["exit_code"], 0)

    def test_missing_package_and_missing_program_do_not_stop_the_run(self):
        self.add_recorder("after.exe")
        self.write_setup_file("kestavo.tag", file_support(("missing.exe", BEFORE),
                                                          ("after.exe", AFTER)))

        code = self.run_setup()

        self.assert_runs(["after.exe"])
        package_path = f"{self.setup_folder()}\\_data.msi"
        installer_code = run_wine(self.wine_environment(), "msiexec", "/I", package_path)
        self.assertNotEqual(installer_code, 0, "msiexec.exe accepted a missing package")
        self.assertEqual(code % 256, installer_code, "setup.exe's code is not msiexec.exe's")


if __name__ == "__main__":
    unittest.main()
