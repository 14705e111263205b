#!/usr/bin/env python3
"""Feed-cadence benchmark: runs the real Torvik.exe under Wine with the board simulator
for a number of seconds and reports, from the simulator's timestamps, how regularly the
board was fed. A benchmark, not a test: it prints figures and asserts nothing.

    tools/bench/feed_cadence.py [--seconds 60] [--silent-website] [--config-line 'AppName=Miner;']

--silent-website watches a loopback server that accepts connections and never answers.

Needs the two builds (scripts/build.sh)."""
import argparse
import os
import shutil
import socket
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get("TORVIK_BUILD", os.path.join(ROOT, "build"))
os.environ.setdefault("TORVIK_E2E_WORK", os.path.join(BUILD, "bench"))
os.environ.setdefault("TORVIK_WIN64_BIN", os.path.join(BUILD, "win64", "bin"))
os.environ.setdefault("TORVIK_NATIVE_BIN", os.path.join(BUILD, "native", "bin"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import make_prefix  # noqa: E402
import winehost  # noqa: E402


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--config-line", action="append", default=[],
                        help="extra entry for config.inf, e.g. 'HttpName=127.0.0.1:8089;'")
    parser.add_argument("--silent-website", action="store_true")
    args = parser.parse_args()

    silent = None
    if args.silent_website:
        silent = socket.socket()
        silent.bind(("127.0.0.1", 0))
        silent.listen(64)  # connections complete in the backlog and are never answered
        args.config_line.append(f"HttpName=127.0.0.1:{silent.getsockname()[1]};")

    if not os.path.exists(os.path.join(winehost.PREFIX, "system.reg")):
        make_prefix.main()
    work = os.path.join(winehost.WORK, "run")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with open(os.path.join(work, "config.inf"), "wb") as f:
        f.write(("timeout=10;TimedRestartDays=0;language=0;" + "".join(args.config_line)).encode("gbk"))

    display = winehost.VirtualDisplay().start()
    env = winehost.wine_env(display.name)
    board = winehost.SimulatedBoard(work, "board", "--version", "900")
    dosdevices = os.path.join(winehost.PREFIX, "dosdevices")
    for name in os.listdir(dosdevices):
        if name.lower().startswith("com"):
            os.unlink(os.path.join(dosdevices, name))
    os.symlink(board.link, os.path.join(dosdevices, "com4"))
    torvik = subprocess.Popen(["wine", winehost.TORVIK_EXE], cwd=work, env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(args.seconds)
    finally:
        torvik.kill()
        torvik.wait()
        subprocess.run(["wineserver", "-k"], env=winehost.wine_env(), check=False)
        board.stop()
        display.stop()
        if silent:
            silent.close()

    feeds = [ms for ms, kind, _ in board.records() if kind == "feed"]
    if len(feeds) < 2:
        print(f"feeds: {len(feeds)} (too few to measure)")
        return 1
    gaps = [b - a for a, b in zip(feeds, feeds[1:])]
    print(f"run: {args.seconds:.0f} s, first feed at {feeds[0]} ms")
    print(f"feeds: {len(feeds)}")
    print(f"interval median: {statistics.median(gaps):.0f} ms")
    print(f"interval p99: {percentile(gaps, 0.99):.0f} ms")
    print(f"longest gap: {max(gaps)} ms")
    timeouts = [ms for ms, kind, _ in board.records() if kind == "reset-pc"]
    commands = [ms for ms, kind, _ in board.records() if kind == "reset-now"]
    print(f"resets because the feeding stopped: {len(timeouts)}")
    print(f"reset commands sent by the watch rules: {len(commands)}")
    if args.silent_website:
        errors = open(os.path.join(work, "RunLog.txt"), "rb").read().count(b"Internet checked error!")
        print(f"website passes counted as failed: {errors}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
