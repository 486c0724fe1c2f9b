"""devscripts/install-deps.sh on made-up machines: stand-ins for apt-get, dpkg,
dpkg-query, id and the locale commands record every call and answer from
files, so the script's decisions are seen without root and without touching
this machine."""

import os
import shutil
import subprocess
import tempfile
import textwrap
import unittest
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]

STUBS = {
    "apt-get": r"""
        echo "apt-get $*" >>"$STUB/calls"
        case " $* " in
        *" update "*)
          left=$(cat "$STUB/update-failures")
          [ "$left" -gt 0 ] || exit 0
          echo $((left - 1)) >"$STUB/update-failures"
          echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
          echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
          exit 100 ;;
        esac
        for package in "$@"; do
          if grep -qx -- "$package" "$STUB/broken"; then
            echo "Some packages could not be installed."
            echo " $package : Depends: libbroken (= 2) but 1 is to be installed"
            echo "E: Unable to correct problems, you have held broken packages."
            exit 100
          fi
        done
        case " $* " in *" -s "*) exit 0 ;; esac
        for package in "$@"; do
          case "$package" in -*|install) ;; *) echo "$package" >>"$STUB/installed" ;; esac
        done
        """,
    "dpkg-query": r"""
        for last; do :; done
        grep -qx -- "$last" "$STUB/installed" && printf 'ii '
        """,
    "dpkg": r"""
        echo "dpkg $*" >>"$STUB/calls"
        case "$1" in
        --print-foreign-architectures) cat "$STUB/architectures" ;;
        --add-architecture) echo "$2" >>"$STUB/architectures" ;;
        esac
        """,
    "id": 'echo "$STUB_UID"',
    "locale": 'echo C; cat "$STUB/locales" 2>/dev/null; exit 0',
    "localedef": 'echo "localedef $*" >>"$STUB/calls"; echo "${3%.UTF-8}.utf8" >>"$STUB/locales"',
}

GROUPS = {
    "host build": ["cmake", "ninja-build", "libgtest-dev", "libcli11-dev", "nlohmann-json3-dev"],
    "fuzzing": ["clang", "libclang-rt-14-dev"],
    "Windows compilers": ["g++-mingw-w64-i686-posix", "binutils-mingw-w64-i686",
                          "g++-mingw-w64-x86-64-posix", "binutils-mingw-w64-x86-64"],
    "64-bit Wine": ["wine", "wine64"],
    "Wine test tools": ["xvfb", "wixl", "imagemagick", "xdotool", "locales"],
}


class InstallDepsTest(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.folder)
        # A copy of the scripts, so that the log and the probe stay in it.
        scripts = self.folder / "project" / "devscripts"
        scripts.mkdir(parents=True)
        for script in ("install-deps.sh", "wine-env.sh"):
            shutil.copy(SOURCE / "devscripts" / script, scripts)
        self.stub = self.folder / "stub"
        bin_folder = self.stub / "bin"
        bin_folder.mkdir(parents=True)
        for name, body in STUBS.items():
            path = bin_folder / name
            path.write_text("#!/bin/sh\n" + textwrap.dedent(body))
            path.chmod(0o755)
        for name in ("calls", "installed", "broken", "architectures"):
            (self.stub / name).write_text("")
        (self.stub / "update-failures").write_text("0")

    def run_script(self, *args, runs_i386="no", uid=0, update_failures=0, broken=()):
        (self.stub / "update-failures").write_text(str(update_failures))
        (self.stub / "broken").write_text("".join(f"{p}\n" for p in broken))
        env = dict(os.environ,
                   PATH=f"{self.stub / 'bin'}:{os.environ['PATH']}",
                   STUB=str(self.stub), STUB_UID=str(uid),
                   SETUP_DEPS_RUNS_I386=runs_i386,
                   SETUP_WINE32_LOADER=str(self.folder / "no-wine32"))
        env.pop("SETUP_WINE64", None)
        env.pop("SETUP_WINE_ARCH", None)
        result = subprocess.run(
            ["bash", str(self.folder / "project/devscripts/install-deps.sh"), *args],
            env=env, capture_output=True, text=True, timeout=60)
        return result, (self.stub / "calls").read_text().splitlines()

    def installed(self):
        return set((self.stub / "installed").read_text().split())

    def test_dry_run_says_what_it_would_do_and_changes_nothing(self):
        result, calls = self.run_script("--dry-run", uid=1000, broken=["wixl"])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        out = result.stdout
        self.assertIn("32-bit programs cannot run on this machine", out)
        self.assertIn('group "32-bit Wine": left out', out)
        self.assertIn('group "fuzzing": would install clang libclang-rt-14-dev', out)
        self.assertIn("you have held broken packages", out)  # the tools group, as apt sees it
        self.assertIn("64-bit path", out)
        for call in calls:
            self.assertTrue(call.startswith(("apt-get -s", "dpkg --print-foreign")), call)
        self.assertEqual(self.installed(), set())

    def test_a_bad_day_on_a_64_bit_only_machine_installs_every_group_it_can(self):
        result, calls = self.run_script(update_failures=5, broken=["clang"])
        out = result.stdout
        self.assertEqual(result.returncode, 1, out)
        self.assertEqual(calls.count("apt-get update -q"), 2, calls)  # tried once more
        self.assertIn("Mirror sync in progress?", out)
        self.assertIn('group "fuzzing" could not be installed', out)
        self.assertIn("held broken packages", out)
        expected = {p for name, group in GROUPS.items() if name != "fuzzing" for p in group}
        self.assertEqual(self.installed(), expected)
        self.assertFalse([c for c in calls if "i386" in c], calls)
        self.assertIn("Wine: 64-bit", out)
        self.assertIn("localedef -i ja_JP -f UTF-8 ja_JP.UTF-8", calls)
        self.assertIn("localedef -i hi_IN -f UTF-8 hi_IN.UTF-8", calls)

    def test_32_bit_wine_that_cannot_be_installed_leaves_the_64_bit_path(self):
        result, calls = self.run_script(runs_i386="yes", update_failures=1,
                                        broken=["wine32:i386"])
        out = result.stdout
        self.assertEqual(result.returncode, 0, out)
        self.assertLess(calls.index("dpkg --add-architecture i386"),
                        calls.index("apt-get update -q"))
        self.assertIn("apt-get install -y -q --no-install-recommends wine32:i386", calls)
        self.assertIn('group "32-bit Wine" could not be installed', out)
        self.assertIn("Wine: 64-bit", out)
        self.assertEqual(self.installed(), {p for group in GROUPS.values() for p in group})

    def test_a_machine_with_everything_installed_is_left_alone(self):
        (self.stub / "installed").write_text(
            "".join(f"{p}\n" for group in GROUPS.values() for p in group) + "wine32:i386\n")
        (self.stub / "locales").write_text("ja_JP.utf8\nhi_IN.utf8\n")
        result, calls = self.run_script(runs_i386="yes", uid=1000)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual([c for c in calls if not c.startswith("dpkg --print")], [])


if __name__ == "__main__":
    unittest.main()
