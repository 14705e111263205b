"""The serial channel's Win32 implementation against a pseudo-terminal mapped as COM3."""
import os
import select
import sys
import time
import tty
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import winehost  # noqa: E402


class SerialChannelTest(winehost.WineTestCase):
    def test_open_write_count_read_and_immediate_read(self):
        master, slave = os.openpty()
        tty.setraw(master)
        tty.setraw(slave)
        try:
            self.map_com_ports({3: os.ttyname(slave)})
            exe = os.path.join(winehost.WIN64_BIN, "serialcheck.exe")
            proc = self.start_windows_program(exe, "3")
            received = b""
            deadline = time.monotonic() + 30
            while b"\x5a" not in received and time.monotonic() < deadline:
                ready, _, _ = select.select([master], [], [], 0.2)
                if ready:
                    received += os.read(master, 64)
            self.assertEqual(received, b"\x5a", "the other end receives exactly the byte written")
            os.write(master, b"\x81\x03\x84")
            lines = self.program_output(proc).splitlines()
            self.assertIn("open ok", lines)
            empty = next(line for line in lines if line.startswith("read-empty"))
            self.assertTrue(empty.startswith("read-empty 0 bytes"), empty)
            self.assertLess(int(empty.split()[4]), 1000, "a read with nothing waiting returns at once")
            self.assertIn("write ok", lines)
            self.assertIn("available 3", lines)
            self.assertIn("read 3: 81 03 84", lines)
            self.assertIn("read-after 0", lines)
            self.assertIn("close ok", lines)
        finally:
            os.close(master)
            os.close(slave)


if __name__ == "__main__":
    unittest.main(verbosity=2)
