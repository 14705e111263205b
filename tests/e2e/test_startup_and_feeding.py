"""Start-up in a fresh folder and in Chinese, and the feeding of a simulated board."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import winehost  # noqa: E402

DEFAULT_CONFIG = (b"timeout=180;\r\nTimedRestartDays=7;\r\nAppName=;\r\nVideoCardMonitor=0;\r\ndisplay_time=1;\r\n"
                  b"display_card_num=1;\r\nsound_switch=1;\r\nnet_notlink_times=0;\r\nlogo_display=1;\r\n"
                  b"language=0;\r\n\t\t\t")
CAPTIONS = {
    1013: ("Timeout(Seconds):", "死机后重启时间(秒):"),
    1014: ("Scheduled Restart(days):", "定时重启天数:"),
    1015: ("Website Monitoring:", "网址监控:"),
    1016: ("Specified Program Monitoring:", "指定程序监控:"),
    1017: ("Video Card Monitoring:", "显卡监控:"),
    1018: ("Reset now", "立刻重启"),
    1027: ("Save config", "保存配置"),
    1050: ("Help", "使用说明"),
    1053: ("Watchdog display setup:", "看门狗数码显示状态设置:"),
    1019: ("Watchdog display No. setup:", "看门狗数码显示编号设置:"),
    1038: ("Display system time:", "显示系统时间:"),
    1054: ("Display Cards number:", "显示系统显卡数量:"),
    1051: ("Watchdog sound switch:", "看门狗喇叭开关:"),
}
TABS = (["Help", "Wiring diagram", "Process list"], ["使用说明", "接线说明", "进程列表"])


class StartUpTest(winehost.WineTestCase):
    def check_captions(self, language):
        for control, texts in CAPTIONS.items():
            self.assertEqual(self.driver("text", str(control)), texts[language], control)
        self.assertEqual(self.driver("tabs", "1057").splitlines(), TABS[language])

    def test_fresh_folder(self):
        self.start_torvik()
        self.wait_in_log("VideoCard Number:")
        with open(os.path.join(self.workdir, "config.inf"), "rb") as f:
            self.assertEqual(f.read(), DEFAULT_CONFIG)
        lines = self.run_log().split(b"\r\n")
        self.assertEqual(lines[0], b"Great RunLog File!")
        self.assertEqual(lines[1], b"")
        self.assertRegex(lines[2], rb"^\[ \d{4}-\d\d-\d\d \d\d:\d\d:\d\d \] : Start\.\.\.$")
        self.assertRegex(lines[3], rb"^\[ [-0-9 :]+ \] : VideoCard Number:1$")
        self.check_captions(0)
        self.assertFalse(self.controls()[1027][0]["enabled"], "Save starts disabled")

    def test_chinese_settings(self):
        with open(os.path.join(self.workdir, "config.inf"), "wb") as f:
            f.write(DEFAULT_CONFIG.replace(b"language=0;", b"language=1;"))
        self.start_torvik()
        self.wait_in_log("系统显卡数量：1")
        self.check_captions(1)
        self.screenshot("chinese_window")


class FeedingTest(winehost.WineTestCase):
    def test_board_is_fed_every_second_and_resets_the_pc_after_the_program_ends(self):
        with open(os.path.join(self.workdir, "config.inf"), "wb") as f:
            f.write(DEFAULT_CONFIG.replace(b"timeout=180;", b"timeout=10;"))
        board = self.attach_board(4, "--version", "900")
        proc = self.start_torvik()
        self.wait_for(lambda: len(board.kinds("feed")) >= 8, 30, "eight feeds")
        feeds = board.kinds("feed")
        self.assertTrue(all(hex_bytes.startswith("01 ") for _, _, hex_bytes in feeds), feeds)
        gaps = [b[0] - a[0] for a, b in zip(feeds, feeds[1:])]
        self.assertTrue(all(300 <= gap <= 2500 for gap in gaps), gaps)
        self.assertAlmostEqual(sum(gaps) / len(gaps), 1000, delta=250)

        proc.kill()  # a hang or a crash: the feeding stops
        proc.wait(timeout=10)
        resets = self.wait_for(lambda: board.kinds("reset-pc"), 25, "the board to reset the PC")
        last_feed = board.kinds("feed")[-1][0]
        self.assertAlmostEqual(resets[0][0] - last_feed, 10000, delta=600)


if __name__ == "__main__":
    unittest.main(verbosity=2)
