"""Two test runs on one Wine prefix, as two engineers' runs would be: the
second waits before it puts the prefix back, so it neither undoes the
first run's changes under that run's programs nor loses its journal; once
the first has ended, however it ended, the second puts back what it left.

The runs are Python processes doing what the test classes do with the
prefix; no Wine program is needed for a system file's change."""

import os
import signal
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from installation_e2e import PrefixChanges
from wine_e2e import read_line

HERE = Path(__file__).resolve().parent
LINE_LIMIT = 30

# A class's start: hold the prefix, then the leftovers are put back; the
# run given a file then changes msi.dll. It says so, then keeps the prefix
# until its input ends.
RUN = f"""
import sys
sys.path.insert(0, {str(HERE)!r})
from installation_e2e import PrefixChanges
from wine_e2e import hold_wine_prefix
prefix = sys.argv[1]
hold = hold_wine_prefix(prefix)
changes = PrefixChanges(prefix, {{}})
changes.undo()
if len(sys.argv) > 2:
    changes.replace_system_file("msi.dll", sys.argv[2])
print("ready", flush=True)
sys.stdin.readline()
"""


class PrefixHoldTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory(prefix="prefix-hold-")
        self.addCleanup(folder.cleanup)
        self.folder = Path(folder.name)
        self.prefix = self.folder / "wineprefix"
        self.msi = PrefixChanges(self.prefix, {}).system_file("msi.dll")
        self.msi.parent.mkdir(parents=True)
        self.msi.write_bytes(b"the prefix's own runtime")

    def start_run(self, *arguments):
        run = subprocess.Popen([sys.executable, "-c", RUN, str(self.prefix), *arguments],
                               stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, start_new_session=True)
        self.addCleanup(self.end_run, run)
        return run

    def end_run(self, run):
        if run.poll() is None:
            os.killpg(run.pid, signal.SIGKILL)
        run.wait()
        for pipe in (run.stdin, run.stdout):
            pipe.close()

    def test_second_run_puts_the_prefix_back_only_after_the_first_has_ended(self):
        old_runtime = self.folder / "oldmsi.dll"
        old_runtime.write_bytes(b"an old runtime")
        first = self.start_run(str(old_runtime))
        self.assertEqual(read_line(first.stdout.fileno(), LINE_LIMIT), "ready")

        second = self.start_run()
        said = read_line(second.stdout.fileno(), LINE_LIMIT)
        self.assertTrue(said.startswith("waiting for another test run"), said)
        self.assertEqual(self.msi.read_bytes(), b"an old runtime",
                         "the first run's change was undone under it")

        # Ended the hard way, with its change still made.
        os.killpg(first.pid, signal.SIGKILL)
        first.wait()
        self.assertEqual(read_line(second.stdout.fileno(), LINE_LIMIT), "ready")
        self.assertEqual(self.msi.read_bytes(), b"the prefix's own runtime",
                         "the first run's leftovers were not put back")


if __name__ == "__main__":
    unittest.main()
