#!/usr/bin/env python3
"""End-to-end: the real quillmere against a hostile Facebook start page and unusable folders, with
browser_session_test.py's harness.

Usage: hostile_pages_test.py PATH_TO_QUILLMERE (exit 0 passed, 1 failed, 77 without root)
"""

import json
import os
import pathlib
import subprocess
import sys
import time

import browser_session_test as harness
from browser_session_test import handed, wait_until

LONG_ADDRESS_PREFIX = "http://www.quillmere.com/long?"
LONG_ADDRESS_LENGTH = len(LONG_ADDRESS_PREFIX) + (1 << 20)  # 1048606

# Four strips across the page, each one thing to click; centres in window coordinates.
SCRIPT_POPUP, BURST, LONG_ADDRESS, BLANK_LINK = ((150, harness.VIEW_TOP + top) for top in (40, 140, 240, 340))

HOSTILE_STRIPS = """<style>
  .strip { position: fixed; left: 0; width: 300px; height: 80px; display: block; }
</style>
<button class="strip" style="top:0" onclick="window.open(
  'javascript:fetch(\\'http://www.facebook.com/ran-in-hidden\\');' +
  'setInterval(function () { location = \\'http://www.quillmere.com/from-hidden\\' }, 100)')">script</button>
<button class="strip" style="top:100px"
  onclick="for (var i = 0; i < 1000; i++) window.open('http://www.quillmere.com/burst-' + i)">burst</button>
<button class="strip" style="top:200px"
  onclick="window.open('""" + LONG_ADDRESS_PREFIX + """' + 'a'.repeat(1 << 20))">long</button>
<a class="strip" style="top:300px;background:#ccd" href="http://www.quillmere.com/blank-link" target="_blank">link</a>
"""


def check_pages(binary, env, root, recorder, browser_log, checks):
    with harness.Session(binary, env, os.path.join(root, "pages.log")) as session:
        checks.check(recorder.wait_for_shown(1) and recorder.shown()[-1] == "www.facebook.com",
                     "the hostile start page loads")

        # A link the user clicks, which gives the hidden viewer a document for a script to run in; then a javascript:
        # pop-up; then the link again, which must still reach the browser. (Clicks that come faster than the page acts
        # on them would count as one.)
        def links_handed(count):
            return wait_until(lambda: len(handed(browser_log, "http://www.quillmere.com/blank-link")) == count)
        shown = len(recorder.shown())
        session.click(*BLANK_LINK)
        checks.check(links_handed(1), "a target=_blank link the user clicks reaches the browser")
        session.click(*SCRIPT_POPUP)
        session.click(*BLANK_LINK)
        checks.check(links_handed(2), "so does the link clicked after a javascript: pop-up")
        time.sleep(1)  # the script's timer would have fired ten times
        checks.check(not any(path == "/ran-in-hidden" for _, path in recorder.requests)
                     and not handed(browser_log, "http://www.quillmere.com/from-hidden"),
                     "a javascript: pop-up runs no script and hands nothing to the browser")
        checks.check(len(recorder.shown()) == shown and len(session.visible_windows()) == 1,
                     "the main view keeps its page and no second window opens")

        # A thousand window.open calls on one click; the toolbar is clicked while the page is at it.
        errors_before = len(session.errors())
        checks.check(recorder.shows_after(lambda: (session.click(*BURST),
                                                   session.click(*harness.BUTTONS["twitter.com"])),
                                          "twitter.com", timeout=10),
                     "the toolbar acts at once during a burst of window.open")
        wait_until(lambda: handed(browser_log, "http://www.quillmere.com/burst-"))
        time.sleep(1)
        burst = handed(browser_log, "http://www.quillmere.com/burst-")
        checks.check(burst == ["http://www.quillmere.com/burst-0"],
                     f"one click hands out one address ({len(burst)} handed out)")
        checks.check(not any(path.startswith(("/blank-link", "/burst-")) for _, path in recorder.requests),
                     "the hidden view loads none of the new windows itself")
        reports = session.errors(errors_before).count("new windows")
        checks.check(reports == 1, f"the dropped requests are reported in one line ({reports})")

        # A 1 MB address: more than the desktop takes.
        checks.check(recorder.shows_after(lambda: session.click(*harness.BUTTONS["www.facebook.com"]),
                                          "www.facebook.com"), "the hostile page is back")
        errors_before = len(session.errors())
        session.click(*LONG_ADDRESS)
        reported = wait_until(lambda: f"{LONG_ADDRESS_LENGTH} characters" in session.errors(errors_before))
        time.sleep(1)
        report = session.errors(errors_before)
        checks.check(reported and len(report) < 2000 and "a" * 201 not in report,
                     f"the refused 1 MB address is reported with its length, quoted briefly ({len(report)} characters)")

        status = session.close()
        checks.check(status == 0, f"the browser still closes normally (got {status})")


