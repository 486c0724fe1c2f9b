"""What the installation tests add to wine_e2e: the recorder's log, stand-in
programs copied under the names setup.exe runs, a real package built with
wixl, changes to the Wine prefix that are always undone, and a way to read
setup.exe's full exit code.

Wine hands Linux a program's exit code modulo 256, so setup.exe is started
from a batch file whose cmd.exe prints the whole code after the run.
"""

import json
import os
import shutil
import subprocess
import uuid
from pathlib import Path

from wine_e2e import PROBE_LIMIT, environment_path, run_to_end, wine_setting

FIXTURES = Path(__file__).resolve().with_name("fixtures")
PACKAGE_SOURCE = FIXTURES / "sample.wxs"
INSTALLED_FILE = "readme.txt"
SYSTEM_FOLDER = "C:\\windows\\system32"
EXIT_CODE_LINE = "setup-exit-code="


def windows_path(path):
    """A Linux path as Windows programs under Wine see it: on drive Z:."""
    return "Z:" + str(path).replace("/", "\\")


def wine_prefix():
    """The prefix the Wine programs run in, as devscripts/wine-env.sh chooses it."""
    return Path(wine_setting("WINEPREFIX"))


def run_wine(env, *arguments):
    """Runs a Windows program to its end; returns its exit code (mod 256)."""
    env = dict(env, SETUP_WINE_TIMEOUT=str(PROBE_LIMIT))
    return run_to_end(arguments, env, PROBE_LIMIT, output=False)[0]


class RecorderLog:
    """The log that every recorder copy appends its "start" and "end" lines
    to, in the ANSI code page of the programs that write it."""

    def __init__(self, folder, encoding="cp1252"):
        self.path = Path(folder) / "recorder.log"
        self.encoding = encoding

    def environment(self):
        return {"SETUP_RECORDER_LOG": windows_path(self.path)}

    def lines(self):
        if not self.path.exists():
            return []
        # The recorder escapes byte by byte, so the JSON is read one byte a
        # character and its texts are decoded afterwards: the second byte of
        # a double-byte character may be an escaped backslash.
        def decoded(value):
            if isinstance(value, str):
                return value.encode("latin-1").decode(self.encoding)
            return value

        # Lines are split as bytes: a text's splitlines() would also split at
        # 0x85, which a UTF-8 character may hold.
        return [{key: decoded(value) for key, value in json.loads(line.decode("latin-1")).items()}
                for line in self.path.read_bytes().splitlines() if line]

    def runs(self):
        """(program file name, start line, end line) for each run, in the order they began."""
        started = []
        ends = {}
        for line in self.lines():
            key = (line["path"], line["command_line"])
            if line["event"] == "start":
                started.append(line)
            else:
                ends.setdefault(key, []).append(line)
        runs = []
        for start in started:
            pending = ends.get((start["path"], start["command_line"]), [])
            name = start["path"].rsplit("\\", 1)[-1]
            runs.append((name, start, pending.pop(0) if pending else None))
        return runs

    def names(self):
        return [name for name, _, _ in self.runs()]


def recorder_settings(name, **settings):
    """The environment that configures the recorder copy named `name`
    (EXIT, WAIT, SHOW, FILE, SEEK)."""
    stem = Path(name).stem.upper()
    return {f"RECORDER_{stem}_{key.upper()}": str(value) for key, value in settings.items()}


