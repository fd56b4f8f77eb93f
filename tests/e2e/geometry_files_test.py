#!/usr/bin/env python3
"""End-to-end: the real quillmere executable with damaged window-geometry files.

Start-up with a fifo or a link to /dev/zero among the geometry files, or a
saved size far beyond the screen, must open the default window at once; closes
killed half-way must leave nothing behind once a later close has run. Runs
in a private network namespace like browser_session_test.py, whose helpers it
uses, and under watchdogs: a start-up that hangs is killed after a while, one
whose memory runs away as soon as it passes a bound.

Usage: geometry_files_test.py PATH_TO_QUILLMERE
Exit status 0 when every check passed, 1 when one failed, 77 when the machine
can't give the test a private network namespace (it needs root).
"""

import os
import random
import re
import sys
import time

from browser_session_test import (Checks, Session, inside_namespace, main, prepare_folders, send_close_request,
                                  start_display)

DEFAULT_GEOMETRY = (210, 100, 1020, 700)  # on the 1440 x 900 test screen
SIDES = ("top", "left", "height", "width")
MEMORY_BOUND_KIB = 2 * 1024 * 1024


def resident_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


class WatchedSession(Session):
    """A session whose start-up may neither hang nor eat the machine's memory."""

    def wait_for_window(self, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if resident_kib(self.process.pid) > MEMORY_BOUND_KIB:
                self.process.kill()
                raise RuntimeError("the browser's memory ran away at start-up")
            if self.process.poll() is None and self.visible_windows():
                return int(self.visible_windows()[0])
            if self.process.poll() is not None:
                raise RuntimeError("quillmere exited at start-up: " + self.process.stderr.read())
            time.sleep(0.2)
        self.process.kill()
        raise RuntimeError("the main window never appeared: start-up hung")


def write_geometry(config, values):
    for side, value in zip(SIDES, values):
        path = os.path.join(config, f"quillmere-{side}.txt")
        if os.path.lexists(path):
            os.remove(path)
        with open(path, "w") as file:
            file.write(value)


def start_and_close(binary, display, env, checks, what):
    session = WatchedSession(binary, display, env)
    try:
        opened = session.wait_for_geometry(DEFAULT_GEOMETRY)
        checks.check(opened == DEFAULT_GEOMETRY, f"{what}: the default window opens ({opened})")
    finally:
        status = session.close()
    checks.check(status == 0, f"{what}: closing ends the program with status 0 (got {status})")


def drive(binary, root, checks):
    env, config, _ = prepare_folders(root)
    xvfb, display = start_display(env)
    env["DISPLAY"] = display
    try:
        for what, side, put in (("a fifo as the top file", "top", os.mkfifo),
                                ("a link to /dev/zero as the left file", "left",
                                 lambda path: os.symlink("/dev/zero", path))):
            write_geometry(config, ("120", "80", "600", "800"))
            path = os.path.join(config, f"quillmere-{side}.txt")
            os.remove(path)
            put(path)
            start_and_close(binary, display, env, checks, what)

        write_geometry(config, ("0", "0", "100000", "100000"))
        start_and_close(binary, display, env, checks, "a saved size of 100000 x 100000")
        write_geometry(config, ("0", "0", "600", "1e9"))
        start_and_close(binary, display, env, checks, "a saved width of 1e9")

        # Closes killed at random moments, then one left to finish.
        for _ in range(5):
            session = WatchedSession(binary, display, env)
            time.sleep(0.3)
            send_close_request(display, session.window)
            time.sleep(random.uniform(0, 0.05))
            session.process.kill()
            session.process.wait()
        with open(os.path.join(config, ".quillmere-width.txt.Ab12Cd"), "w") as leftover:
            leftover.write("5")
        session = WatchedSession(binary, display, env)
        status = session.close()
        checks.check(status == 0, f"a close after killed ones ends with status 0 (got {status})")
        names = sorted(name for name in os.listdir(config) if "quillmere" in name)
        checks.check(names == sorted(f"quillmere-{side}.txt" for side in SIDES),
                     f"only the four geometry files are left ({names})")
        values = {side: open(os.path.join(config, f"quillmere-{side}.txt")).read() for side in SIDES}
        checks.check(all(re.fullmatch(r"-?[0-9]+", value) for value in values.values()),
                     f"each holds a number ({values})")
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    sys.exit(main(lambda binary: inside_namespace(binary, drive), __file__))
