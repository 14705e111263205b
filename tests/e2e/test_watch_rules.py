"""The watch rules on the real window: a watched program's window, a website on a
loopback server, and a website that never answers while the board must stay fed."""
import http.server
import os
import socket
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import winehost  # noqa: E402

TESTWINDOW = os.path.join(winehost.WIN64_BIN, "testwindow.exe")


def config(**entries):
    base = {"timeout": "10", "TimedRestartDays": "0", "AppName": "", "language": "0", "display_time": "0",
            "display_card_num": "0", "sound_switch": "0"}
    base.update(entries)
    return "".join(f"{key}={value};\r\n" for key, value in base.items()).encode("gbk")


class LoopbackServer:
    """An HTTP server on 127.0.0.1 that answers every GET with 200."""

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):  # noqa: N802 - the library's name
            self.server.hits += 1
            self.send_response(200)
            self.end_headers()
            self.wfile.write(b"ok")

        def log_message(self, *args):
            pass

    def __init__(self):
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), self.Handler)
        self.server.hits = 0
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class SilentServer:
    """Accepts connections on 127.0.0.1 and never answers."""

    def __init__(self):
        self.sock = socket.socket()
        self.sock.bind(("127.0.0.1", 0))
        self.sock.listen(16)
        self.port = self.sock.getsockname()[1]
        self.held = []
        self.running = True
        threading.Thread(target=self.accept, daemon=True).start()

    def accept(self):
        while self.running:
            try:
                conn, _ = self.sock.accept()
                self.held.append(conn)
            except OSError:
                return

    def stop(self):
        self.running = False
        self.sock.close()
        for conn in self.held:
            conn.close()


class WatchRulesTest(winehost.WineTestCase):
    def write_config(self, **entries):
        with open(os.path.join(self.workdir, "config.inf"), "wb") as f:
            f.write(config(**entries))

    def test_watched_program_window(self):
        miner = self.start_windows_program(TESTWINDOW, "Miner")
        self.driver("wait", "20", caption="Miner")
        server = LoopbackServer()  # its requests show when a health-check pass has run
        self.addCleanup(server.stop)
        self.write_config(AppName="Miner", HttpName=f"127.0.0.1:{server.port}")
        board = self.attach_board(4, "--version", "900")
        self.start_torvik()
        self.wait_in_log("WatchDog linked!")
        self.wait_for(lambda: server.server.hits >= 1, 40, "the first health-check pass")
        time.sleep(1)
        self.assertNotIn(b"is not running", self.run_log())
        self.assertFalse(board.kinds("reset-now"), "a pass with the program running sends nothing")

        self.driver("close", caption="Miner")
        self.wait_exit(miner)
        self.wait_in_log('"Miner" is not running!', seconds=30)
        self.wait_in_log("Reboot the system!")
        self.wait_for(lambda: board.kinds("reset-now"), 10, "the reset command 255")
        log = self.run_log()
        self.assertLess(log.index(b'"Miner" is not running!'), log.index(b"Reboot the system!"))

    def test_add_lists_the_windows_and_a_pick_fills_the_title(self):
        self.start_windows_program(TESTWINDOW, "Miner")
        self.driver("wait", "20", caption="Miner")
        self.start_torvik()
        self.driver("click", "1037")
        items = self.driver("items", "1039").splitlines()
        self.assertIn("Miner", items)
        self.assertIn("Torvik V9.00", items)
        self.screenshot("process_list")
        self.driver("pick", "1039", str(items.index("Miner")))
        self.assertEqual(self.driver("text", "1026"), "Miner")
        self.assertTrue(self.controls()[1027][0]["enabled"], "picked, not yet saved")

    def test_website_test_button_against_a_loopback_server(self):
        server = LoopbackServer()
        self.write_config(HttpName=f"127.0.0.1:{server.port}")
        self.start_torvik()
        self.driver("click", "1031")
        self.wait_in_log("Test Internet link ok!")
        server.stop()
        self.driver("click", "1031")
        self.wait_in_log("Test Internet link error!")

    def test_silent_website_never_stops_the_feeding(self):
        server = SilentServer()
        try:
            self.write_config(HttpName=f"127.0.0.1:{server.port}")
            board = self.attach_board(4, "--version", "900")
            self.start_torvik()
            self.wait_in_log("WatchDog linked!")
            # The first pass asks at 19 s; the answer is given up 15 s later.
            self.wait_in_log("Internet checked error!", seconds=50)
            started = time.monotonic()
            self.assertTrue(server.held, "the request reached the server")
            feeds = [ms for ms, _, _ in board.kinds("feed")]
            gaps = [b - a for a, b in zip(feeds, feeds[1:])]
            self.assertGreater(len(feeds), 30)
            self.assertLess(max(gaps), 2000, gaps)
            self.assertFalse(board.kinds("reset-pc"), "the board never ran out of feeds")
            self.assertLess(time.monotonic() - started, 5)
            with open(os.path.join(self.workdir, "config.inf"), "rb") as f:
                self.assertIn(b"net_notlink_times=1;", f.read())
        finally:
            server.stop()


if __name__ == "__main__":
    unittest.main(verbosity=2)
