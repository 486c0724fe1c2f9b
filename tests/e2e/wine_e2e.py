"""The machinery of the end-to-end tests: the real setup.exe, run under Wine
on a virtual X screen from a setup folder made for the test, and looked at
from outside the way a user would see it (windows, texts, pixels).

CTest names the programs under test in the environment: SETUP_EXE,
WINPROBE_EXE (winprobehook.dll lies beside it) and SETUP_ARTIFACTS, the
folder where screenshots and program output are kept after the run.

The screen is the one in DISPLAY when the caller gives one (devscripts/xvfb.sh
does, for a whole test run), else a private Xvfb for the test class. Every
program a test starts is ended when the test ends; the Wine prefix's own
processes end with the last program, or with `wineserver -k` at the end of
the run.

CTest's wine_desktop lock keeps the test classes of one CTest run apart;
separate runs on one Wine prefix (two engineers, a test run beside
devscripts/measure-wait-cpu.py) share its desktop, wineserver and system files
too, so each class also holds the prefix itself for as long as it runs.
"""

import fcntl
import json
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
WINE_ENV = ROOT / "devscripts" / "wine-env.sh"
WINE_RUN = ROOT / "devscripts" / "wine-run.sh"

SCREEN_GEOMETRY = "1024x768x24"
# Starting Wine the first time also makes the prefix, which takes a while.
FIRST_START_LIMIT = 240
PROBE_LIMIT = 60
PROGRAM_LIMIT = 120
XVFB_START_LIMIT = 30
WINE_SESSION_END_LIMIT = 30


def wine_setting(name, env=None):
    """A value devscripts/wine-env.sh chooses (WINEPREFIX, SETUP_WINDOWS_PRESET,
    ...) for the Wine that the environment asks for."""
    output = subprocess.run(["bash", "-c", f'source "{WINE_ENV}" && echo "${name}"'],
                            env=env, check=True, capture_output=True, text=True,
                            timeout=30).stdout
    return output.strip()


def hold_wine_prefix(prefix):
    """Waits until no other process holds the Wine prefix, then holds it
    until the returned file is closed or this process ends, however it
    ends. The tests change the prefix's system files and per-program
    settings and put them back afterwards, which another run's programs
    would otherwise see half-way, or undo under them."""
    prefix = Path(prefix)
    prefix.parent.mkdir(parents=True, exist_ok=True)
    lock = open(f"{prefix}.e2e.lock", "a")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        print(f"waiting for another test run in {prefix} to end", file=sys.stderr, flush=True)
        fcntl.flock(lock, fcntl.LOCK_EX)
    return lock


def build_wine_arch(build):
    """The Wine architecture (win32, win64) that a Windows build folder's
    programs need, as its toolchain recorded it."""
    cache = (Path(build) / "CMakeCache.txt").read_text()
    return re.search(r"^SETUP_WINE_ARCH:INTERNAL=(\w+)$", cache, re.MULTILINE)[1]


