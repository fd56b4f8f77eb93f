#!/usr/bin/env python3
"""End-to-end: what a page does stays in the page. Downloads, print() and runaway script on the Facebook start page,
with browser_session_test.py's harness.

Usage: page_containment_test.py PATH_TO_QUILLMERE (exit 0 passed, 1 failed, 77 without root)
"""

import os
import pathlib
import subprocess
import sys
import time

import browser_session_test as harness
from browser_session_test import handed, wait_until

ATTACHMENT = "http://www.facebook.com" + harness.ATTACHMENTS
LINK = (150, harness.VIEW_TOP + 40)  # the centre of the page's one link


def after_load(script):
    """Runs `script` once the page has told the server it is shown."""
    return f"<script>addEventListener('pageshow', function () {{ setTimeout(function () {{ {script} }}, 300); }});</script>"


DRIVE_BY = after_load(
    "function save(name, href) { var a = document.createElement('a'); a.download = name; a.href = href;"
    " document.body.appendChild(a); a.click(); }"
    "save('blob.sh', URL.createObjectURL(new Blob(['#!/bin/sh'])));"
    "setTimeout(function () { save('data.desktop', 'data:text/plain,x'); }, 500);"
    f"setTimeout(function () {{ location = '{harness.ATTACHMENTS}report.pdf'; }}, 1000);")
CLICKED_LINK = (f"<a href='{harness.ATTACHMENTS}clicked.pdf' style='position:fixed;left:0;top:0;width:300px;"
                "height:80px;display:block;background:#ccd'>download</a>")
DRAFT = ("<textarea style='position:fixed;left:0;top:0;width:300px;height:80px'"
         " onfocus='fetch(\"/focused\")'></textarea><script>"
         "addEventListener('beforeunload', function (event) { event.preventDefault(); event.returnValue = ''; });"
         "setInterval(function () { fetch('/draft?' + encodeURIComponent(document.querySelector('textarea').value)); },"
         " 200);</script>")
CLICK_TO_PRINT = ("<div onclick='print()' style='position:fixed;left:0;top:0;width:300px;height:80px;"
                  "background:#ccd'>print</div>")
# The first click starts a download 10 s later, the second a print() 8 s later, which the page reports as it calls it.
LATE_AFTER_CLICK = (
    "<div id='late' style='position:fixed;left:0;top:0;width:300px;height:80px;background:#ccd'>later</div><script>"
    "var clicks = 0; document.getElementById('late').onclick = function () { if (++clicks == 1)"
    f" setTimeout(function () {{ location = '{harness.ATTACHMENTS}late.pdf'; }}, 10000); else setTimeout(function () {{"
    " fetch('/printed', {cache: 'no-store'}); print(); }, 8000); };</script>")


def files_under(folder):
    return {str(path.relative_to(folder)): path.read_bytes() for path in pathlib.Path(folder).rglob("*") if path.is_file()}


def check_downloads(session_for, env, root, browser_log, checks):
    home = pathlib.Path(env["HOME"])
    (home / "Downloads").mkdir(exist_ok=True)
    pathlib.Path(env["XDG_CONFIG_HOME"], "user-dirs.dirs").write_text('XDG_DOWNLOAD_DIR="$HOME/Downloads"\n')
    for folder in (home, home / "Downloads"):
        (folder / "report.pdf").write_bytes(b"the user's own report\n")
    before = files_under(home)

    with session_for(DRIVE_BY, "drive-by") as session:
        reported = wait_until(lambda: session.errors().count("download of") >= 3)
        time.sleep(1)
        checks.check(files_under(home) == before, "a drive-by attachment, blob and data download write nothing:"
                     " both report.pdf files keep their content and nothing new appears under home")
        report = session.errors()
        checks.check(reported and report.count("download of") == 3 and f'"{ATTACHMENT}report.pdf"' in report,
                     f"each refused download is reported in one line with its address ({report!r})")
        checks.check(not pathlib.Path(browser_log).exists(), "none of them reaches the default browser")
        session.close()

    with session_for(CLICKED_LINK, "clicked") as session:
        session.click(*LINK)
        wait_until(lambda: handed(browser_log))
        time.sleep(1)
        checks.check(handed(browser_log) == [ATTACHMENT + "clicked.pdf"] and files_under(home) == before,
                     f"a clicked attachment link reaches the browser once and writes nothing ({handed(browser_log)})")
        session.close()


