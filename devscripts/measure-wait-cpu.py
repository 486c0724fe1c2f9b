#!/usr/bin/env python3
"""Measures how much processor time setup.exe uses while it waits for
msiexec.exe, under Wine on a virtual screen.

A recorder stands in for the system folder's msiexec.exe and runs for the
given time; setup.exe's processor time over that wait is read two ways:
from /proc/<pid>/stat of the Wine process running setup.exe (utime + stime,
sampled when the stand-in starts and ends), and from the thread times the
stand-in itself reads for its parent. The prefix is put back afterwards.

    python3 devscripts/measure-wait-cpu.py [--build BUILD] [--seconds 10]

BUILD is a Windows build folder (default: that of the preset devscripts/wine-env.sh
chooses, build/windows or build/windows-x64); build it first. It runs under
the Wine its architecture needs. Uses DISPLAY when set, else its own Xvfb.
"""

import argparse
import os
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from installation_e2e import (BatchSetup, PrefixChanges, RecorderLog,  # noqa: E402
                              recorder_settings, wine_prefix)
from wine_e2e import (WINE_RUN, VirtualScreen, build_wine_arch,  # noqa: E402
                      hold_wine_prefix, wine_setting)

POLL_SECONDS = 0.02
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def processor_seconds(pid):
    """utime + stime of a Linux process, in seconds."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def find_setup_process(group):
    """The Linux process of setup.exe in the given process group."""
    for stat in Path("/proc").glob("[0-9]*/stat"):
        try:
            text = stat.read_text()
        except OSError:
            continue
        name = text[text.index("(") + 1:text.rindex(")")]
        if name == "setup.exe" and int(text.rsplit(")", 1)[1].split()[2]) == group:
            return int(stat.parent.name)
    return None


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise RuntimeError("timed out")
        time.sleep(POLL_SECONDS)


def installer_lines(log, event):
    return [line for line in log.lines()
            if line["event"] == event and line["path"].lower().endswith("\\msiexec.exe")]


def measure(build, seconds, work):
    os.environ["SETUP_EXE"] = str(build / "src" / "setup.exe")
    folder = work / "setup"
    folder.mkdir()
    (folder / "kestavo.tag").write_bytes(b"[SETUP]\r\n")
    log = RecorderLog(work)
    batch = BatchSetup(work)
    env = dict(os.environ, **log.environment(), **recorder_settings(
        "msiexec.exe", wait=int(seconds * 1000)))
    env["WINEDLLOVERRIDES"] = env.get("WINEDLLOVERRIDES", "mscoree,mshtml=") + ";msiexec.exe=n"
    env["SETUP_WINE_TIMEOUT"] = str(int(seconds) + 120)

    changes = PrefixChanges(wine_prefix(), env)
    changes.undo()
    changes.replace_system_file("msiexec.exe", build / "tests" / "helpers" / "recorder.exe")
    output = work / "run-setup.log"
    try:
        with open(output, "wb") as sink:
            run = subprocess.Popen([str(WINE_RUN), str(batch.batch)], cwd=folder, env=env,
                                   stdin=subprocess.DEVNULL, stdout=sink,
                                   stderr=subprocess.STDOUT, start_new_session=True)
        try:
            wait_for(lambda: installer_lines(log, "start"), 120)
            setup = find_setup_process(run.pid)
            at_start = processor_seconds(setup)
            wait_for(lambda: installer_lines(log, "end"), seconds + 60)
            at_end = processor_seconds(setup)
            run.wait(timeout=60)
        finally:
            if run.poll() is None:
                os.killpg(run.pid, signal.SIGKILL)
                run.wait()
    finally:
        changes.undo()

    start, = installer_lines(log, "start")
    end, = installer_lines(log, "end")
    print(f"msiexec.exe stand-in ran {end['time'] - start['time']:.2f} s")
    print(f"setup.exe processor time meanwhile, /proc/{setup}/stat utime+stime: "
          f"{at_end - at_start:.3f} s")
    print(f"setup.exe processor time meanwhile, its threads' times: "
          f"{end['parent_cpu'] - start['parent_cpu']:.3f} s")
    print(f"setup.exe exit code: {BatchSetup.exit_code(output)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", type=Path)
    parser.add_argument("--seconds", type=float, default=10)
    options = parser.parse_args()
    build = options.build or ROOT / "build" / wine_setting("SETUP_WINDOWS_PRESET")
    os.environ["SETUP_WINE_ARCH"] = build_wine_arch(build)
    # Its stand-in msiexec.exe must not be put back under a test run, nor
    # stand in for that run's: the prefix is this program's until it ends.
    with hold_wine_prefix(wine_prefix()):
        screen = VirtualScreen().start()
        os.environ["DISPLAY"] = screen.display
        try:
            with tempfile.TemporaryDirectory(prefix="wait-cpu-") as work:
                measure(build.resolve(), options.seconds, Path(work))
        finally:
            screen.stop()


if __name__ == "__main__":
    main()
