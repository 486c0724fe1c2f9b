"""What the real setup.exe shows besides its progress dialog: the splash
(picture and animation), the full-screen background window and the
billboards, with media files made for each test. The installer is the
recorder, put in the prefix's system folder as msiexec.exe for the class;
wintimeline reports the top-level windows as they come and go."""

import json
import os
import select
import signal
import subprocess
import tempfile
import time
import unittest

import media
from installation_e2e import RecorderLog, recorder_as_installer, recorder_settings
from wine_e2e import WINE_RUN, WineProgram, WineTestCase, environment_path, read_pixels

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
DIALOG_CLASS = "#32770"
FRAME_CLASS = "KestavoFrame"
CAPTION = "Morlenby Kestavo"
INSTALLER_TITLE = "Installer Stand-in"
BYSTANDER_TITLE = "Another Program"
DEFAULT_DLL_OVERRIDES = "mscoree,mshtml="
WS_CAPTION = 0x00C00000
WS_EX_APPWINDOW = 0x00040000

RED, GREEN, BLUE, YELLOW = (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)
WHITE, MAGENTA = (255, 255, 255), (255, 0, 255)
# Ten frames of a second in all; each looks like no other.
ANIMATION_COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255),
                     (128, 0, 0), (0, 128, 0), (0, 0, 128), (128, 128, 0), (0, 128, 128)]

SETUP_LIMIT = 60
WATCH_LIMIT = 90
# wintimeline looks every 20 ms; a window seen gone may have gone that much
# earlier, and the clocks of two Wine processes are read at different moments.
TIMELINE_SLACK = 0.25


class WindowTimeline:
    """wintimeline's watch, read as it goes: one snapshot of the visible
    top-level windows, top of the z-order first, each time they change.
    Every snapshot read is also kept in a log, for the test's artefacts."""

    def __init__(self, env, log):
        exe = environment_path("WINTIMELINE_EXE")
        env = dict(env, SETUP_WINE_TIMEOUT=str(WATCH_LIMIT + 10))
        self._process = subprocess.Popen([str(WINE_RUN), str(exe), "watch", str(WATCH_LIMIT)],
                                         env=env, stdin=subprocess.DEVNULL,
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                         start_new_session=True)
        self._pending = b""
        self._log = open(log, "wb")

    def _next(self, deadline):
        while b"\n" not in self._pending:
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self._process.stdout], [], [], max(0.0, left))
            piece = os.read(self._process.stdout.fileno(), 65536) if ready else b""
            if not piece:
                return None
            self._pending += piece
        line, _, self._pending = self._pending.partition(b"\n")
        self._log.write(line + b"\n")
        return json.loads(line)

    def wait_for(self, find, seconds):
        """The first snapshot for which find(windows, foreground window)
        gives something, as (time, answer); (None, None) when none comes in
        time."""
        deadline = time.monotonic() + seconds
        while True:
            snapshot = self._next(deadline)
            if snapshot is None:
                return None, None
            answer = find(snapshot["windows"], snapshot["foreground"])
            if answer:
                return snapshot["time"], answer

    def end(self):
        end_process(self._process)
        self._process.stdout.close()
        self._log.close()


def end_process(process):
    """Ends a program started in a process group of its own, with its Wine
    wrappers."""
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGKILL)
    process.wait()


def untitled_dialog(windows, _=None):
    """The splash or billboard window: a dialog without caption text."""
    return next((w for w in windows if w["class"] == DIALOG_CLASS and not w["title"]), None)


def window_at(rect):
    def find(windows, _):
        window = untitled_dialog(windows)
        return window if window and window["rect"] == list(rect) else None
    return find


def window_gone(hwnd):
    return lambda windows, _: all(w["hwnd"] != hwnd for w in windows)


def in_front(window):
    return lambda _, foreground: foreground == window["hwnd"]


def titled(windows, title, class_name=None):
    return next((w for w in windows if w["title"] == title and
                 (class_name is None or w["class"] == class_name)), None)


def pixel(picture, x, y):
    return read_pixels(picture, [x, y, x + 1, y + 1])[0]