def environment_path(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(f"{name} is not set; the end-to-end tests are run by CTest")
    return Path(value)


def run_to_end(arguments, env, limit, output=True, errors=False):
    """Runs a program under Wine in a process group of its own and waits for
    its end, ending the group when it outlives `limit` (plus Wine's own
    start-up); returns its exit code and the output and error output asked
    for (None for the others). Ask only for what is read: Wine's own
    processes that the program starts keep the pipes they inherit, and the
    wait would last until they end too."""
    pipe = {True: subprocess.PIPE, False: subprocess.DEVNULL}
    process = subprocess.Popen([str(WINE_RUN), *arguments], env=env, stdin=subprocess.DEVNULL,
                               stdout=pipe[output], stderr=pipe[errors], start_new_session=True)
    try:
        printed, reported = process.communicate(timeout=limit + 10)
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
    return process.returncode, printed, reported


def read_pixels(picture, rect):
    """The pixels of a screen rectangle [left, top, right, bottom] of a
    screenshot, as (red, green, blue) tuples, row by row."""
    left, top, right, bottom = rect
    crop = f"{right - left}x{bottom - top}+{left}+{top}"
    raw = subprocess.run(["convert", str(picture), "-crop", crop, "+repage", "ppm:-"],
                         check=True, capture_output=True, timeout=30).stdout
    # Binary PPM: "P6", width, height and maximum value, each followed by
    # one whitespace byte, then the samples (which may start with any byte).
    header = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", raw)
    if not header or len(raw) - header.end() != int(header[1]) * int(header[2]) * 3:
        raise ValueError(f"unexpected picture from convert: {raw[:20]!r}")
    samples = raw[header.end():]
    return [tuple(samples[i:i + 3]) for i in range(0, len(samples), 3)]


def read_line(descriptor, seconds):
    """The first line written to a pipe, without its line end; empty when
    none comes in time. The writer may write it in pieces, and must be able
    to write all of them: Xvfb gives up if the pipe closes under it."""
    deadline = time.monotonic() + seconds
    text = b""
    while not text.endswith(b"\n"):
        ready, _, _ = select.select([descriptor], [], [], max(0, deadline - time.monotonic()))
        piece = os.read(descriptor, 64) if ready else b""
        if not piece:
            return ""
        text += piece
    return text.decode().strip()


class VirtualScreen:
    """The X display the Windows programs show on."""

    def __init__(self):
        self.display = os.environ.get("DISPLAY")
        self._server = None

    def start(self):
        if self.display:
            return self
        read_end, write_end = os.pipe()
        self._server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN_GEOMETRY,
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        try:
            number = read_line(read_end, XVFB_START_LIMIT)
        finally:
            os.close(read_end)
        if not number:
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"
        return self

    def stop(self):
        if self._server:
            wait_for_wine_session_end()
            self._server.terminate()
            self._server.wait(timeout=10)
            self._server = None


def wait_for_wine_session_end():
    """Waits until the prefix's wineserver has ended, as it does by itself
    soon after its last program, so that no Wine process outlives the X
    display it is bound to (Wine's desktop process keeps the display its
    session began on) and the next session begins on a live one."""
    try:
        subprocess.run(["bash", "-c", f'source "{WINE_ENV}" && exec wineserver -w'],
                       stdin=subprocess.DEVNULL, timeout=WINE_SESSION_END_LIMIT, check=False)
    except subprocess.TimeoutExpired:
        pass  # someone else's programs keep the session open; nothing more to do


class WineProgram:
    """A Windows program started under Wine, in a process group of its own
    so that it and its wrappers can be ended together."""

    def __init__(self, exe, folder, env, log, arguments=()):
        with open(log, "wb") as output:
            self._process = subprocess.Popen([str(WINE_RUN), str(exe), *arguments], cwd=folder,
                                             env=env, stdin=subprocess.DEVNULL, stdout=output,
                                             stderr=subprocess.STDOUT, start_new_session=True)

    def wait(self, seconds):
        """True when the program has ended within the given time."""
        try:
            self._process.wait(timeout=seconds)
            return True
        except subprocess.TimeoutExpired:
            return False

    def state(self):
        code = self._process.poll()
        return "still running" if code is None else f"ended with exit code {code}"

    def end(self):
        if self._process.poll() is None:
            os.killpg(self._process.pid, signal.SIGKILL)
            self._process.wait()


class WineDesktop:
    """One test's hands and eyes on the Windows desktop: it starts programs,
    asks winprobe about windows, takes screenshots, and ends what it started."""

    def __init__(self, screen, artifacts):
        self.artifacts = Path(artifacts)
        self.artifacts.mkdir(parents=True, exist_ok=True)
        self._screen = screen
        self._winprobe = environment_path("WINPROBE_EXE")
        self._programs = []

    def environment(self, limit):
        env = dict(os.environ, DISPLAY=self._screen.display)
        env["SETUP_WINE_TIMEOUT"] = str(limit)
        return env

    def start(self, exe, folder, limit=PROGRAM_LIMIT, arguments=()):
        log = self.artifacts / f"{Path(exe).stem}.log"
        program = WineProgram(exe, folder, self.environment(limit), log, arguments)
        self._programs.append(program)
        return program

    def probe(self, *arguments, limit=PROBE_LIMIT):
        """Runs winprobe; returns its exit code and its JSON lines."""
        code, output, _ = run_to_end([self._winprobe, *arguments], self.environment(limit), limit)
        if code == 2:
            raise RuntimeError(f"winprobe usage error: {arguments}")
        lines = [json.loads(line) for line in output.decode("utf-8").splitlines() if line]
        return code, lines

    def screen_size(self):
        _, lines = self.probe("screen")
        return tuple(lines[0]["screen"])

    def wait_for_window(self, title, seconds):
        """The window titled `title` once it is visible and painted, or None."""
        code, lines = self.probe("wait", title, str(seconds), limit=seconds + PROBE_LIMIT)
        return lines[0] if code == 0 else None

    def controls(self, title):
        """The window's child controls by id."""
        _, lines = self.probe("controls", title)
        return {control["id"]: control for control in lines}

    def press_escape(self, title):
        code, _ = self.probe("escape", title)
        return code == 0

    def screenshot(self, name):
        picture = self.artifacts / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(picture)], check=True,
                       env=self.environment(PROBE_LIMIT), timeout=PROBE_LIMIT)
        return picture

    def close(self):
        for program in self._programs:
            program.end()


class WineTestCase(unittest.TestCase):
    """Base of the end-to-end tests: a screen for the class, a desktop and a
    fresh setup folder for each test."""

    @classmethod
    def setUpClass(cls):
        # Released last, once the class's screen and programs are gone.
        cls.addClassCleanup(hold_wine_prefix(wine_setting("WINEPREFIX")).close)
        cls.screen = VirtualScreen().start()
        cls.addClassCleanup(cls.screen.stop)
        # The first Wine start may have to make the prefix; doing it here
        # keeps that time out of the tests' own time limits.
        desktop = WineDesktop(cls.screen, environment_path("SETUP_ARTIFACTS"))
        code, _ = desktop.probe("screen", limit=FIRST_START_LIMIT)
        if code != 0:
            raise RuntimeError("winprobe does not run under Wine")

    def setUp(self):
        name = self.id().rsplit(".", 1)[-1]
        self.desktop = WineDesktop(self.screen, environment_path("SETUP_ARTIFACTS") / name)
        self.addCleanup(self.desktop.close)
        folder = tempfile.TemporaryDirectory(prefix="setup-folder-")
        self.addCleanup(folder.cleanup)
        self.folder = Path(folder.name)

    def write_setup_file(self, name, lines, encoding="cp1252"):
        """Writes a text file of the setup folder as a Windows editor would:
        ANSI text (Western unless told) with CR LF line ends."""
        text = "".join(f"{line}\r\n" for line in lines)
        (self.folder / name).write_bytes(text.encode(encoding))

    def start_setup(self, limit=PROGRAM_LIMIT):
        return self.desktop.start(environment_path("SETUP_EXE"), self.folder, limit)
