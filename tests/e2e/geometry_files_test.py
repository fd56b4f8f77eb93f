#!/usr/bin/env python3
"""End-to-end: closes killed half-way leave nothing behind once a later one has run; a signal to end closes the window
as the user would, keeping its place and leaving no run folder behind. Uses browser_session_test.py's harness.

Usage: geometry_files_test.py PATH_TO_QUILLMERE (exit status 77: no namespace)
"""

import os
import pathlib
import random
import re
import signal
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


if __name__ == "__main__":
    sys.exit(main(drive, __file__))
