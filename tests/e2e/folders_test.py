#!/usr/bin/env python3
"""End-to-end: the real quillmere with folders it can't use as the user gave them: no usable TMPDIR, no room for a
run folder at all, a read-only preferences folder, an executable under another name, and a home that can't hold the
engine's folders. Uses browser_session_test.py's harness.

Usage: folders_test.py PATH_TO_QUILLMERE (exit 0 passed, 1 failed, 77 without root)
"""

import json
import os
import pathlib
import re
import subprocess
import sys

import browser_session_test as harness
from browser_session_test import Session, handed, wait_until

# The whole view is one link that asks for a new window.
LINK = "http://www.quillmere.com/blank-link"
LINK_PAGE = (f"<a href='{LINK}' target='_blank' style='position:fixed;left:0;top:0;width:100%;height:100%;"
             "display:block'>link</a>")
IN_THE_VIEW = (300, harness.VIEW_TOP + 200)

SIDES = ("top", "left", "height", "width")


def read_only_folder(path):
    """A folder nobody can write in, root included: a read-only bind mount of itself."""
    os.makedirs(path, exist_ok=True)
    harness.run(["mount", "--bind", path, path])
    harness.run(["mount", "-o", "remount,bind,ro", path])
    return path


def without_home(env, root):
    """The user's environment with HOME a file and no XDG folders: the program needs a run folder."""
    not_a_folder = os.path.join(root, "home-that-is-a-file")
    pathlib.Path(not_a_folder).write_text("no folder\n")
    return dict({key: value for key, value in env.items() if not key.startswith("XDG_")}, HOME=not_a_folder)


def check_unusable_tmpdir(binary, env, root, recorder, checks):
    """With TMPDIR read-only or missing, the run folder is made in /tmp, and goes with the run."""
    for what, temporary in (("read-only", read_only_folder(os.path.join(root, "read-only-tmpdir"))),
                            ("missing", os.path.join(root, "no-such-tmpdir"))):
        session_env = dict(without_home(env, root), TMPDIR=temporary)
        with Session(binary, session_env, os.path.join(root, f"tmpdir-{what}.log"), recorder) as session:
            shown = session.page_shown
            named = re.search(r"kept in (\S+) for this run only", session.errors())
            status = session.close()
        folder = named[1] if named else ""
        gone = folder and wait_until(lambda: not os.path.exists(folder))
        checks.check(shown and status == 0 and re.fullmatch(r"/tmp/quillmere-\w{6}", folder) and gone,
                     f"with HOME a file and TMPDIR {what}, the page shows, the window closes normally and the run's "
                     f"folder in /tmp is gone after it (folder {folder!r}, status {status}, gone {gone})")


def check_no_run_folder(binary, env, root, checks):
    """With neither TMPDIR nor /tmp writable, the program says so in one line and ends before any window."""
    session_env = dict(without_home(env, root), TMPDIR=read_only_folder(os.path.join(root, "read-only-tmpdir")))
    # /tmp read-only for this run alone, in a mount namespace of its own; the display's socket is mounted below it.
    command = ["unshare", "--mount", "--", "sh", "-c",
               'mount --rbind /tmp /tmp && mount -o remount,bind,ro /tmp && exec "$0"', binary]
    result = subprocess.run(command, env=session_env, capture_output=True, text=True, timeout=60)
    lines = result.stderr.splitlines()
    checks.check(result.returncode == 1 and len(lines) == 1 and lines[0].startswith(
        "quillmere: the home folder can't be used, and no folder for this run can be made in "),
        f"without any place for a run folder it ends with status 1 and one line ({result.returncode}: "
        f"{result.stderr!r})")


def check_paths_the_sandbox_mounts(binary, env, root, recorder, checks):
    """The engine's sandbox stops at a path below a file; none such reaches it, and the page shows."""
    home = os.path.join(root, "home-with-a-file-for-config")
    os.makedirs(home)
    pathlib.Path(home, ".config").write_text("a file where a folder should be\n")
    not_a_folder = os.path.join(root, "not-a-folder")
    pathlib.Path(not_a_folder).write_text("no folder\n")
    for what, session_env, told in (
            ("~/.config a file", dict({key: value for key, value in env.items() if key != "XDG_CONFIG_HOME"},
                                      HOME=home, TMPDIR=root), "settings folder"),
            ("XAUTHORITY below a file", dict(env, XAUTHORITY=os.path.join(not_a_folder, "x")), "XAUTHORITY"),
            ("a PULSE_SERVER socket below a file", dict(env, PULSE_SERVER="unix:" + os.path.join(not_a_folder, "x")),
             "PULSE_SERVER")):
        with Session(binary, session_env, os.path.join(root, f"{told}.log"), recorder) as session:
            lines = [line for line in session.errors().splitlines() if line.startswith("quillmere:")]
            status = session.close()
        checks.check(session.page_shown and status == 0 and len(lines) == 1 and told in lines[0],
                     f"with {what} the page shows after one line, and the window closes normally "
                     f"(status {status}, {lines})")