def forget_geometry(config):
    for side in ("top", "left", "height", "width"):
        pathlib.Path(config, f"quillmere-{side}.txt").unlink(missing_ok=True)


def geometry_files(config):
    return sorted(path.name for path in pathlib.Path(config).glob("quillmere-*.txt"))


def check_print_loop(session_for, config, checks):
    forget_geometry(config)
    with session_for(after_load("for (;;) print();"), "print") as session:
        time.sleep(2)
        windows = session.visible_windows(".")
        checks.check(len(windows) == 1, f"a page's print() with no click opens no window ({len(windows)} visible)")
        status = session.close()
        written = geometry_files(config)
        checks.check(status == 0 and len(written) == 4,
                     f"during for(;;) print() a close request ends the program (status {status}, files {written})")


def check_print_dialog_holds_only_the_page(session_for, config, checks):
    """A click that prints opens the engine's dialog; the close button, and the toolbar before it, still act."""
    for toolbar_first in (False, True):
        forget_geometry(config)
        with session_for(CLICK_TO_PRINT, f"clicked print{', then the toolbar' if toolbar_first else ''}") as session:
            session.click(*LINK)
            shown = wait_until(lambda: len(session.visible_windows(".")) == 2)
            checks.check(shown, "a print() after a click shows the print dialog"
                         f" ({len(session.visible_windows('.'))} visible)")
            if toolbar_first:
                session.click(*harness.BUTTONS["twitter.com"])
                # The button's tooltip may show by then: it is no dialog.
                clear = session.shows_site("twitter.com") and wait_until(lambda: not session.visible_windows("^Print$"))
                checks.check(clear, "a click on a site button under the print dialog cancels it and shows the site"
                             f" ({session.visible_windows('.')} visible)")
            try:
                status = session.close()
            except subprocess.TimeoutExpired:
                status = "still running"
            written = geometry_files(config)
            checks.check(status == 0 and len(written) == 4,
                         f"a close request{' after it' if toolbar_first else ' while the print dialog is up'} ends the"
                         f" program (status {status}, files {written})")


def check_late_requests(session_for, recorder, browser_log, checks):
    """What a click allows lapses: a download or a print() long after it is refused like any unasked one."""
    handed_before = handed(browser_log)
    with session_for(LATE_AFTER_CLICK, "late requests") as session:
        session.click(*LINK)
        refusal = f'download of "{ATTACHMENT}late.pdf"'
        wait_until(lambda: refusal in session.errors(), 20)
        lines = [line for line in session.errors().splitlines() if refusal in line]
        checks.check(len(lines) == 1 and lines[0].endswith("was refused: the user did not ask for it")
                     and handed(browser_log) == handed_before,
                     f"a download 10 s after a click is refused in one line and reaches no browser ({lines})")

        session.click(*LINK)
        printed = wait_until(lambda: ("www.facebook.com", "/printed") in recorder.requests, 20)
        shown = wait_until(lambda: len(session.visible_windows(".")) > 1, 3)
        checks.check(printed and not shown, "a print() 8 s after a click shows no dialog"
                     f" (called: {printed}, {len(session.visible_windows('.'))} visible)")


