"""Finding and talking to a board: the simulated board on a pseudo-terminal mapped as
COM4, and the prefix's real HID enumeration."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import winehost  # noqa: E402

DISPLAY_GROUP = [1019, 1034, 1036, 1053, 1049, 1038, 1054, 1041, 1052, 1051, 1055]


class BoardLinkTest(winehost.WineTestCase):
    def link_board(self, version):
        board = self.attach_board(4, "--version", str(version), "--reset-count", "2")
        self.start_torvik()
        self.driver("click", "1012")  # the hidden find button
        return board

    def test_board_with_display_is_linked_logged_and_enables_the_display_group(self):
        board = self.link_board(900)
        self.wait_in_log("WatchDog linked! Ver:3.0384")
        log = self.run_log()
        self.assertIn(b"] : Reset times last time: 2\r\n", log)
        self.assertIn(b"] : WatchDog linked! Ver:3.0384\r\n", log)
        self.assertEqual(self.driver("text", "1009"), "WatchDog linked! Ver:3.0384")
        controls = self.controls()
        for control in DISPLAY_GROUP:
            self.assertTrue(controls[control][0]["enabled"], control)
        self.assertTrue(board.kinds("probe"), "the board was probed")
        self.assertTrue(board.kinds("count-query"), "and asked for its reset count")
        self.screenshot("board_linked")

    def test_board_without_display_leaves_the_group_disabled(self):
        self.link_board(899)
        self.wait_in_log("WatchDog linked! Ver:3.0383")
        self.assertEqual(self.driver("text", "1009"), "WatchDog linked! Ver:3.0383")
        controls = self.controls()
        for control in DISPLAY_GROUP:
            self.assertFalse(controls[control][0]["enabled"], control)

    def test_no_board_shows_the_error(self):
        self.start_torvik()
        self.driver("click", "1012")
        self.assertEqual(self.driver("text", "1009"), "WatchDog error!")
        self.wait_in_log("WatchDog error!")
        self.assertNotIn(b"linked", self.run_log())

    def test_hid_enumeration_runs_for_real_and_finds_no_board(self):
        proc = self.start_windows_program(os.path.join(winehost.WIN64_BIN, "hidcheck.exe"))
        lines = self.program_output(proc).splitlines()
        counted = [line for line in lines if line.startswith("interfaces ")]
        self.assertEqual(len(counted), 1, lines)
        self.assertGreaterEqual(int(counted[0].split()[1]), 1, "the prefix's HID interfaces were enumerated")
        self.assertIn("board none", lines)


if __name__ == "__main__":
    unittest.main(verbosity=2)
