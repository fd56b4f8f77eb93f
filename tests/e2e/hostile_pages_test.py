#!/usr/bin/env python3
"""End-to-end: the real quillmere executable against hostile pages and folders.

Runs in the same private network namespace as browser_session_test.py, whose
harness it uses: the Facebook start page is a hostile page served on the
loopback, and the default browser is the harness's recorder. Checked: a
javascript: pop-up runs nowhere; a burst of window.open on one click hands out
one address while the toolbar keeps answering; a 1 MB address is quoted
briefly; an XDG folder variable naming a file doesn't kill the browser;
without a display the browser says so plainly.

Usage: hostile_pages_test.py PATH_TO_QUILLMERE
Exit status 0 when every check passed, 1 when one failed, 77 when the machine
can't give the test a private network namespace (it needs root).
"""

import os
import subprocess
import sys
import threading
import time

import browser_session_test as harness

LONG_ADDRESS_PREFIX = "http://www.quillmere.com/long?"
LONG_ADDRESS_LENGTH = len(LONG_ADDRESS_PREFIX) + (1 << 20)  # 1048606

# Four strips across the page, each one thing to click; centres in window
# coordinates (the view starts 35 pixels down).
SCRIPT_POPUP = (150, 35 + 40)
BURST = (150, 35 + 140)
LONG_ADDRESS = (150, 35 + 240)
BLANK_LINK = (150, 35 + 340)

HOSTILE_PAGE = """<!doctype html>
<html><head><title>hostile</title><style>
  .strip {{ position: fixed; left: 0; width: 300px; height: 80px; display: block; }}
</style></head>
<body style="margin:0">
<button class="strip" style="top:0" onclick="window.open(
  'javascript:fetch(\\'http://www.facebook.com/ran-in-hidden\\');' +
  'setInterval(function () {{ location = \\'http://www.quillmere.com/from-hidden\\' }}, 100)')">script</button>
<button class="strip" style="top:100px"
  onclick="for (var i = 0; i < 1000; i++) window.open('http://www.quillmere.com/burst-' + i)">burst</button>
<button class="strip" style="top:200px"
  onclick="window.open('{long_prefix}' + 'a'.repeat(1 << 20))">long</button>
<a class="strip" style="top:300px;background:#ccd" href="http://www.quillmere.com/blank-link"
  target="_blank">link</a>
<script>
addEventListener('pageshow', function (e) {{
  fetch('/shown?host=' + location.host + '&persisted=' + e.persisted, {{cache: 'no-store'}});
}});
</script>
</body></html>
""".format(long_prefix=LONG_ADDRESS_PREFIX)


def make_handler(recorder):
    """The harness's pages, with the hostile one as the Facebook start page."""
    base = harness.make_handler(recorder)

    class Handler(base):
        def do_GET(self):
            host = (self.headers.get("Host") or "").split(":")[0]
            if host != "www.facebook.com" or self.path != "/":
                return super().do_GET()
            recorder.add(host, self.path)
            body = HOSTILE_PAGE.encode()
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Cache-Control", "no-store")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

    return Handler


class ErrorLog:
    """Everything a session writes on standard error, read as it comes so the
    browser never blocks on a full pipe."""

    def __init__(self, stream):
        self.lock = threading.Lock()
        self.text = ""
        self.thread = threading.Thread(target=self.read, args=(stream,), daemon=True)
        self.thread.start()

    def read(self, stream):
        for chunk in iter(lambda: os.read(stream.fileno(), 65536), b""):
            with self.lock:
                self.text += chunk.decode(errors="replace")

    def since(self, offset):
        with self.lock:
            return self.text[offset:]

    def size(self):
        with self.lock:
            return len(self.text)

    def wait_for(self, needle, offset=0, timeout=15):
        deadline = time.monotonic() + timeout
        while needle not in self.since(offset) and time.monotonic() < deadline:
            time.sleep(0.1)
        return needle in self.since(offset)


def handed(browser_log, prefix):
    """The addresses the default browser has been given so far that start so."""
    if not os.path.exists(browser_log):
        return []
    with open(browser_log) as log:
        return [line for line in log.read().split() if line.startswith(prefix)]


def wait_until(condition, timeout=15):
    deadline = time.monotonic() + timeout
    while not condition() and time.monotonic() < deadline:
        time.sleep(0.1)
    return condition()


