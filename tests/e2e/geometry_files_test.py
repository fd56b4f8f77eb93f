#!/usr/bin/env python3
"""End-to-end: closes killed half-way leave nothing behind once a later one has run; a signal to end closes the window
as the user would, keeping its place and leaving no run folder behind, and the same signal again during a close that
is stuck ends it at once. Uses browser_session_test.py's harness.

Usage: geometry_files_test.py PATH_TO_QUILLMERE (exit status 77: no namespace)
"""

import fcntl
import os
import pathlib
import random
import re
import signal
import subprocess
import sys
import time

from browser_session_test import Session, main, send_close_request, served_display, wait_until

SIDES = ("top", "left", "height", "width")


def drive(binary, root, checks):
    with served_display(root) as (env, config, _, _):
        files = {side: os.path.join(config, f"quillmere-{side}.txt") for side in SIDES}
        # Closes killed at random moments, then one left to finish.
        for _ in range(5):
            with Session(binary, env) as session:
                time.sleep(0.3)
                send_close_request(env["DISPLAY"], session.window)
                time.sleep(random.uniform(0, 0.05))
        pathlib.Path(config, ".quillmere-width.txt.quillmere-partial-Ab12Cd").write_text("5")
        pathlib.Path(config, ".quillmere-top.txt.backup").write_text("the user's own")
        with Session(binary, env) as session:
            status = session.close()
        checks.check(status == 0, f"a close after killed ones ends with status 0 (got {status})")
        names = sorted(name for name in os.listdir(config) if "quillmere" in name)
        checks.check(names == sorted([".quillmere-top.txt.backup"] + [os.path.basename(path) for path in files.values()]),
                     f"only the four geometry files and the user's own look-alike are left ({names})")
        values = {side: pathlib.Path(path).read_text() for side, path in files.items()}
        checks.check(all(re.fullmatch(r"-?[0-9]+", value) for value in values.values()),
                     f"each holds a number ({values})")

        check_end_signals(binary, root, env, config, checks)
        check_second_signal_during_stuck_close(binary, env, config, checks)


def check_end_signals(binary, root, env, config, checks):
    """A logout (SIGHUP), Ctrl+C (SIGINT) or kill (SIGTERM) after the user moved and resized the window."""
    run_folders = os.path.join(root, "signal-run-folders")
    os.makedirs(run_folders)
    not_a_folder = os.path.join(root, "home-that-is-a-file")
    pathlib.Path(not_a_folder).write_text("no folder\n")
    without_home = dict({key: value for key, value in env.items() if not key.startswith("XDG_")},
                        HOME=not_a_folder, TMPDIR=run_folders)
    for number, sent in enumerate((signal.SIGTERM, signal.SIGINT, signal.SIGHUP)):
        place = (100 + 10 * number, 80 + 10 * number, 800 - 10 * number, 600)
        for where, session_env in (("", env), (" with a home that is a file", without_home)):
            with Session(binary, session_env) as session:
                session.xdotool("windowsize", str(session.window), *map(str, place[2:]))
                session.xdotool("windowmove", str(session.window), *map(str, place[:2]))
                moved = session.wait_for_geometry(place)
                time.sleep(0.5)  # the window's own report of it
                status = session.signal(sent)
            checks.check(moved == place and status == 0,
                         f"{sent.name}{where} ends the program as a close does (moved to {moved}, status {status})")
        saved = tuple(int(pathlib.Path(config, f"quillmere-{side}.txt").read_text()) for side in SIDES)
        expected = (place[1], place[0], place[3], place[2])
        checks.check(saved == expected, f"after {sent.name} the four files hold the new place ({saved})")
    gone = wait_until(lambda: os.listdir(run_folders) == [])
    checks.check(gone, f"no run folder is left after a signal ({os.listdir(run_folders)})")


def check_second_signal_during_stuck_close(binary, env, config, checks):
    """The close waits up to 5 s for the preferences folder's lock, which the test holds; SIGTERM again meanwhile ends
    the program at once, by the signal, before it has written anything of the window's new place."""
    saved = {side: pathlib.Path(config, f"quillmere-{side}.txt").read_text() for side in SIDES}
    folder = os.open(config, os.O_RDONLY | os.O_DIRECTORY)
    try:
        fcntl.flock(folder, fcntl.LOCK_EX)
        with Session(binary, env) as session:
            session.xdotool("windowmove", str(session.window), "150", "120")
            session.wait_for_geometry((150, 120) + session.geometry()[2:])
            time.sleep(0.5)  # the window's own report of it
            session.process.send_signal(signal.SIGTERM)
            time.sleep(1)
            waiting = session.process.poll() is None
            sent = time.monotonic()
            try:
                status = session.signal(signal.SIGTERM, timeout=10)
            except subprocess.TimeoutExpired:
                status = "still running"
            took = time.monotonic() - sent
    finally:
        os.close(folder)
    checks.check(waiting and status == -signal.SIGTERM and took < 2,
                 f"a second SIGTERM while the close waits for the lock ends the program at once by the signal"
                 f" (waiting {waiting}, status {status}, {took:.1f} s)")
    now = {side: pathlib.Path(config, f"quillmere-{side}.txt").read_text() for side in SIDES}
    partial = [name for name in os.listdir(config) if "quillmere-partial" in name]
    checks.check(now == saved and not partial, f"and the four files are as they were, with no new file ({now}, {partial})")


if __name__ == "__main__":
    sys.exit(main(drive, __file__))