def close_to(colour, expected, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


class PresentationTest(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        recorder_as_installer(cls)

    def setUp(self):
        super().setUp()
        logs = tempfile.TemporaryDirectory(prefix="recorder-log-")
        self.addCleanup(logs.cleanup)
        self.recorder = RecorderLog(logs.name)

    def environment(self, **installer):
        env = self.desktop.environment(SETUP_LIMIT)
        # Wine prefers its own msiexec.exe to the file in the system folder.
        overrides = env.get("WINEDLLOVERRIDES", DEFAULT_DLL_OVERRIDES)
        env["WINEDLLOVERRIDES"] = f"{overrides};msiexec.exe=n"
        env.update(self.recorder.environment())
        env.update(recorder_settings("msiexec.exe", **installer))
        return env

    def watch(self):
        """A timeline that has taken its first look before it is returned."""
        timeline = WindowTimeline(self.desktop.environment(WATCH_LIMIT),
                                  self.desktop.artifacts / "timeline.jsonl")
        self.addCleanup(timeline.end)
        _, ready = timeline.wait_for(lambda *_: True, 60)
        self.assertTrue(ready, "wintimeline does not run")
        return timeline

    def start_setup_with(self, **installer):
        env = self.environment(**installer)
        program = WineProgram(environment_path("SETUP_EXE"), self.folder, env,
                              self.desktop.artifacts / "setup.log")
        self.addCleanup(program.end)
        # Ending setup.exe would leave the installer stand-in running into
        # the next test; it ends by itself after its wait, and setup.exe
        # with it.
        self.addCleanup(program.wait, SETUP_LIMIT)
        return program

    def installer_starts(self):
        return [start for name, start, _ in self.recorder.runs() if name == "msiexec.exe"]

    def assert_installation_went_on(self, setup):
        self.assertTrue(setup.wait(SETUP_LIMIT), f"setup.exe {setup.state()}")
        self.assertEqual(setup.state(), "ended with exit code 0")
        starts = self.installer_starts()
        self.assertEqual(len(starts), 1, "msiexec.exe runs")
        self.assertIn(' /I "', starts[0]["command_line"])
        return starts[0]

    def test_picture_splash_is_centred_at_its_size_and_holds_back_the_installation(self):
        media.quadrants(self.folder / "setup.bmp", 300, 200, [RED, GREEN, BLUE, YELLOW])
        self.write_setup_file("kestavo.tag", ["[SPLASH]", "A0=Picture", "A4=4"])
        timeline = self.watch()
        setup = self.start_setup_with()

        # (1024 - 300) / 2, (768 - 200) / 2
        shown_at, splash = timeline.wait_for(window_at((362, 284, 662, 484)), 30)
        self.assertIsNotNone(splash, "no 300 x 200 splash in the middle of the screen")
        picture = self.desktop.screenshot("picture-splash")
        # Wine copies the old window's bits over the top-left corner, where
        # the dialog's hidden controls lie, after the picture is drawn when
        # the window grows; the other three corners show the copy is 1:1.
        for (x, y), colour in zip([(437, 334), (587, 334), (437, 434), (587, 434), (661, 284),
                                   (362, 483), (661, 483), (392, 314)],
                                  [RED, GREEN, BLUE, YELLOW, GREEN, BLUE, YELLOW, RED]):
            self.assertEqual(pixel(picture, x, y), colour, f"splash pixel at ({x}, {y})")

        gone_at, _ = timeline.wait_for(window_gone(splash["hwnd"]), 30)
        self.assertIsNotNone(gone_at, "the splash stayed")
        self.assertGreater(gone_at - shown_at, 3.0, "the splash went before its 4 seconds")
        started = self.assert_installation_went_on(setup)
        self.assertGreaterEqual(started["time"], gone_at - TIMELINE_SLACK,
                                "the installer started while the splash was shown")

    def test_animation_splash_plays_in_a_wide_window_in_the_middle(self):
        # The key colour at the frames' edge is the one a transparent
        # animation control leaves out; the middles change with each frame.
        media.avi(self.folder / "kvavi.avi", 64, 48, ANIMATION_COLOURS, 100, border=MAGENTA)
        media.wav(self.folder / "kvsound.wav", 1)
        self.write_setup_file("kestavo.tag",
                              ["[SPLASH]", "A0=Animation", "A2=Sound On", "A4=4"])
        timeline = self.watch()
        setup = self.start_setup_with()

        # (1024 / 2 - 320, 768 / 2 - 240), 640 x 450
        _, splash = timeline.wait_for(window_at((192, 144, 832, 594)), 30)
        self.assertIsNotNone(splash, "no 640 x 450 splash at (192, 144)")
        # The window may show before its first frame is drawn.
        seen = []
        for shot in range(8):
            seen.append(pixel(self.desktop.screenshot(f"animation-{shot}"), 512, 369))
            if len({colour for colour in seen if colour in ANIMATION_COLOURS}) > 1:
                break
        frames = [colour for colour in seen if colour in ANIMATION_COLOURS]
        self.assertGreater(len(set(frames)), 1, f"the middle of the animation shows {seen}")
        self.assert_installation_went_on(setup)

    def test_background_covers_the_screen_and_a_click_hands_the_front_to_the_installer(self):
        media.solid(self.folder / "logo.bmp", 12, 12, GREEN)
        self.write_setup_file("kestavo.tag", [
            "[BACKGROUND]", "0=1", "1=Title", "2=Second text",
            "3=x@0x00,0x00,0xFF", "4=x@0x00,0x00,0x00", "5=art\\logo.bmp",
        ])
        timeline = self.watch()
        setup = self.start_setup_with(show=INSTALLER_TITLE, wait=10000)

        def both(windows, _):
            background = titled(windows, CAPTION, FRAME_CLASS)
            installer = titled(windows, INSTALLER_TITLE)
            return (background, installer) if background and installer else None

        _, found = timeline.wait_for(both, 30)
        self.assertIsNotNone(found, f"no background and installer; setup.exe {setup.state()}")
        background, installer = found
        self.assertEqual(background["client"], [0, 0, SCREEN_WIDTH, SCREEN_HEIGHT])
        self.assertFalse(background["style"] & WS_CAPTION, "the background has a caption")
        self.assertTrue(background["exstyle"] & WS_EX_APPWINDOW)
        self.assert_background_drawn(self.desktop.screenshot("background"))

        # The user turns to another program; then clicks the background,
        # which would otherwise take the front itself.
        _, bystander = timeline.wait_for(self.start_bystander(), 30)
        self.assertIsNotNone(bystander, "the bystander did not come to the front")
        # Wine settles the activation after the foreground has changed.
        self.assertIsNotNone(self.desktop.wait_for_window(BYSTANDER_TITLE, 10))
        subprocess.run(["xdotool", "mousemove", "600", "600", "click", "1"], check=True,
                       env=self.desktop.environment(SETUP_LIMIT), timeout=30)
        _, clicked = timeline.wait_for(in_front(installer), 10)
        self.desktop.screenshot("background-clicked")
        self.assertTrue(clicked, "the click did not bring the installer's window to the front")
        self.assert_installation_went_on(setup)

    def start_bystander(self):
        """Another program's window, in front; a finder of it in front."""
        exe = environment_path("WINTIMELINE_EXE")
        process = subprocess.Popen([str(WINE_RUN), str(exe), "bystander", BYSTANDER_TITLE,
                                    str(SETUP_LIMIT)], env=self.desktop.environment(SETUP_LIMIT),
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.addCleanup(end_process, process)

        def find(windows, foreground):
            window = titled(windows, BYSTANDER_TITLE)
            return window if window and foreground == window["hwnd"] else None
        return find

    @staticmethod
    def gradient(row):
        """Row `row` of a screen-high gradient from (0, 0, 255) to black."""
        return (0, 0, 255 - row * 255 // SCREEN_HEIGHT)

    def assert_background_drawn(self, picture):
        # A column clear of the texts, the picture and the installer's window.
        column = read_pixels(picture, [600, 0, 601, SCREEN_HEIGHT])
        wrong = [(row, colour) for row, colour in enumerate(column)
                 if colour != self.gradient(row)]
        self.assertFalse(wrong, f"rows not in the gradient (row, colour): {wrong[:5]}")
        logo = read_pixels(picture, [10, 10, 22, 22])
        self.assertEqual(set(logo), {GREEN}, "the picture is not at (10, 10)")
        self.assertEqual(pixel(picture, 9, 9), self.gradient(9))
        self.assertNotEqual(pixel(picture, 22, 22), GREEN, "the picture is larger than itself")
        title = read_pixels(picture, [24, 14, 224, 64])
        self.assertGreater(title.count(WHITE), 100, "no white title at the top left")
        second = read_pixels(picture, [SCREEN_WIDTH - 400, SCREEN_HEIGHT - 80,
                                       SCREEN_WIDTH - 100, SCREEN_HEIGHT - 50])
        self.assertGreater(second.count(WHITE), 20, "no white second text at the bottom right")
        beyond = read_pixels(picture, [SCREEN_WIDTH - 99, SCREEN_HEIGHT - 80,
                                       SCREEN_WIDTH - 60, SCREEN_HEIGHT - 49])
        self.assertNotIn(WHITE, beyond, "the second text passes its right or bottom edge")

    def test_billboards_follow_each_other_at_their_places_then_close(self):
        images = self.folder / "images"
        images.mkdir()
        media.solid(images / "one.bmp", 200, 100, RED)
        media.solid(images / "two.gif", 150, 120, GREEN)
        media.solid(images / "three.jpg", 180, 90, BLUE)
        self.write_setup_file("kestavo.tag", [
            "[BILLBOARDSKV]", "TOTAL=3",
            "B0=one.bmp", "C0=1", "D0=50", "E0=60",
            "B1=pics\\two.gif", "C1=1", "D1=400", "E1=100",
            "B2=three.jpg", "C2=1", "D2=0",
        ])
        timeline = self.watch()
        setup = self.start_setup_with(wait=8000)

        # D2 0 and E2 missing both count as 1.
        expected = [((50, 60, 250, 160), RED, 0), ((400, 100, 550, 220), GREEN, 0),
                    ((1, 1, 181, 91), BLUE, 24)]
        times = []
        for number, (rect, colour, tolerance) in enumerate(expected):
            shown_at, billboard = timeline.wait_for(window_at(rect), 15)
            self.assertIsNotNone(billboard, f"billboard {number} not seen at {rect}")
            times.append(shown_at)
            shot = self.desktop.screenshot(f"billboard-{number}")
            middle = pixel(shot, (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
            self.assertTrue(close_to(middle, colour, tolerance),
                            f"billboard {number} shows {middle}, not {colour}")
        gone_at, _ = timeline.wait_for(window_gone(billboard["hwnd"]), 15)
        self.assertIsNotNone(gone_at, "the billboard window stayed after the last one")
        for shown, following in zip(times, times[1:] + [gone_at]):
            self.assertAlmostEqual(following - shown, 1.0, delta=0.5)
        self.assert_installation_went_on(setup)

    def test_setup_ends_with_its_own_code_while_the_splash_or_the_billboards_go_on(self):
        # The splash and billboard threads still count their timers and
        # paint when the run ends: Cancel during the splash, billboards
        # outliving the package. A crash then would replace the exit code
        # (Linux sees it modulo 256).
        media.solid(self.folder / "setup.bmp", 300, 200, RED)
        images = self.folder / "images"
        images.mkdir()
        media.solid(images / "one.bmp", 200, 100, GREEN)
        billboards = ["[BILLBOARDSKV]", "TOTAL=20"]
        for number in range(20):
            billboards += [f"B{number}=one.bmp", f"C{number}=1", f"D{number}={10 * number}"]
        self.write_setup_file("kestavo.tag", ["[SPLASH]", "A0=Picture", "A4=30"] + billboards)
        timeline = self.watch()

        setup = self.start_setup_with()
        _, splash = timeline.wait_for(window_at((362, 284, 662, 484)), 30)
        self.assertIsNotNone(splash, "no splash")
        self.assertTrue(self.desktop.press_escape(CAPTION), "Escape not delivered")
        self.assertTrue(setup.wait(10), f"setup.exe {setup.state()} after Escape")
        self.assertEqual(setup.state(), f"ended with exit code {1602 % 256}")

        self.write_setup_file("kestavo.tag", ["[SPLASH]", "A0=Disabled"] + billboards)
        setup = self.start_setup_with(wait=1000, exit=3010)
        _, billboard = timeline.wait_for(window_at((1, 1, 201, 101)), 30)
        self.assertIsNotNone(billboard, "no billboard")
        self.assertTrue(setup.wait(SETUP_LIMIT), f"setup.exe {setup.state()}")
        self.assertEqual(setup.state(), f"ended with exit code {3010 % 256}")

    def test_broken_pictures_and_missing_sound_are_passed_over(self):
        (self.folder / "setup.bmp").write_bytes(b"This is not a picture.\r\n")
        media.huge_bmp(self.folder / "huge.bmp", 10000, 10000)
        images = self.folder / "images"
        images.mkdir()
        (images / "empty.bmp").write_bytes(b"")
        broken = ["empty.bmp", "missing.gif", "empty.gif", "notes.jpg", "notes.gif"]
        (images / "empty.gif").write_bytes(b"")
        for name in ("notes.jpg", "notes.gif"):
            (images / name).write_bytes(b"This is not a picture either.\r\n")
        for kind in ("bmp", "gif", "jpg"):
            media.solid(images / f"whole.{kind}", 200, 100, RED)
            (images / f"cut.{kind}").write_bytes((images / f"whole.{kind}").read_bytes()[:300])
            # Decoded, each would take 3.6 GB.
            media.claiming_size(images / f"giant.{kind}", 30000, 30000)
            broken += [f"cut.{kind}", f"giant.{kind}"]
        # The first stays a second, to be seen; the others follow at once.
        billboards = ["[BILLBOARDSKV]", f"TOTAL={len(broken)}"]
        for number, name in enumerate(broken):
            billboards += [f"B{number}={name}", f"C{number}={int(number == 0)}"]
        self.write_setup_file("kestavo.tag", [
            "[SPLASH]", "A0=Picture", "A2=Sound On", "A4=1",
            "[BACKGROUND]", "0=1", "3=x@0x00,0x80,0x00", "5=huge.bmp",
        ] + billboards)
        timeline = self.watch()
        setup = self.start_setup_with(wait=3000)

        _, splash = timeline.wait_for(untitled_dialog, 30)
        self.assertIsNotNone(splash, "no splash window")
        self.assertEqual(splash["rect"][:2], [0, 0], "the splash moved without a picture")
        self.assertLess(splash["rect"][2], 100, "the splash grew without a picture")

        def billboard(windows, _):
            window = untitled_dialog(windows)
            return window if window and window["hwnd"] != splash["hwnd"] else None

        _, empty = timeline.wait_for(billboard, 30)
        self.assertIsNotNone(empty, "no billboard window")
        self.assertEqual(empty["rect"][:2], [0, 0], "a billboard without picture moved")
        _, background = timeline.wait_for(lambda ws, _: titled(ws, CAPTION, FRAME_CLASS), 30)
        self.assertIsNotNone(background, "no background window")
        # The huge picture is a picture all the same: white from (10, 10)
        # on, over a green gradient.
        shot = self.desktop.screenshot("broken-media")
        self.assertEqual(pixel(shot, 500, 400), WHITE)
        self.assertEqual(pixel(shot, 5, 400), (0, 128 - 400 * 128 // SCREEN_HEIGHT, 0))
        self.assert_installation_went_on(setup)

    def test_animation_and_sound_of_random_bytes_leave_an_empty_splash(self):
        # Past their first chunk, the players read random chunks.
        media.random_riff(self.folder / "kvavi.avi", b"AVI ", 65536, seed=1)
        media.random_riff(self.folder / "kvsound.wav", b"WAVE", 65536, seed=2)
        self.write_setup_file("kestavo.tag",
                              ["[SPLASH]", "A0=Animation", "A2=Sound On - Loop", "A4=1"])
        timeline = self.watch()
        setup = self.start_setup_with()

        _, splash = timeline.wait_for(window_at((192, 144, 832, 594)), 30)
        self.assertIsNotNone(splash, "no 640 x 450 splash at (192, 144)")
        self.assert_installation_went_on(setup)


if __name__ == "__main__":
    unittest.main()