class PrefixChanges:
    """Changes to the Wine prefix that a test makes and that are undone after
    it. Each change is written to a journal inside the prefix before it is
    made, so that a run killed half-way is undone by the next one."""

    def __init__(self, prefix, env):
        self._prefix = Path(prefix)
        self._env = env
        self._journal = self._prefix / "kestavo-e2e-undo"
        self._entries = self._journal / "entries.json"

    def system_file(self, name):
        return self._prefix / "drive_c" / "windows" / "system32" / name

    def _read(self):
        return json.loads(self._entries.read_text()) if self._entries.exists() else []

    def _record(self, entry):
        self._journal.mkdir(exist_ok=True)
        entries = self._read() + [entry]
        self._entries.write_text(json.dumps(entries))

    def replace_system_file(self, name, source):
        """Puts `source` in the system folder as `name`."""
        target = self.system_file(name)
        backup = self._journal / f"file-{len(self._read())}-{name}"
        self._journal.mkdir(exist_ok=True)
        shutil.copy2(target, backup)
        self._record({"file": str(target), "backup": str(backup)})
        shutil.copyfile(source, target)

    def add_system_file(self, name, source):
        """Puts `source` in the system folder as `name`, which is not there."""
        target = self.system_file(name)
        if target.exists():
            raise RuntimeError(f"{target} exists; the test needs a name Wine does not have")
        self._record({"file": str(target), "backup": None})
        shutil.copyfile(source, target)

    def set_registry(self, key, values):
        """Sets string values below `key`, named "Value" or "Subkey\\Value";
        the whole key is put back as it was afterwards."""
        saved = None
        if run_wine(self._env, "reg", "query", key) == 0:
            saved = self._journal / f"key-{len(self._read())}.reg"
            self._journal.mkdir(exist_ok=True)
            run_wine(self._env, "reg", "export", key, windows_path(saved), "/y")
        self._record({"key": key, "saved": str(saved) if saved else None})
        for name, value in values.items():
            subkey, _, value_name = name.rpartition("\\")
            target = f"{key}\\{subkey}" if subkey else key
            if run_wine(self._env, "reg", "add", target, "/v", value_name, "/d", value,
                        "/f") != 0:
                raise RuntimeError(f"could not set {target}\\{value_name}")

    def undo(self):
        for entry in reversed(self._read()):
            if "file" in entry and entry["backup"]:
                shutil.copyfile(entry["backup"], entry["file"])
            elif "file" in entry:
                Path(entry["file"]).unlink(missing_ok=True)
            else:
                run_wine(self._env, "reg", "delete", entry["key"], "/f")
                if entry["saved"]:
                    run_wine(self._env, "reg", "import", windows_path(entry["saved"]))
        shutil.rmtree(self._journal, ignore_errors=True)


def recorder_as_installer(test_class):
    """Puts the recorder in msiexec.exe's place for the tests of
    `test_class`, after undoing what a killed earlier run left, and takes it
    away after them."""
    env = dict(os.environ, DISPLAY=test_class.screen.display)
    changes = PrefixChanges(wine_prefix(), env)
    changes.undo()
    test_class.addClassCleanup(changes.undo)
    changes.replace_system_file("msiexec.exe", environment_path("RECORDER_EXE"))


def program_files_32():
    """The Program Files folder of 32-bit packages, such as wixl makes: on
    64-bit Windows they install into its 32-bit twin."""
    if os.environ.get("SETUP_WINE_ARCH") == "win64":
        return "Program Files (x86)"
    return "Program Files"


class Package:
    """The test package: built from fixtures/sample.wxs with a product code
    of its own, installing one file into a vendor folder of its own under
    the 32-bit Program Files folder."""

    def __init__(self, prefix):
        self.product_code = "{" + str(uuid.uuid4()).upper() + "}"
        self.vendor = f"Kestavo Test {self.product_code[1:9]}"
        program_files = program_files_32()
        self.installed = (Path(prefix) / "drive_c" / program_files / self.vendor /
                          INSTALLED_FILE)
        self.installed_windows = f"C:\\{program_files}\\{self.vendor}\\{INSTALLED_FILE}"

    def build(self, msi):
        # wixl finds the package's files relative to its current folder.
        defines = {"ProductCode": self.product_code,
                   "ComponentCode": "{" + str(uuid.uuid4()).upper() + "}",
                   "VendorFolder": self.vendor}
        command = ["wixl", "-o", str(msi)]
        for name, value in defines.items():
            command += ["-D", f"{name}={value}"]
        subprocess.run(command + [str(PACKAGE_SOURCE)], cwd=FIXTURES, check=True,
                       capture_output=True, timeout=60)

    def uninstall(self, env):
        """Removes the product from the prefix, if it was installed."""
        run_wine(env, "msiexec", "/qn", "/x", self.product_code)


class BatchSetup:
    """setup.exe started from a batch file, so that its whole exit code can
    be read from the batch's output after the run."""

    def __init__(self, folder):
        self.batch = Path(folder) / "run-setup.bat"
        setup = windows_path(environment_path("SETUP_EXE"))
        self.batch.write_bytes(
            f'@"{setup}"\r\n@echo {EXIT_CODE_LINE}%ERRORLEVEL%\r\n'.encode("ascii"))

    @staticmethod
    def exit_code(log):
        """setup.exe's exit code from the batch's output, or None."""
        for line in Path(log).read_text(errors="replace").splitlines():
            if line.startswith(EXIT_CODE_LINE):
                return int(line[len(EXIT_CODE_LINE):])
        return None