def check_symlink_loops(binary, env, root, recorder, checks):
    """An XDG folder below a symlink loop can't be looked at: it is reported and passed over, never handed on."""
    loop = os.path.join(root, "loop")
    os.symlink("loop", loop)
    for variable in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
        session_env = dict(env, **{variable: os.path.join(loop, "x")})
        with harness.Session(binary, session_env, os.path.join(root, f"loop-{variable}.log"), recorder) as session:
            status = session.close()
            checks.check(session.page_shown and status == 0 and session.errors().count(variable) == 1,
                         f"with {variable} below a symlink loop the browser shows its page, closes normally and "
                         f"reports it in one line (status {status}, page {session.page_shown})")


def check_read_only_home(binary, env, root, checks):
    """A home it can't write in, and no XDG_CONFIG_HOME: the place can't be kept."""
    run_folders = os.path.join(root, "run-folders")
    os.makedirs(run_folders)
    read_only_home = os.path.join(root, "read-only-home")
    os.makedirs(read_only_home)
    harness.run(["mount", "--bind", read_only_home, read_only_home])
    harness.run(["mount", "-o", "remount,bind,ro", read_only_home])
    session_env = dict({key: value for key, value in env.items() if key not in ("XDG_CONFIG_HOME", "XDG_DATA_HOME",
                        "XDG_CACHE_HOME")}, HOME=read_only_home, TMPDIR=run_folders)
    with harness.Session(binary, session_env, os.path.join(root, "read-only-home.log")) as session:
        at_start = session.errors().count("the window's place will not be kept")
        status = session.close()
        at_close = session.errors().count("could not save")
    checks.check(at_start == 1 and at_close == 4 and status == 0,
                 f"with a home it can't write in, it says at start that the place won't be kept, and each of the "
                 f"four files fails at close ({at_start} and {at_close} lines, status {status})")
    # The engine's processes may still write in it until they see the program gone; it goes once they have ended.
    gone = wait_until(lambda: os.listdir(run_folders) == [])
    checks.check(gone, f"the folder made for a run without a usable home is gone after it ({os.listdir(run_folders)})")


def check_launch_environment(binary, env, root, recorder, browser_log, checks):
    """The default browser gets the variables the user started the browser with, not its own fixes."""
    not_a_folder = os.path.join(root, "not-a-folder")
    pathlib.Path(not_a_folder).write_text("a file where a folder should be\n")
    data = env["XDG_DATA_HOME"]  # where the recording browser's desktop entry is
    user_env = dict(env, HOME=not_a_folder, XDG_DATA_HOME=not_a_folder, XDG_DATA_DIRS=f"{data}:/usr/share",
                    TMPDIR=os.path.join(root, "run-folders"))
    # A click only counts in a page the view has shown.
    with harness.Session(binary, user_env, os.path.join(root, "launch.log"), recorder) as session:
        count = len(handed(browser_log, "http://www.quillmere.com/blank-link"))
        session.click(*BLANK_LINK)
        launched = wait_until(lambda: len(handed(browser_log, "http://www.quillmere.com/blank-link")) > count)
        session.close()
    seen = json.loads(pathlib.Path(browser_log + ".env").read_text()) if launched else {}
    names = ("HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS")
    checks.check(launched and all(seen.get(name) == user_env[name] for name in names),
                 f"the default browser sees the user's own folders ({ {name: seen.get(name) for name in names} })")


def check_no_display(binary, env, checks):
    without = {key: value for key, value in env.items() if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    result = subprocess.run([binary], env=without, capture_output=True, text=True, timeout=30)
    checks.check(result.returncode > 0 and result.stderr.startswith("quillmere: cannot open the display")
                 and "unhandled" not in result.stderr.lower(),
                 f"without a display the browser says so plainly and fails ({result.returncode}: {result.stderr!r})")


def drive(binary, root, checks):
    with harness.served_display(root, HOSTILE_STRIPS) as (env, _, browser_log, recorder):
        check_pages(binary, env, root, recorder, browser_log, checks)
        check_symlink_loops(binary, env, root, recorder, checks)
        check_read_only_home(binary, env, root, checks)
        check_launch_environment(binary, env, root, recorder, browser_log, checks)
        check_no_display(binary, env, checks)


if __name__ == "__main__":
    sys.exit(harness.main(drive, __file__))
