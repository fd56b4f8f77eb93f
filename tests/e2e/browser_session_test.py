#!/usr/bin/env python3
"""End-to-end: the real quillmere under Xvfb, as a user drives it, in a private network namespace where the start
hosts are this test's loopback server and the default browser is a recorder.

Usage: browser_session_test.py PATH_TO_QUILLMERE (exit 0 passed, 1 failed, 77 without root)
"""

import contextlib
import ctypes
import ctypes.util
import http.server
import os
import pathlib
import re
import select
import shutil
import subprocess
import sys
import tempfile
import threading
import time

START_HOSTS = ["www.facebook.com", "twitter.com", "www.youtube.com", "www.tidewell.com", "www.quillmere.com"]
# Each start page fills the view with a colour of its own, so a look at the screen tells which one shows.
SITE_COLOURS = dict(zip(START_HOSTS, [(66, 103, 178), (29, 161, 242), (230, 33, 23), (20, 120, 90), (250, 200, 40)]))

# Button centres in window coordinates; "?" keeps 46 pixels from the right edge.
BUTTONS = {"back": (26, 17), "forward": (65, 17), "www.facebook.com": (128, 17), "twitter.com": (208, 17),
           "www.youtube.com": (288, 17), "www.tidewell.com": (398, 17)}
VIEW_TOP = 35  # the page view's top edge in the window
MEMORY_BOUND_KIB = 2 * 1024 * 1024  # a start-up past this is killed
ATTACHMENTS = "/attachments/"  # served as downloads, named by their last path step
ATTACHMENT_BODY = b"a page's download\n"


def help_button(width):
    return width - 46 + 19, 18


class Recorder:
    """What the loopback web server was asked, in order."""
    def __init__(self):
        self.lock = threading.Condition()
        self.requests = []

    def add(self, host, path):
        with self.lock:
            self.requests.append((host, path))
            self.lock.notify_all()

    def shown(self):  # the hosts whose page the main view showed, in order
        with self.lock:
            return [host for host, path in self.requests if path == "/shown"]

    def wait_for_shown(self, count, timeout=30):
        with self.lock:
            return self.lock.wait_for(lambda: len(self.shown()) >= count, timeout)

    def shows_after(self, act, host, timeout=30):
        """Whether `act` makes the main view show `host`'s page next."""
        count = len(self.shown())
        act()
        return self.wait_for_shown(count + 1, timeout) and self.shown()[-1] == host


def start_page(host, body=""):
    """Tells the server each time the main view shows it."""
    colour = "rgb({}, {}, {})".format(*SITE_COLOURS[host]) if host in SITE_COLOURS else "white"
    return (f"<!doctype html><html><head><title>{host}</title></head>"
            f"<body style='margin:0;height:100vh;background:{colour}'>{body}<script>"
            "addEventListener('pageshow', function () { fetch('/shown', {cache: 'no-store'}); });</script></body></html>")


def make_handler(recorder, page):
    """Serves `page(host)` at "/" of every host, and records each request."""
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            host = (self.headers.get("Host") or "").split(":")[0]
            recorder.add(host, self.path)
            attachment = self.path.startswith(ATTACHMENTS)
            body = page(host).encode() if self.path == "/" else ATTACHMENT_BODY if attachment else b""
            self.send_response(200 if body else 204 if self.path.startswith("/shown") else 404)
            for header, value in (("Content-Type", "text/html; charset=utf-8"), ("Cache-Control", "no-store"),
                                  ("Content-Length", len(body))):
                self.send_header(header, value)
            if attachment:
                self.send_header("Content-Disposition", f"attachment; filename=\"{self.path.rsplit('/', 1)[-1]}\"")
            self.end_headers()
            self.wfile.write(body)

        log_message = lambda *args: None  # noqa: E731

    return Handler


class Checks:
    passed = failed = 0

    def check(self, condition, what):
        self.passed, self.failed = self.passed + bool(condition), self.failed + (not condition)
        print(f"{'ok' if condition else 'FAILED'}: {what}", flush=True)


def run(command, check=True, **kwargs):
    return subprocess.run(command, check=check, capture_output=True, text=True, **kwargs).stdout


def wait_until(condition, timeout=15):
    """The condition's first true answer, or its last answer at the deadline."""
    deadline = time.monotonic() + timeout
    while not (answer := condition()) and time.monotonic() < deadline:
        time.sleep(0.1)
    return answer


