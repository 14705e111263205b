"""Runs the real Torvik.exe under Wine on a virtual display, for end-to-end tests.

One Wine prefix per test run (made by make_prefix.py, shared by every test file and
used one test at a time); each test file starts its own virtual display and ends
every Wine process of the prefix when it is done.
"""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

WORK = os.environ.get("TORVIK_E2E_WORK", "/tmp/torvik-e2e")
PREFIX = os.path.join(WORK, "prefix")
WIN64_BIN = os.environ.get("TORVIK_WIN64_BIN", "")
NATIVE_BIN = os.environ.get("TORVIK_NATIVE_BIN", "")
TORVIK_EXE = os.path.join(WIN64_BIN, "Torvik.exe")
UIDRIVER = os.path.join(WIN64_BIN, "uidriver.exe")
MAIN_CAPTION = "Torvik V9.00"


def run_captured(command, env, timeout, cwd=None):
    """Runs a command and returns (exit code, stdout, stderr) as text.

    Output goes through files, not pipes: a Wine program may start the prefix's
    server and desktop, which would hold a pipe open long after the program ended."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        proc = subprocess.Popen(command, env=env, cwd=cwd, stdout=out, stderr=err, stdin=subprocess.DEVNULL)
        try:
            code = proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
            raise
        out.seek(0)
        err.seek(0)
        return code, out.read().decode("utf-8", "replace"), err.read().decode("utf-8", "replace")


def wine_env(display=None):
    env = dict(os.environ)
    env.update(WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", LANG="C.UTF-8")
    if display:
        env["DISPLAY"] = display
    return env


class VirtualDisplay:
    """An Xvfb server on a display number nobody else uses; ends exactly its own process."""

    def __init__(self):
        self.proc = None
        self.name = None

    def start(self):
        for number in range(140, 400):
            lock = f"/tmp/.X{number}-lock"
            if os.path.exists(lock) or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            proc = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(50):
                if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                    self.proc, self.name = proc, f":{number}"
                    return self
                if proc.poll() is not None:
                    break
                time.sleep(0.1)
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        raise RuntimeError("no free X display")

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.name, "-window", "root", path], check=True, timeout=30)

    def stop(self):
        if self.proc:
            self.proc.terminate()
            self.proc.wait(timeout=10)
            self.proc = None


class SimulatedBoard:
    """The board simulator on a pseudo-terminal, with its record of everything it received."""

    def __init__(self, folder, name, *options):
        self.link = os.path.join(folder, name + "-link")
        self.log = os.path.join(folder, name + ".log")
        self.proc = subprocess.Popen([os.path.join(NATIVE_BIN, "boardsim"), "--link", self.link, "--log", self.log,
                                      "--quiet", *options], stdin=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not os.path.islink(self.link):
            if time.monotonic() > deadline or self.proc.poll() is not None:
                raise RuntimeError("the board simulator did not come up")
            time.sleep(0.05)

    def records(self):
        """[(ms, kind, bytes as hex text, description)] in the order the board saw them."""
        if not os.path.exists(self.log):
            return []
        rows = []
        with open(self.log, encoding="utf-8", errors="replace") as f:
            for line in f:
                fields = line.rstrip("\n").split(" ", 2)
                if len(fields) < 3:
                    continue
                kind_bytes = fields[2]
                rows.append((int(fields[0]), fields[1], kind_bytes))
        return rows

    def kinds(self, kind):
        return [r for r in self.records() if r[1] == kind]

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(timeout=10)


class WineTestCase(unittest.TestCase):
    """Base of the end-to-end tests: a display for the class, a fresh working folder per test."""

    display = None

    @classmethod
    def setUpClass(cls):
        if not os.path.exists(os.path.join(PREFIX, "system.reg")):
            raise unittest.SkipTest("the Wine prefix is missing: run make_prefix.py first")
        cls.display = VirtualDisplay().start()
        cls.env = wine_env(cls.display.name)
        cls.warm_up()

    @classmethod
    def warm_up(cls):
        # Brings up the prefix's wineserver and desktop before two programs race to.
        run_captured(["wine", UIDRIVER, "find"], cls.env, timeout=180)

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["wineserver", "-k"], env=wine_env(), check=False)
        subprocess.run(["wineserver", "-w"], env=wine_env(), check=False, timeout=60)
        cls.display.stop()

    def setUp(self):
        self.workdir = os.path.join(WORK, "runs", self.id().split(".", 1)[-1])
        shutil.rmtree(self.workdir, ignore_errors=True)
        os.makedirs(self.workdir)
        self.procs = []
        self.boards = []
        self.map_com_ports({})

    def attach_board(self, com_number, *options):
        """Starts a simulated board and maps it as COMn (the only COM port of the prefix)."""
        board = SimulatedBoard(self.workdir, f"board-com{com_number}", *options)
        self.boards.append(board)
        self.map_com_ports({com_number: board.link})
        return board

    def tearDown(self):
        for board in self.boards:
            board.stop()
        for proc in self.procs:
            if proc.poll() is None:
                proc.kill()
                proc.wait(timeout=10)
        subprocess.run(["wineserver", "-k"], env=wine_env(), check=False)
        subprocess.run(["wineserver", "-w"], env=wine_env(), check=False, timeout=60)
        self.warm_up()

    # --- the prefix's COM ports ---------------------------------------------------------
    def map_com_ports(self, ports):
        """Links exactly the given COM ports ({number: device path}); every other link goes."""
        dosdevices = os.path.join(PREFIX, "dosdevices")
        for name in os.listdir(dosdevices):
            if name.lower().startswith("com"):
                os.unlink(os.path.join(dosdevices, name))
        for number, device in ports.items():
            os.symlink(device, os.path.join(dosdevices, f"com{number}"))

    # --- programs ----------------------------------------------------------------------------
    def start_torvik(self):
        log = open(os.path.join(self.workdir, "wine-output.txt"), "wb")
        proc = subprocess.Popen(["wine", TORVIK_EXE], cwd=self.workdir, env=self.env, stdout=log,
                                stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        self.procs.append(proc)
        self.driver("wait", "30")
        return proc

    def start_windows_program(self, exe, *args):
        """Starts a Win32 console program; its output lands in <workdir>/<exe name>.out."""
        out = open(os.path.join(self.workdir, os.path.basename(exe) + ".out"), "wb")
        proc = subprocess.Popen(["wine", exe, *args], cwd=self.workdir, env=self.env, stdout=out,
                                stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        proc.output_path = out.name
        self.procs.append(proc)
        return proc

    def program_output(self, proc, seconds=60):
        self.wait_exit(proc, seconds)
        with open(proc.output_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def driver(self, *args, caption=MAIN_CAPTION, check=True):
        code, out, err = run_captured(["wine", UIDRIVER, "--caption", caption, *args], self.env, timeout=90)
        if check and code != 0:
            self.fail(f"uidriver {' '.join(args)} failed: {err.strip()}")
        return out if check else (code, out)

    def controls(self):
        """The main window's children: {id: dict(cls, visible, enabled, rect, state, text)}, in order."""
        controls = {}
        for line in self.driver("list").splitlines():
            fields = line.split("\t")
            if len(fields) < 7:
                continue
            left, top, right, bottom = (int(v) for v in fields[4].split(","))
            controls.setdefault(int(fields[0]), []).append(dict(
                cls=fields[1], visible=fields[2] == "1", enabled=fields[3] == "1",
                rect=(left, top, right, bottom), state=fields[5], text=fields[6]))
        return controls

    def window_rect(self):
        for line in self.driver("window").splitlines():
            if line.startswith("rect "):
                return tuple(int(v) for v in line.split()[1:5])
        self.fail("no window rectangle")

    def run_log(self):
        path = os.path.join(self.workdir, "RunLog.txt")
        return open(path, "rb").read() if os.path.exists(path) else b""

    def wait_in_log(self, text, seconds=20):
        wanted = text.encode("gbk")
        return self.wait_for(lambda: wanted in self.run_log(), seconds, f"{text!r} in RunLog.txt")

    def screenshot(self, name):
        path = os.path.join(WORK, "screenshots", name + ".png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.display.screenshot(path)
        return path

    def wait_exit(self, proc, seconds=20):
        try:
            return proc.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.fail("the program did not end")

    def wait_for(self, predicate, seconds, what):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            value = predicate()
            if value:
                return value
            time.sleep(0.2)
        self.fail(f"timed out waiting for {what}")
