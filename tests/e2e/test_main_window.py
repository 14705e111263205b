"""The real main window under Wine: its controls, geometry, system menu, about box and
the ways it closes."""
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import winehost  # noqa: E402

ABOUT_CAPTION = "关于 Quellon"


def template_controls():
    out = subprocess.run([os.path.join(winehost.NATIVE_BIN, "template_dump")], capture_output=True, check=True)
    rows = []
    for line in out.stdout.decode("utf-8").splitlines()[1:]:  # the first line is the caption
        fields = line.split("\t")
        rows.append(dict(id=int(fields[0]), cls=fields[1], visible=fields[2] == "1", enabled=fields[3] == "1"))
    return rows


class MainWindowTest(winehost.WineTestCase):
    def test_controls_geometry_menu_and_about_box(self):
        self.start_torvik()
        time.sleep(1.5)  # a few ticks: the status panel fills in
        shot = self.screenshot("main_window")

        listed = self.controls()
        template = template_controls()
        self.assertEqual(len(template), 47)
        rows = [row for rows in listed.values() for row in rows]
        self.assertEqual(len(rows), 47)
        for expected in template:
            if expected["id"] == -1:
                continue
            with self.subTest(control=expected["id"]):
                self.assertIn(expected["id"], listed)
                actual = listed[expected["id"]][0]
                self.assertEqual(actual["cls"].lower(), expected["cls"].lower())
                self.assertEqual(actual["visible"], expected["visible"])
                self.assertEqual(actual["enabled"], expected["enabled"])

        left, top, right, bottom = self.window_rect()
        list_left = listed[1039][0]["rect"][0]
        self.assertEqual((left, top), (1, 1))
        self.assertEqual(bottom - top, 500)
        # Sized while the window stood at (0, 0), then moved by one pixel with its list box.
        self.assertEqual(right, list_left - 2)

        self.assertIn("Torvik V9.00", self.driver("window"))
        menu = self.driver("menu").splitlines()
        self.assertEqual(menu[-2:], ["sep", "16\t关于 Quellon(&A)..."])

        # The about box: the main window's timer keeps ticking while it is open.
        self.driver("syscommand", "16")
        self.driver("wait", "10", caption=ABOUT_CAPTION)
        panel_before = self.driver("text", "1033")
        time.sleep(2.5)
        panel_after = self.driver("text", "1033")
        self.assertIn("00 H 00 M", panel_after)
        self.assertNotEqual(panel_before, panel_after)
        self.screenshot("about_box")
        self.driver("key", "1", "enter", caption=ABOUT_CAPTION)
        self.driver("wait-gone", "10", caption=ABOUT_CAPTION)
        self.assertTrue(os.path.getsize(shot) > 0)

    def test_close_enter_and_escape_each_end_the_program(self):
        for how in (["close"], ["key", "1026", "enter"], ["key", "1025", "escape"]):
            with self.subTest(how=how):
                proc = self.start_torvik()
                self.driver(*how)
                self.assertEqual(self.wait_exit(proc), 0)
                code, _ = self.driver("find", check=False)
                self.assertNotEqual(code, 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
