"""Start-up of the real setup.exe in setup folders that hold no setup."""

import unittest

from wine_e2e import WineTestCase


class StartupTest(WineTestCase):
    def test_setup_without_tag_file_ends_by_itself(self):
        self.write_setup_file("readme.txt", ["No tag file here."])
        setup = self.start_setup()
        self.assertTrue(setup.wait(10), f"setup.exe {setup.state()} after 10 s")


if __name__ == "__main__":
    unittest.main()
