"""The settings controls and the side pane of the real window."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import winehost  # noqa: E402

CONFIG = (b"timeout=180;\r\nTimedRestartDays=7;\r\nAppName=;\r\nVideoCardMonitor=0;\r\ndisplay_time=0;\r\n"
          b"display_card_num=0;\r\nsound_switch=0;\r\nnet_notlink_times=0;\r\nlogo_display=1;\r\nlanguage=%d;\r\n")


class ControlsTest(winehost.WineTestCase):
    def start(self, language=0):
        with open(os.path.join(self.workdir, "config.inf"), "wb") as f:
            f.write(CONFIG % language)
        return self.start_torvik()

    def config(self):
        with open(os.path.join(self.workdir, "config.inf"), "rb") as f:
            return f.read()

    def test_slider_writes_the_timeout(self):
        self.start()
        self.driver("slider", "1021", "187")
        self.assertEqual(self.driver("text", "1020"), "187")
        self.assertIn(b"timeout=187;", self.config())
        self.assertFalse(self.controls()[1027][0]["enabled"])

    def test_buzzer_box_and_reset_now_reach_the_board(self):
        board = self.attach_board(4, "--version", "900")
        self.start()
        self.wait_in_log("WatchDog linked! Ver:3.0384")
        self.driver("click", "1055")
        self.driver("click", "1055")
        self.wait_for(lambda: board.kinds("buzzer-off"), 10, "the buzzer-off command")
        commands = [kind for _, kind, _ in board.records() if kind.startswith("buzzer")]
        self.assertEqual(commands, ["buzzer-on", "buzzer-off"])
        self.assertIn(b"sound_switch=0;", self.config())

        self.driver("click", "1018")
        self.wait_for(lambda: board.kinds("reset-now"), 10, "the reset command")
        self.assertEqual(board.kinds("reset-now")[0][2].split()[0], "FF")
        self.assertIn(b"] : Reset the system now!\r\n", self.run_log())

    def test_help_buttons_open_and_close_the_pane_and_tabs_switch_pages(self):
        self.start()
        list_rect = self.controls()[1039][0]["rect"]
        self.driver("click", "1043")
        left, top, right, bottom = self.window_rect()
        list_rect = self.controls()[1039][0]["rect"]
        self.assertEqual((left, top, bottom - top), (1, 1, 500))
        self.assertEqual(right - left, list_rect[2] + 8)
        controls = self.controls()
        self.assertTrue(controls[1046][0]["visible"])
        self.assertFalse(controls[1039][0]["visible"])
        self.assertTrue(self.driver("text", "1046").startswith("How long does the system restart"))
        self.screenshot("pane_help_english")

        pages = {0: 1046, 1: 1058, 2: 1039}
        for tab in (1, 2, 0):
            self.driver("tab", "1057", str(tab))
            controls = self.controls()
            for page_tab, control in pages.items():
                self.assertEqual(controls[control][0]["visible"], page_tab == tab, (tab, control))

        self.driver("click", "1042")
        left, _, right, _ = self.window_rect()
        self.assertEqual(right - left, list_rect[0] - 4)

    def test_chinese_pane_with_the_wiring_diagram(self):
        self.start(language=1)
        self.driver("click", "1050")
        self.assertTrue(self.driver("text", "1046").startswith("看门狗简单使用说明："))
        self.screenshot("pane_help_chinese")
        self.driver("tab", "1057", "1")
        self.assertTrue(self.controls()[1058][0]["visible"])
        self.screenshot("pane_wiring_chinese")


if __name__ == "__main__":
    unittest.main(verbosity=2)
