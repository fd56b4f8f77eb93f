#!/usr/bin/env python3
"""End-to-end: a fifo or a link to /dev/zero among the geometry files, or a size far
beyond the screen, opens the default window at once; closes killed half-way leave
nothing behind once a later one has run. Uses browser_session_test.py's harness.

Usage: geometry_files_test.py PATH_TO_QUILLMERE (exit status 77: no namespace)
"""

import os
import random
import re
import sys
import time

from browser_session_test import Session, inside_namespace, main, prepare_folders, send_close_request, start_display

DEFAULT_GEOMETRY = (210, 100, 1020, 700)  # on the 1440 x 900 test screen
SIDES = ("top", "left", "height", "width")
MEMORY_BOUND_KIB = 2 * 1024 * 1024


def resident_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))
    except (OSError, StopIteration):
        return 0


class WatchedSession(Session):
    """A session whose start-up may neither hang nor eat the machine's memory."""

    def wait_for_window(self, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if resident_kib(self.process.pid) > MEMORY_BOUND_KIB:
                self.process.kill()
                raise RuntimeError("the browser's memory ran away at start-up")
            if self.process.poll() is not None:
                raise RuntimeError("quillmere exited at start-up: " + self.process.stderr.read())
            if self.visible_windows():
                return int(self.visible_windows()[0])
            time.sleep(0.2)
        self.process.kill()
        raise RuntimeError("the main window never appeared: start-up hung")


def drive(binary, root, checks):
    env, config, _ = prepare_folders(root)
    xvfb, display = start_display(env)
    env["DISPLAY"] = display
    files = {side: os.path.join(config, f"quillmere-{side}.txt") for side in SIDES}
    try:
        for what, values, side, put in (
                ("a fifo as the top file", ("120", "80", "600", "800"), "top", os.mkfifo),
                ("a link to /dev/zero as the left file", ("120", "80", "600", "800"), "left",
                 lambda path: os.symlink("/dev/zero", path)),
                ("a saved size of 100000 x 100000", ("0", "0", "100000", "100000"), None, None)):
            for name, value in zip(SIDES, values):
                if os.path.lexists(files[name]):  # never open a fifo left by a failed close
                    os.remove(files[name])
                with open(files[name], "w") as file:
                    file.write(value)
            if put:
                os.remove(files[side])
                put(files[side])
            session = WatchedSession(binary, display, env)
            try:
                opened = session.wait_for_geometry(DEFAULT_GEOMETRY)
                checks.check(opened == DEFAULT_GEOMETRY, f"{what}: the default window opens ({opened})")
            finally:
                status = session.close()
            checks.check(status == 0, f"{what}: closing ends the program with status 0 (got {status})")

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
        status = WatchedSession(binary, display, env).close()
        checks.check(status == 0, f"a close after killed ones ends with status 0 (got {status})")
        names = sorted(name for name in os.listdir(config) if "quillmere" in name)
        checks.check(names == sorted(os.path.basename(path) for path in files.values()),
                     f"only the four geometry files are left ({names})")
        values = {side: open(path).read() for side, path in files.items()}
        checks.check(all(re.fullmatch(r"-?[0-9]+", value) for value in values.values()),
                     f"each holds a number ({values})")
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    sys.exit(main(lambda binary: inside_namespace(binary, drive), __file__))