def question_buttons(session):
    """Where the engine's question over the view has "Stay on Page" and "Leave Page": the left and the right half of
    its bottom row, found on the screen from the view's centre out to where the dimmed page begins."""
    _, _, width, height = session.geometry()
    right, bottom = width - 11, height - 16
    centre = (right // 2, (harness.VIEW_TOP + bottom) // 2)

    def colours(points):
        return harness.window_colours(session.env["DISPLAY"], session.window, points)
    dimmed = colours([(right - 5, bottom - 5)])[0]
    below = colours([(centre[0], y) for y in range(centre[1], bottom)])
    row = centre[1] + below.index(dimmed) - 8 if dimmed in below else centre[1]
    across = colours([(x, row) for x in range(right)])
    lit = [x for x, colour in enumerate(across) if colour != dimmed]
    return ((lit[0] + centre[0]) // 2, row), ((centre[0] + lit[-1]) // 2, row)


def check_draft_kept(session_for, recorder, checks):
    """A page holding what the user typed asks, with the engine's own question, before the toolbar leaves it."""
    def drafts_kept(since):
        return wait_until(lambda: any(path == "/draft?half%20a%20post" for _, path in recorder.requests[since:]), 5)

    def sites_requested():
        return [host for host, path in recorder.requests if path == "/" and host != "www.facebook.com"]

    def asking(session):
        """Whether the engine's question dims the page, away from its text area."""
        _, _, width, height = session.geometry()
        corner = harness.window_colours(session.env["DISPLAY"], session.window, [(width - 20, height - 25)])
        return corner != [harness.SITE_COLOURS["www.facebook.com"]]

    with session_for(DRAFT, "draft") as session:
        start = len(recorder.requests)
        session.click(*LINK)
        wait_until(lambda: any(path == "/focused" for _, path in recorder.requests[start:]), 5)
        session.xdotool("type", "--delay", "20", "half a post")
        checks.check(drafts_kept(start) and wait_until(lambda: not asking(session), 5),
                     "the user types a draft into the page")
        requested = sites_requested()
        session.click(*harness.BUTTONS["twitter.com"])
        asked = wait_until(lambda: asking(session), 5)
        checks.check(asked and sites_requested() == requested,
                     "a site button asks first whether to leave the page, and loads nothing yet")
        # Longer than the engine takes to find a page that doesn't answer a load.
        time.sleep(4)
        session.click(*harness.BUTTONS["www.youtube.com"])
        time.sleep(1)
        checks.check(asking(session) and sites_requested() == requested,
                     "while the question is up, another site button leaves it to be answered")
        stay, _ = question_buttons(session)
        session.click(*stay)
        stayed = wait_until(lambda: not asking(session), 5)
        since = len(recorder.requests)
        checks.check(stayed and drafts_kept(since) and sites_requested() == requested,
                     f"\"Stay on Page\" keeps the page and the draft in it ({recorder.requests[since:][-3:]})")
        session.click(*harness.BUTTONS["twitter.com"])
        asked = wait_until(lambda: asking(session), 5)
        _, leave = question_buttons(session)
        session.click(*leave)
        checks.check(asked and session.shows_site("twitter.com"),
                     "a second click asks again, and \"Leave Page\" shows the site")
        session.close()


def check_runaway_script(session_for, recorder, checks):
    facebook = {harness.SITE_COLOURS["www.facebook.com"]}
    for script in ("for (;;) alert(1);", "for (;;) confirm(1);", "for (;;) {}"):
        with session_for(after_load(script), script) as session:
            time.sleep(1)
            if "(1)" in script:
                checks.check(wait_until(lambda: session.view_colours() != facebook, 5),
                             f"with {script} the page's dialog shows over it")
            started = time.monotonic()
            shown = recorder.shows_after(lambda: session.click(*harness.BUTTONS["twitter.com"]), "twitter.com", 15)
            checks.check(shown and session.shows_site("twitter.com"),
                         f"with {script} running a site button shows its site, clear of any dialog"
                         f" ({time.monotonic() - started:.1f} s)")
            status = session.close()
            checks.check(status == 0, f"and the window then closes normally (status {status})")


def drive(binary, root, checks):
    start = {"body": ""}
    with harness.served_display(root, lambda: start["body"]) as (env, config, browser_log, recorder):
        def session_for(body, name):
            start["body"] = body
            return harness.Session(binary, env, os.path.join(root, f"{name}.log"), recorder)
        check_downloads(session_for, env, root, browser_log, checks)
        check_print_loop(session_for, config, checks)
        check_print_dialog_holds_only_the_page(session_for, config, checks)
        check_late_requests(session_for, recorder, browser_log, checks)
        check_draft_kept(session_for, recorder, checks)
        check_runaway_script(session_for, recorder, checks)


if __name__ == "__main__":
    sys.exit(harness.main(drive, __file__))
