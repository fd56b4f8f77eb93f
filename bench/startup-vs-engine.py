#!/usr/bin/env python3
"""Quillmere's start-up against the bare engine's, side by side.

Runs bench_bare_webview (one WebKitGTK view on Quillmere's web context)
and quillmere alternately, taking turns to go first, RUNS times each after one
warm-up run of each, on one Xvfb display. Each run starts from a fresh profile
and is timed from exec to the start page's load event; the page comes from a
web server on the loopback of a private network namespace, set up as the
end-to-end test does.
At that moment the PSS of the program's whole process tree (the engine's web,
network and sandbox processes included) is taken. Prints medians, min and max
and the ratios Quillmere / bare.

Usage: bench/startup-vs-engine.py [BUILD_DIR] [RUNS]   (defaults: build, 11)
Needs root, for the private network namespace. A benchmark, not a test.
"""

import http.server
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import browser_session_test as e2e  # noqa: E402

START_ADDRESS = "http://www.facebook.com"
RUN_TIMEOUT = 30  # seconds from exec to the load event, at most


class LoadClock(e2e.Recorder):
    """The e2e server's record of requests, each start page's load timed: the
    page reports its pageshow event, which follows load in the same task."""

    def __init__(self):
        super().__init__()
        self.loaded_at = []

    def add(self, host, path):
        with self.lock:
            if path.startswith("/shown"):
                self.loaded_at.append(time.monotonic())
            super().add(host, path)


def parent_pids():
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    # The command name may hold spaces; the fields after it don't.
                    parents[int(entry)] = int(stat.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                pass
    return parents


def process_tree(root):
    parents = parent_pids()
    tree = [root]
    for pid in tree:
        tree.extend(child for child, parent in parents.items() if parent == pid)
    return tree


def pss_kib(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/smaps_rollup") as rollup:
                total += sum(int(line.split()[1]) for line in rollup if line.startswith("Pss:"))
        except OSError:
            pass  # gone meanwhile
    return total


def kill_tree(process):
    """Kills the program and all its processes, and waits until they are gone,
    so the next run starts on a quiet machine."""
    tree = process_tree(process.pid)
    for pid in tree:
        try:
            os.kill(pid, signal.SIGKILL)
        except OSError:
            pass
    process.wait()
    deadline = time.monotonic() + 10
    while any(os.path.exists(f"/proc/{pid}") for pid in tree) and time.monotonic() < deadline:
        # This process is the namespace's init: orphans come to it to be reaped.
        try:
            os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            pass
        time.sleep(0.01)


def one_run(command, run_root, display, clock):
    """Seconds from exec to the load event, and the tree's PSS then in KiB."""
    env, _, _ = e2e.prepare_folders(run_root)
    env["DISPLAY"] = display
    loads = len(clock.loaded_at)
    start = time.monotonic()
    process = subprocess.Popen(command(env), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        with clock.lock:
            if not clock.lock.wait_for(lambda: len(clock.loaded_at) > loads or process.poll() is not None,
                                       RUN_TIMEOUT):
                raise RuntimeError(f"{process.args[0]} loaded no page in {RUN_TIMEOUT} s")
        if len(clock.loaded_at) == loads:
            raise RuntimeError(f"{process.args[0]} exited with status {process.returncode} before loading")
        memory = pss_kib(process_tree(process.pid))
        return clock.loaded_at[loads] - start, memory
    finally:
        kill_tree(process)


def summary(name, times, memory):
    return (f"{name:<10} {statistics.median(times) * 1000:9.0f} {min(times) * 1000:7.0f} {max(times) * 1000:7.0f}"
            f" {statistics.median(memory) / 1024:11.0f} {min(memory) / 1024:7.0f} {max(memory) / 1024:7.0f}")


def benchmark(build, runs, root):
    programs = {
        "bare": lambda env: [os.path.join(build, "bench", "bench_bare_webview"), START_ADDRESS],
        "quillmere": lambda env: [os.path.join(build, "quillmere")],
    }
    e2e.route_start_hosts_to_loopback(root)
    clock = LoadClock()
    server = http.server.ThreadingHTTPServer(("0.0.0.0", 80), e2e.make_handler(clock, e2e.start_page))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    xvfb, display = e2e.start_display(dict(os.environ))
    results = {name: ([], []) for name in programs}
    try:
        for run in range(runs + 1):  # run 0 warms the caches and is not counted
            # Each goes first in every other run, so neither gains from its place.
            for name, command in sorted(programs.items(), reverse=bool(run % 2)):
                seconds, memory = one_run(command, os.path.join(root, f"{name}-{run}"), display, clock)
                print(f"run {run:2} {name:<10} {seconds * 1000:6.0f} ms {memory / 1024:6.0f} MiB"
                      + ("  (warm-up)" if run == 0 else ""), flush=True)
                if run:
                    results[name][0].append(seconds)
                    results[name][1].append(memory)
    finally:
        xvfb.terminate()
        xvfb.wait()
        server.shutdown()

    print(f"\n{'':<10} {'exec → load (ms)':^25} {'PSS of the process tree (MiB)':^29}")
    print(f"{'':<10} {'median':>9} {'min':>7} {'max':>7} {'median':>11} {'min':>7} {'max':>7}")
    for name, (times, memory) in results.items():
        print(summary(name, times, memory))
    (bare_times, bare_memory), (times, memory) = results["bare"], results["quillmere"]
    print(f"\nquillmere / bare: start-up {statistics.median(times) / statistics.median(bare_times):.3f}x,"
          f" memory {statistics.median(memory) / statistics.median(bare_memory):.3f}x")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--inside":
        with tempfile.TemporaryDirectory(prefix="quillmere-bench-") as root:
            benchmark(sys.argv[2], int(sys.argv[3]), root)
        return 0
    if len(sys.argv) > 3:
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    if os.geteuid() != 0:
        print("a private network namespace needs root", file=sys.stderr)
        return 1
    # The watchdog: each run has its own deadline, and this one covers the
    # rest. The benchmark has a process namespace of its own, so whatever it
    # started dies with it.
    try:
        return subprocess.run(["unshare", "--net", "--mount", "--pid", "--fork", "--kill-child", "--mount-proc", "--",
                               sys.executable, os.path.abspath(__file__), "--inside", build, str(runs)],
                              timeout=60 + 2 * (runs + 1) * RUN_TIMEOUT).returncode
    except subprocess.TimeoutExpired:
        print("the benchmark overran its time", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