@contextlib.contextmanager
def x_display(display_name):
    """Yields libX11, typed for the calls below, and a connection to the test display, closed (and flushed) after."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = xlib.XInternAtom.restype = xlib.XGetImage.restype = ctypes.c_void_p
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                               ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
    xlib.XGetPixel.restype = ctypes.c_ulong
    xlib.XDestroyImage.argtypes = [ctypes.c_void_p]
    display = ctypes.c_void_p(xlib.XOpenDisplay(display_name.encode()))
    if not display.value:
        raise RuntimeError("cannot open the test display")
    try:
        yield xlib, display
    finally:
        xlib.XCloseDisplay(display)


def send_close_request(display_name, window_id):
    """Asks the window to close as a window manager would: WM_DELETE_WINDOW."""
    with x_display(display_name) as (xlib, display):
        atom = lambda name: xlib.XInternAtom(display, name, 0)  # noqa: E731
        # An XClientMessageEvent (33) on LP64, each field in a long of its own: type, serial,
        # send_event, display, window, message type, format 32, data (the protocol, CurrentTime 0).
        event = (ctypes.c_long * 24)(33, 0, 0, 0, window_id, atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW"))
        xlib.XSendEvent(display, ctypes.c_ulong(window_id), 0, ctypes.c_long(0), event)


def window_colours(display_name, window_id, points):
    """The colours (r, g, b) the window shows at `points`, in window coordinates, read off the X server."""
    colours = []
    with x_display(display_name) as (xlib, display):
        for x, y in points:
            image = xlib.XGetImage(display, window_id, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap, on a 24-bit screen
            if not image:
                raise RuntimeError(f"cannot read the window at ({x}, {y})")
            pixel = xlib.XGetPixel(image, 0, 0)
            xlib.XDestroyImage(image)
            colours.append(((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255))
    return colours


def handed(browser_log, prefix=""):
    """The addresses given to the default browser so far that start with `prefix`."""
    log = pathlib.Path(browser_log)
    return [line for line in (log.read_text().split() if log.exists() else []) if line.startswith(prefix)]


def resident_kib(pid):
    try:
        return int(re.search(r"VmRSS:\s+(\d+)", pathlib.Path(f"/proc/{pid}/status").read_text())[1])
    except (OSError, TypeError):  # gone, or a zombie
        return 0


class Session:
    """One run of the browser on the test display, its standard error written to the file `log` if given;
    with a `recorder`, `page_shown` says whether the main view showed a page after start-up.
    Its start-up may neither hang nor eat the machine's memory: then it is killed and the step fails."""
    def __init__(self, binary, env, log=None, recorder=None):
        self.env, self.log = env, log
        shown = len(recorder.shown()) if recorder else 0
        with open(log, "w") if log else contextlib.nullcontext() as stderr:
            self.process = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=stderr)
        try:
            windows = []

            def started():
                if resident_kib(self.process.pid) > MEMORY_BOUND_KIB:
                    raise RuntimeError("the browser's memory ran away at start-up")
                windows[:] = self.visible_windows()
                return self.process.poll() is not None or windows
            if not wait_until(started, 30):
                raise RuntimeError("the main window never appeared: start-up hung")
            if self.process.poll() is not None:
                raise RuntimeError(f"quillmere exited at start-up ({self.process.returncode}): {self.errors()}")
            self.window = int(windows[0])
            self.page_shown = recorder is not None and recorder.wait_for_shown(shown + 1)
        except Exception:  # a start-up that failed leaves nothing running
            self.kill()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self.kill()

    def errors(self, offset=0):
        """What it wrote to standard error, from `offset` on."""
        return pathlib.Path(self.log).read_text(errors="replace")[offset:] if self.log else ""

    def xdotool(self, *args):
        return run(["xdotool", *args], env=self.env)

    def geometry(self):
        values = dict(kv.split("=") for kv in self.xdotool("getwindowgeometry", "--shell", str(self.window)).split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def wait_for_geometry(self, expected, timeout=10):
        wait_until(lambda: self.geometry() == expected, timeout)
        return self.geometry()

    def click(self, x, y):
        self.xdotool("mousemove", "--window", str(self.window), str(x), str(y), "click", "1")

    def view_colours(self):
        """The colours across the page view: a grid of points over all of it but a 3-pixel rim, where the focused
        button's ring may reach. As the window opens, the view is 10 pixels narrower than it and ends 15 pixels
        above its bottom edge."""
        _, _, width, height = self.geometry()
        left, top, right, bottom = 3, VIEW_TOP + 3, width - 10 - 4, height - 15 - 4
        points = [(left + x * (right - left) // 6, top + y * (bottom - top) // 6) for x in range(7) for y in range(7)]
        return set(window_colours(self.env["DISPLAY"], self.window, points))

    def shows_site(self, host, timeout=10):
        """Whether the view comes to be all `host`'s colour, clear of anything drawn over it. The pointer leaves the
        window first, taking any tooltip with it."""
        self.xdotool("mousemove", "0", "0")
        return wait_until(lambda: self.view_colours() == {SITE_COLOURS[host]}, timeout)

    def visible_windows(self, name="^Quillmere$"):
        """This run's visible windows: a run that has just ended may still have
        its own on the display for a moment."""
        command = ["xdotool", "search", "--onlyvisible", "--all", "--pid", str(self.process.pid), "--name", name]
        for _ in range(5):
            # A window that goes while the search walks the tree makes it fail with an X error: searched again.
            found = subprocess.run(command, capture_output=True, text=True, env=self.env)
            if "X Error" not in found.stderr:
                break
        return found.stdout.split()

    def close(self, timeout=30):
        send_close_request(self.env["DISPLAY"], self.window)
        return self.process.wait(timeout)  # a close that hangs fails the step, and the session is killed

    def signal(self, number, timeout=30):
        self.process.send_signal(number)
        return self.process.wait(timeout)

    def kill(self):
        self.process.kill()  # a process already reaped is left alone
        self.process.wait()


def start_display(env, attempts=5):
    """A private Xvfb that picks its own free display number. Servers starting at
    the same moment can race for one number's lock file, and the loser exits; it
    is started again."""
    for _ in range(attempts):
        read_end, write_end = os.pipe()
        # -noreset: a server resetting when its last client leaves refuses the next run for a moment.
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1440x900x24", "-nolisten",
                                 "tcp", "-noreset"], pass_fds=[write_end], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            ready, _, _ = select.select([announced], [], [], 20)
            number = announced.readline().strip() if ready else ""
        if number:
            return xvfb, ":" + number
        xvfb.kill()
        xvfb.wait()
        time.sleep(0.2)
    raise RuntimeError("Xvfb did not start")


def prepare_folders(root):
    home, config, data, runtime = (os.path.join(root, name) for name in ("home", "config", "data", "runtime"))
    for folder in (home, config, os.path.join(data, "applications"), runtime):
        os.makedirs(folder, mode=0o700, exist_ok=True)

    browser_log = os.path.join(root, "browser.log")
    recorder = os.path.join(root, "record_url.py")
    # Each address on a line of the log, once the launch's environment is written beside it.
    pathlib.Path(recorder).write_text("import json, os, sys\n"
                                      "open(sys.argv[1] + '.env', 'w').write(json.dumps(dict(os.environ)))\n"
                                      "open(sys.argv[1], 'a').write(sys.argv[2] + '\\n')\n")
    pathlib.Path(data, "applications", "e2e-browser.desktop").write_text(
        f"[Desktop Entry]\nType=Application\nName=Recording browser\nExec={sys.executable} {recorder} {browser_log} %u"
        "\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\nNoDisplay=true\n")
    pathlib.Path(config, "mimeapps.list").write_text("[Default Applications]\nx-scheme-handler/http=e2e-browser.desktop"
                                                     "\nx-scheme-handler/https=e2e-browser.desktop\n")

    env = {key: value for key, value in os.environ.items() if not key.startswith(("XDG_", "DISPLAY", "WAYLAND"))}
    env.update(HOME=home, XDG_CONFIG_HOME=config, XDG_DATA_HOME=data, XDG_CACHE_HOME=os.path.join(root, "cache"),
               XDG_RUNTIME_DIR=runtime, NO_AT_BRIDGE="1", GDK_BACKEND="x11")
    return env, config, browser_log


@contextlib.contextmanager
def served_display(root, facebook_body=""):
    """Yields (env naming the display, config folder, browser log, recorder), port 80 served; the Facebook start page
    holds `facebook_body`, or what it returns when it is a function."""
    def page(host):
        body = facebook_body() if callable(facebook_body) else facebook_body
        return start_page(host, body if host == "www.facebook.com" else "")
    env, config, browser_log = prepare_folders(root)
    recorder = Recorder()
    server = http.server.ThreadingHTTPServer(("0.0.0.0", 80), make_handler(recorder, page))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    xvfb, env["DISPLAY"] = start_display(env)
    try:
        yield env, config, browser_log, recorder
    finally:
        xvfb.terminate()
        xvfb.wait()
        server.shutdown()


def drive(binary, root, checks):
    with served_display(root) as (env, config, _, recorder):
        with Session(binary, env) as session:
            checks.check(session.wait_for_geometry((210, 100, 1020, 700)) == (210, 100, 1020, 700)
                         and recorder.wait_for_shown(1) and recorder.shown()[0] == "www.facebook.com",
                         "the first window opens at 1020 x 700 centred on the screen and shows the Facebook page")
            checks.check(recorder.shows_after(lambda: session.click(*help_button(1020)), "www.quillmere.com"),
                         "right after opening, a click on \"?\" at 1020 - 46 shows the product site")
            for button, host in (("twitter.com",) * 2, ("www.youtube.com",) * 2, ("www.tidewell.com",) * 2,
                                 ("back", "www.youtube.com"), ("forward", "www.tidewell.com")):
                checks.check(recorder.shows_after(lambda: session.click(*BUTTONS[button]), host),
                             f"a click on {button} shows {host}")
            session.close()

        # Saved narrower than the designed button row.
        for side, value in (("top", "200"), ("left", "300"), ("height", "650"), ("width", "600")):
            pathlib.Path(config, f"quillmere-{side}.txt").write_text(value)
        with Session(binary, env, recorder=recorder) as session:
            checks.check(session.wait_for_geometry((300, 200, 600, 650)) == (300, 200, 600, 650) and session.page_shown
                         and recorder.shows_after(lambda: session.click(*help_button(600)), "www.quillmere.com"),
                         "a narrow window is restored, and after its page \"?\" at 600 - 46 shows the product site")
            session.close()


def route_start_hosts_to_loopback(root):
    """Loopback only, the start hosts on it (the hosts file kept in `root`), and a display folder of its own."""
    run(["ip", "link", "set", "lo", "up"])
    # glibc resolves names with AI_ADDRCONFIG only when an address besides 127.0.0.1 is configured.
    run(["ip", "addr", "add", "127.0.0.2/32", "dev", "lo"])
    hosts = os.path.join(root, "hosts")
    pathlib.Path(hosts).write_text("127.0.0.1 localhost " + " ".join(START_HOSTS) + "\n")
    run(["mount", "--bind", hosts, "/etc/hosts"])
    # An X server outside this namespace can neither take the display's number nor remove its socket.
    os.makedirs("/tmp/.X11-unix", exist_ok=True)
    run(["mount", "-t", "tmpfs", "-o", "mode=1777", "tmpfs", "/tmp/.X11-unix"])


def inside_namespace(binary, drive):
    with tempfile.TemporaryDirectory(prefix="quillmere-e2e-", ignore_cleanup_errors=True) as root:
        route_start_hosts_to_loopback(root)
        checks = Checks()
        try:
            drive(binary, root, checks)
        except Exception as error:  # a broken step fails the run with its reason
            checks.check(False, f"the session ran to its end ({error})")
        print(f"{checks.passed} passed, {checks.failed} failed", flush=True)
        return 0 if checks.failed == 0 else 1


def main(drive=drive, script=__file__):
    """Runs `drive` (this file's session by default) in a private namespace."""
    if len(sys.argv) == 3 and sys.argv[1] == "--inside":
        return inside_namespace(sys.argv[2], drive)
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    binary = os.path.abspath(sys.argv[1])
    if os.geteuid() != 0 or not shutil.which("unshare"):
        print("skipped: a private network namespace needs root")
        return 77
    return subprocess.call(["unshare", "--net", "--mount", "--", sys.executable, os.path.abspath(script),
                            "--inside", binary])


if __name__ == "__main__":
    sys.exit(main())