def check_read_only_preferences(binary, env, root, checks):
    """A preferences folder that can be read but not written: its place is used, and nothing is written anywhere."""
    preferences = os.path.join(root, "read-only-preferences")
    os.makedirs(preferences)
    for side, value in zip(SIDES, ("111", "222", "600", "800")):
        pathlib.Path(preferences, f"quillmere-{side}.txt").write_text(value)
    read_only_folder(preferences)
    home = os.path.join(root, "home-beside-read-only-preferences")
    os.makedirs(home)
    session_env = dict(env, HOME=home, XDG_CONFIG_HOME=preferences)
    with Session(binary, session_env, os.path.join(root, "read-only-preferences.log")) as session:
        place = session.wait_for_geometry((222, 111, 800, 600))
        at_start = [line for line in session.errors().splitlines() if line.startswith("quillmere:")]
        status = session.close()
        at_close = session.errors().count("could not save")
    checks.check(place == (222, 111, 800, 600), f"the window opens at the place the read-only folder keeps ({place})")
    checks.check(len(at_start) == 1 and "the window's place will not be kept" in at_start[0],
                 f"one line of the program's at start says the place won't be kept ({at_start})")
    checks.check(status == 0 and at_close == 4 and not os.path.exists(os.path.join(home, ".config")),
                 f"the close reports four files it could not save and writes no other preferences folder "
                 f"({at_close} lines, status {status}, home holds {os.listdir(home)})")


def check_site_data_names(binary, env, root, recorder, checks):
    """An executable under another name keeps its site data and cache under the program's name."""
    social = os.path.join(root, "social")
    os.symlink(binary, social)
    data, cache = os.path.join(root, "social-data"), os.path.join(root, "social-cache")
    with Session(social, dict(env, XDG_DATA_HOME=data, XDG_CACHE_HOME=cache), recorder=recorder) as session:
        shown = session.page_shown
        session.close()
    names = {folder: sorted(os.listdir(folder)) if os.path.isdir(folder) else [] for folder in (data, cache)}
    checks.check(shown and names[data] == ["quillmere"] and "quillmere" in names[cache]
                 and "social" not in names[cache],
                 f"a link named social keeps its site data and cache in quillmere folders ({names})")


def check_added_variables_not_handed_on(binary, env, root, recorder, browser_log, checks):
    """The folders the program adds for itself, where the user set none, are not given to the default browser."""
    home = os.path.join(root, "home-without-room")
    os.makedirs(home)
    for name in (".local", ".cache"):
        pathlib.Path(home, name).write_text("a file where a folder should be\n")
    # The recording browser's desktop entry is found through XDG_DATA_DIRS.
    user_env = dict({key: value for key, value in env.items() if key not in ("XDG_DATA_HOME", "XDG_CACHE_HOME")},
                    HOME=home, XDG_DATA_DIRS=f"{env['XDG_DATA_HOME']}:/usr/share",
                    TMPDIR=os.path.join(root, "launch-run-folders"))
    os.makedirs(user_env["TMPDIR"])
    with Session(binary, user_env, os.path.join(root, "added-variables.log"), recorder) as session:
        added = "for this run only" in session.errors()
        count = len(handed(browser_log, LINK))
        session.click(*IN_THE_VIEW)
        launched = wait_until(lambda: len(handed(browser_log, LINK)) > count)
        session.close()
    seen = json.loads(pathlib.Path(browser_log + ".env").read_text()) if launched else {}
    given = {name: seen.get(name) for name in ("HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME")}
    checks.check(added and session.page_shown and launched
                 and given == {"HOME": home, "XDG_DATA_HOME": None, "XDG_CACHE_HOME": None},
                 f"the default browser gets neither data nor cache folder the program set for itself ({given})")


def drive(binary, root, checks):
    with harness.served_display(root, LINK_PAGE) as (env, _, browser_log, recorder):
        check_unusable_tmpdir(binary, env, root, recorder, checks)
        check_no_run_folder(binary, env, root, checks)
        check_paths_the_sandbox_mounts(binary, env, root, recorder, checks)
        check_read_only_preferences(binary, env, root, checks)
        check_site_data_names(binary, env, root, recorder, checks)
        check_added_variables_not_handed_on(binary, env, root, recorder, browser_log, checks)


if __name__ == "__main__":
    sys.exit(harness.main(drive, __file__))
