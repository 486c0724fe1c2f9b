"""The progress dialog of the real setup.exe, as the user sees it."""

import unittest

from wine_e2e import WineTestCase, read_pixels

CAPTION = "Morlenby Kestavo"
MESSAGE_ID = 1004
CANCEL_ID = 2
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


class ProgressDialogTest(WineTestCase):
    def test_dialog_shows_tag_texts_at_bottom_right_and_escape_ends_setup(self):
        # The splash mode "Waiting" keeps an invisible splash open for A4
        # seconds, and the dialog waits for it: long enough to look at it.
        self.write_setup_file("kestavo.tag", [
            "[SETUP]",
            "0=Custom message for the e2e test",
            "1=Stop it",
            "[SPLASH]",
            "A0=Waiting",
            "A4=30",
        ])
        setup = self.start_setup()
        window = self.desktop.wait_for_window(CAPTION, 60)
        self.assertIsNotNone(window, f"no progress dialog; setup.exe {setup.state()}")

        width, height = self.desktop.screen_size()
        right, bottom = window["rect"][2:]
        self.assertEqual((right, bottom), (width, height - 40), "dialog placement")

        controls = self.desktop.controls(CAPTION)
        message = controls[MESSAGE_ID]
        self.assertEqual(message["text"], "Custom message for the e2e test")
        self.assertEqual(controls[CANCEL_ID]["text"], "Stop it")
        painted_with = message["paint"]
        self.assertIsNotNone(painted_with, "winprobe could not ask the message how it paints")
        self.assertEqual((painted_with["face"], painted_with["weight"]), ("Tahoma", 700))
        self.assertEqual((painted_with["text"], painted_with["back"]), ("#000000", "#ffffff"))

        pixels = read_pixels(self.desktop.screenshot("progress-dialog"), message["rect"])
        white = pixels.count(WHITE)
        black = pixels.count(BLACK)
        self.assertGreater(white, len(pixels) // 2, "message area is not white")
        self.assertGreater(black, 20, "no black text in the message area")

        # The icon dragged for the minimised dialog is its own, given as the
        # dialog procedure's answer (not as a message result, read as 1).
        code, (icons,) = self.desktop.probe("dragicon", CAPTION)
        self.assertEqual(code, 0, "winprobe could not ask for the drag icon")
        self.assertNotIn(icons["big_icon"], (0, 1))
        self.assertEqual(icons["drag_icon"], icons["big_icon"])

        self.assertTrue(self.desktop.press_escape(CAPTION), "Escape not delivered")
        self.assertTrue(setup.wait(2), f"setup.exe {setup.state()} 2 s after Escape")


if __name__ == "__main__":
    unittest.main()