def check_pages(binary, display, env, recorder, browser_log, checks):
    session = harness.Session(binary, display, env)
    errors = ErrorLog(session.process.stderr)
    try:
        checks.check(recorder.wait_for_shown(1) and recorder.shown()[-1] == "www.facebook.com",
                     "the hostile start page loads")

        # A link the user clicks, which gives the hidden viewer a document
        # for a script to run in; then a javascript: pop-up; then the link
        # again, which must still reach the browser. (Clicks that come faster
        # than the page acts on them would count as one.)
        session.click(*BLANK_LINK)
        checks.check(wait_until(lambda: len(handed(browser_log, "http://www.quillmere.com/blank-link")) == 1),
                     "a target=_blank link the user clicks reaches the browser")
        session.click(*SCRIPT_POPUP)
        session.click(*BLANK_LINK)
        checks.check(wait_until(lambda: len(handed(browser_log, "http://www.quillmere.com/blank-link")) == 2),
                     "so does the link clicked after a javascript: pop-up")
        time.sleep(1)  # the script's timer would have fired ten times
        checks.check(not any(path == "/ran-in-hidden" for _, path in recorder.requests),
                     "a javascript: pop-up runs no script")
        checks.check(not handed(browser_log, "http://www.quillmere.com/from-hidden"),
                     "nothing is handed to the browser on a javascript: pop-up's behalf")

        # A thousand window.open calls on one click; the toolbar is clicked
        # while the page is at it.
        errors_before = errors.size()
        shown = len(recorder.shown())
        session.click(*BURST)
        session.click(*harness.BUTTONS["twitter.com"])
        checks.check(recorder.wait_for_shown(shown + 1, timeout=10) and recorder.shown()[-1] == "twitter.com",
                     "the toolbar acts at once during a burst of window.open")
        checks.check(wait_until(lambda: handed(browser_log, "http://www.quillmere.com/burst-")),
                     "the first address of the burst reaches the browser")
        time.sleep(1)
        burst = handed(browser_log, "http://www.quillmere.com/burst-")
        checks.check(burst == ["http://www.quillmere.com/burst-0"],
                     f"one click hands out one address ({len(burst)} handed out)")
        burst_report = errors.since(errors_before)
        checks.check(burst_report.count("new windows") == 1,
                     f"the dropped requests are reported in one line ({burst_report.count('new windows')})")

        # A 1 MB address: more than the desktop takes.
        shown = len(recorder.shown())
        session.click(*harness.BUTTONS["www.facebook.com"])
        checks.check(recorder.wait_for_shown(shown + 1), "the hostile page is back")
        errors_before = errors.size()
        session.click(*LONG_ADDRESS)
        checks.check(errors.wait_for(f"{LONG_ADDRESS_LENGTH} characters", errors_before),
                     "the refused 1 MB address is reported with its length")
        time.sleep(1)
        report = errors.since(errors_before)
        checks.check(len(report) < 2000 and "a" * 201 not in report,
                     f"the report quotes a short part of it ({len(report)} characters of output)")

        status = session.close()
        checks.check(status == 0, f"the browser still closes normally (got {status})")
    finally:
        if session.process.poll() is None:
            session.process.kill()
            session.process.wait()


def check_unusable_folders(binary, display, env, root, recorder, checks):
    not_a_folder = os.path.join(root, "not-a-folder")
    with open(not_a_folder, "w") as file:
        file.write("a file where a folder should be\n")
    run_folders = os.path.join(root, "run-folders")
    os.makedirs(run_folders)
    # A home that is a file leaves the XDG defaults below a file too.
    home_is_a_file = {key: value for key, value in env.items() if not key.startswith("XDG_")}
    home_is_a_file.update(HOME=not_a_folder, TMPDIR=run_folders)
    for variable, session_env, reported in (
            ("XDG_CONFIG_HOME", dict(env, XDG_CONFIG_HOME=not_a_folder), "XDG_CONFIG_HOME"),
            ("XDG_DATA_HOME", dict(env, XDG_DATA_HOME=not_a_folder), "XDG_DATA_HOME"),
            ("XDG_CACHE_HOME", dict(env, XDG_CACHE_HOME=os.path.join(not_a_folder, "below")), "XDG_CACHE_HOME"),
            ("XDG_RUNTIME_DIR", dict(env, XDG_RUNTIME_DIR=not_a_folder), "XDG_RUNTIME_DIR"),
            ("HOME", home_is_a_file, "home folder")):
        session = None
        try:
            shown = len(recorder.shown())
            session = harness.Session(binary, display, session_env)
            errors = ErrorLog(session.process.stderr)
            page_shown = recorder.wait_for_shown(shown + 1)
            status = session.close()
            checks.check(page_shown and status == 0,
                         f"with {variable} naming no usable folder the browser shows its page and closes normally "
                         f"(status {status}, page {page_shown})")
            checks.check(errors.since(0).count(reported) == 1, f"{variable} is reported in one line")
        except RuntimeError as error:
            checks.check(False, f"the browser starts with {variable} naming no usable folder ({error})")
        finally:
            if session is not None and session.process.poll() is None:
                session.process.kill()
                session.process.wait()
    checks.check(os.listdir(run_folders) == [], "the folder made for a run without a usable home is gone after it")


def check_no_display(binary, env, checks):
    without = {key: value for key, value in env.items() if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    result = subprocess.run([binary], env=without, capture_output=True, text=True, timeout=30)
    checks.check(result.returncode > 0 and result.stderr.startswith("quillmere: cannot open the display")
                 and "Unhandled" not in result.stderr,
                 f"without a display the browser says so plainly and fails ({result.returncode}: {result.stderr!r})")


def drive(binary, root, checks):
    env, _, browser_log = harness.prepare_folders(root)
    recorder = harness.Recorder()
    server = harness.http.server.ThreadingHTTPServer(("0.0.0.0", 80), make_handler(recorder))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    xvfb, display = harness.start_display(env)
    env["DISPLAY"] = display
    try:
        check_pages(binary, display, env, recorder, browser_log, checks)
        check_unusable_folders(binary, display, env, root, recorder, checks)
        check_no_display(binary, env, checks)
    finally:
        xvfb.terminate()
        xvfb.wait()
        server.shutdown()


if __name__ == "__main__":
    sys.exit(harness.main(lambda binary: harness.inside_namespace(binary, drive), __file__))
