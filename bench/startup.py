#!/usr/bin/python3
"""Start-up benchmark: Pranoth against a bare Qt Widgets baseline.

Usage:
    /usr/bin/python3 bench/startup.py [--runs N] [--mode both|offscreen|xvfb]
                                      [--map-timeout S]
                                      [PRANOTH [BASELINE]]

PRANOTH defaults to build/bench/bench/pranoth_startup (the program with a
quit-when-shown hook) and BASELINE to
build/bench/bench/pranoth_baseline, both relative to the repository root. Build
them first (Release):

    cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DPRANOTH_BENCH=ON
    cmake --build build/bench -j2

The baseline (bench/baseline_window.cpp) shows one QMainWindow with the same
kinds and number of widgets as Pranoth's main window, at the same size, and
does nothing else. Both programs are run INTERLEAVED (A B A B ...), N times
each (default 25, at least 20), after one warm-up run of each that is not
counted. Every run gets a fresh temporary HOME, XDG_CONFIG_HOME,
XDG_CACHE_HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR (mode 700), so Pranoth takes
its first-start path with no lock or settings left by an earlier run. As in a
desktop session, where the runtime folder is /run/user/UID, the runtime folder
is made on a tmpfs (/dev/shm) when there is one; the others are in the system's
temporary folder, on disk like a real home.

Both programs leave as soon as their main window has been painted for the
first time (PRANOTH_QUIT_WHEN_PAINTED, a hook of the benchmark builds only),
and both get the same private D-Bus session bus, started once by this script,
so that neither waits for a bus to be launched.

Two modes:

offscreen  QT_QPA_PLATFORM=offscreen: time is wall time from the spawn to the
           process's exit right after its first paint; memory is the child's
           peak resident set (ru_maxrss from os.wait4).

xvfb       A private Xvfb (on a free display, chosen with -displayfd) and
           QT_QPA_PLATFORM=xcb. An X client in this script selects
           SubstructureNotify on the root window before the spawn; the time to
           map runs from the spawn to the X server's MapNotify for the
           program's window (the first one that is not override-redirect and
           whose _NET_WM_PID, when set, is the child's); the time to first
           paint runs to the process's exit after its first paint reached the
           server. Memory is the child's ru_maxrss.

Output: a Markdown table with, per mode and measure, the median of Pranoth
(A), the median of the baseline (B), the ratio median(A)/median(B), and the
spread of the per-pair ratios A_i/B_i (25th-75th percentile and min-max); then
whether the target (within 1.05x in time and in peak memory) is met, and the
command line used. The exit status is 0 unless a program failed to run.
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import shlex
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TARGET_RATIO = 1.05
MIN_RUNS = 30

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_PRANOTH = os.path.join(REPO, "build", "bench", "bench", "pranoth_startup")
DEFAULT_BASELINE = os.path.join(REPO, "build", "bench", "bench", "pranoth_baseline")


class BenchError(Exception):
    """A program could not be run or did not behave as the benchmark needs."""


# --- A minimal X client through libX11 ------------------------------------

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
XA_CARDINAL = 6


class XMapEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("event", ctypes.c_ulong),
        ("window", ctypes.c_ulong),
        ("override_redirect", ctypes.c_int),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("pad", ctypes.c_long * 24)]


X_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class XWatcher:
    """Watches the root window of a display for windows being mapped."""

    def __init__(self, display_name):
        path = ctypes.util.find_library("X11") or "libX11.so.6"
        x = ctypes.CDLL(path)
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x.XSetErrorHandler.argtypes = [X_ERROR_HANDLER]
        x.XSetErrorHandler.restype = ctypes.c_void_p
        self.x = x
        # A window can be gone by the time its property is read; the default
        # handler would end this process over that.
        self._ignore_errors = X_ERROR_HANDLER(lambda _display, _error: 0)
        x.XSetErrorHandler(self._ignore_errors)
        self.dpy = x.XOpenDisplay(display_name.encode())
        if not self.dpy:
            raise BenchError(f"cannot open X display {display_name}")
        self.fd = x.XConnectionNumber(self.dpy)
        self.net_wm_pid = x.XInternAtom(self.dpy, b"_NET_WM_PID", 0)
        x.XSelectInput(self.dpy, x.XDefaultRootWindow(self.dpy), SUBSTRUCTURE_NOTIFY_MASK)
        x.XSync(self.dpy, 0)

    def close(self):
        if self.dpy:
            self.x.XCloseDisplay(self.dpy)
            self.dpy = None

    def drain(self):
        """Discards every event received so far."""
        self.x.XSync(self.dpy, 0)
        event = XEvent()
        while self.x.XPending(self.dpy):
            self.x.XNextEvent(self.dpy, ctypes.byref(event))

    def window_pid(self, window):
        """The window's _NET_WM_PID, or None when it has none."""
        actual_type = ctypes.c_ulong()
        actual_format = ctypes.c_int()
        items = ctypes.c_ulong()
        after = ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = self.x.XGetWindowProperty(
            self.dpy, window, self.net_wm_pid, 0, 1, 0, XA_CARDINAL, ctypes.byref(actual_type),
            ctypes.byref(actual_format), ctypes.byref(items), ctypes.byref(after),
            ctypes.byref(data))
        if status != 0 or not data.value:
            return None
        try:
            if actual_format.value != 32 or items.value < 1:
                return None
            return ctypes.cast(data, ctypes.POINTER(ctypes.c_long))[0]
        finally:
            self.x.XFree(data)

    def wait_for_map(self, pid, deadline):
        """The perf_counter_ns at which the child's top-level window was mapped."""
        event = XEvent()
        while True:
            while self.x.XPending(self.dpy):
                self.x.XNextEvent(self.dpy, ctypes.byref(event))
                if event.type != MAP_NOTIFY:
                    continue
                mapped_at = time.perf_counter_ns()
                if event.xmap.override_redirect:
                    continue
                owner = self.window_pid(event.xmap.window)
                if owner is None or owner == pid:
                    return mapped_at
            done, status = os.waitpid(pid, os.WNOHANG)
            if done:
                raise BenchError(f"pid {pid} ended before mapping a window "
                                 f"({describe_status(status)})")
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise BenchError(f"pid {pid} mapped no window in time")
            select.select([self.fd], [], [], min(remaining, 0.05))


class Xvfb:
    """A private X server on a display it chooses itself."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            ready, _, _ = select.select([read_end], [], [], max(remaining, 0))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                self.stop()
                raise BenchError("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


# --- Running the programs ----------------------------------------------------

def describe_status(status):
    if os.WIFSIGNALED(status):
        return f"killed by signal {os.WTERMSIG(status)}"
    return f"exit status {os.waitstatus_to_exitcode(status)}"


def runtime_parent():
    """Where runtime folders go: a tmpfs like /run/user/UID, else the temporary folder."""
    shm = "/dev/shm"
    if os.path.isdir(shm) and os.access(shm, os.W_OK | os.X_OK):
        return shm
    return None


class FreshHome:
    """A temporary home, configuration, cache, data and runtime folder."""

    def __enter__(self):
        self.root = tempfile.mkdtemp(prefix="pranoth-bench-")
        os.chmod(self.root, 0o700)
        self.runtime = tempfile.mkdtemp(prefix="pranoth-bench-runtime-", dir=runtime_parent())
        os.chmod(self.runtime, 0o700)
        self.env = {"HOME": self.root, "XDG_RUNTIME_DIR": self.runtime}
        for variable, name in (("XDG_CONFIG_HOME", "config"), ("XDG_CACHE_HOME", "cache"),
                               ("XDG_DATA_HOME", "data")):
            folder = os.path.join(self.root, name)
            os.mkdir(folder, 0o700)
            os.chmod(folder, 0o700)
            self.env[variable] = folder
        self.log = os.path.join(self.root, "output.log")
        return self

    def __exit__(self, *_):
        shutil.rmtree(self.root, ignore_errors=True)
        shutil.rmtree(self.runtime, ignore_errors=True)

    def output(self):
        try:
            with open(self.log, errors="replace") as log:
                return log.read().strip()
        except OSError:
            return ""


def child_environment(home, extra):
    env = dict(os.environ)
    # Nothing of the caller's desktop session may reach the children.
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER",
                 "PRANOTH_QUIT_WHEN_PAINTED", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",
                 "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_LOGGING_RULES",
                 "XAUTHORITY"):
        env.pop(name, None)
    env.update(home.env)
    env.update(extra)
    env["PRANOTH_QUIT_WHEN_PAINTED"] = "1"
    if SESSION_BUS:
        env["DBUS_SESSION_BUS_ADDRESS"] = SESSION_BUS
    return env


# The private session bus every run of both programs shares.
SESSION_BUS = None


class SessionBus:
    """A private D-Bus session bus for the children, for the whole run."""

    def __enter__(self):
        global SESSION_BUS
        self.process = None
        if shutil.which("dbus-daemon"):
            self.process = subprocess.Popen(
                ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            SESSION_BUS = self.process.stdout.readline().strip() or None
        return self

    def __exit__(self, *_):
        global SESSION_BUS
        SESSION_BUS = None
        if self.process:
            self.process.kill()
            self.process.wait()


def spawn(program, home, env):
    """Starts the program with its output going to the home's log."""
    log = os.open(home.log, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)
    null = os.open(os.devnull, os.O_RDONLY)
    try:
        actions = [(os.POSIX_SPAWN_DUP2, null, 0), (os.POSIX_SPAWN_DUP2, log, 1),
                   (os.POSIX_SPAWN_DUP2, log, 2)]
        started = time.perf_counter_ns()
        pid = os.posix_spawn(program, [program], env, file_actions=actions)
        return pid, started
    finally:
        os.close(log)
        os.close(null)


def run_offscreen(program):
    """(seconds from spawn to the exit after the first paint, peak RSS in KiB)."""
    with FreshHome() as home:
        env = child_environment(home, {"QT_QPA_PLATFORM": "offscreen"})
        pid, started = spawn(program, home, env)
        _, status, usage = os.wait4(pid, 0)
        ended = time.perf_counter_ns()
        if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
            raise BenchError(f"{program} failed offscreen ({describe_status(status)}): "
                             f"{home.output()}")
        return {"first paint": (ended - started) / 1e9}, usage.ru_maxrss


def run_xvfb(program, display, watcher, map_timeout_s):
    """({"map": s, "first paint": s} from the spawn, peak RSS in KiB) of one run."""
    with FreshHome() as home:
        env = child_environment(home, {"QT_QPA_PLATFORM": "xcb", "DISPLAY": display})
        watcher.drain()
        pid, started = spawn(program, home, env)
        try:
            mapped = watcher.wait_for_map(pid, time.monotonic() + map_timeout_s)
        except BenchError as error:
            os.kill(pid, signal.SIGKILL)
            os.wait4(pid, 0)
            raise BenchError(f"{program}: {error}: {home.output()}") from None
        _, status, usage = os.wait4(pid, 0)
        ended = time.perf_counter_ns()
        if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
            raise BenchError(f"{program} failed under Xvfb ({describe_status(status)}): "
                             f"{home.output()}")
        return {"map": (mapped - started) / 1e9,
                "first paint": (ended - started) / 1e9}, usage.ru_maxrss


# --- Statistics and report ---------------------------------------------------

def quartiles(values):
    first, _, third = statistics.quantiles(values, n=4, method="inclusive")
    return first, third


class Measure:
    def __init__(self, mode, name, unit, scale):
        self.mode, self.name, self.unit, self.scale = mode, name, unit, scale
        self.a, self.b = [], []

    def ratio(self):
        return statistics.median(self.a) / statistics.median(self.b)

    def pair_ratios(self):
        return [a / b for a, b in zip(self.a, self.b)]

    def row(self):
        ratios = self.pair_ratios()
        low, high = quartiles(ratios)
        fmt = "{:.1f}" if self.scale != 1 else "{:.0f}"
        met = "yes" if self.ratio() <= TARGET_RATIO else "**no**"
        return (f"| {self.mode} | {self.name} | "
                f"{fmt.format(statistics.median(self.a) * self.scale)} {self.unit} | "
                f"{fmt.format(statistics.median(self.b) * self.scale)} {self.unit} | "
                f"{self.ratio():.3f} | {low:.3f}–{high:.3f} | "
                f"{min(ratios):.3f}–{max(ratios):.3f} | {met} |")


def report(measures, runs, pranoth, baseline):
    print()
    print(f"Pranoth (A): `{os.path.relpath(pranoth, REPO)}`; baseline (B): "
          f"`{os.path.relpath(baseline, REPO)}`; {runs} interleaved runs of each per mode "
          f"after one warm-up run of each.")
    print()
    print("| Mode | Measure | Median A | Median B | A/B (medians) | A/B per pair, 25–75% "
          f"| A/B per pair, min–max | Within {TARGET_RATIO:.2f}x |")
    print("|---|---|---:|---:|---:|---:|---:|:---:|")
    for measure in measures:
        print(measure.row())
    print()
    print(f"Runtime folder (lock file) on {runtime_parent() or tempfile.gettempdir()}; "
          f"home and settings under {tempfile.gettempdir()}.")
    modes = sorted({m.mode for m in measures})
    print("Both programs leave right after their first paint; both share one private session bus.")
    if "offscreen" in modes:
        print("offscreen: time from spawn to the exit after the first paint; memory is the "
              "child's ru_maxrss.")
    if "xvfb" in modes:
        print("xvfb: map is the X server's MapNotify of the main window, first paint the exit "
              "after it; memory is the child's ru_maxrss.")
    print()
    missed = [f"{m.mode} {m.name} ({m.ratio():.3f}x)" for m in measures
              if m.ratio() > TARGET_RATIO]
    if missed:
        print(f"Target within {TARGET_RATIO:.2f}x in time and in peak memory: NOT MET — "
              + ", ".join(missed))
    else:
        print(f"Target within {TARGET_RATIO:.2f}x in time and in peak memory: met")


def measure_mode(mode, time_names, programs, runs, run_one):
    time_measures = {name: Measure(mode, "time to " + name, "ms", 1000) for name in time_names}
    memory_measure = Measure(mode, "peak memory", "KiB", 1)
    for program in programs:
        run_one(program)  # warm-up, not counted
    for i in range(runs):
        for program, store in zip(programs, ("a", "b")):
            times, kib = run_one(program)
            for name, seconds in times.items():
                getattr(time_measures[name], store).append(seconds)
            getattr(memory_measure, store).append(kib)
        if sys.stderr.isatty():
            print(f"\r{mode}: {i + 1}/{runs}", end="", file=sys.stderr, flush=True)
    if sys.stderr.isatty():
        print(file=sys.stderr)
    return list(time_measures.values()) + [memory_measure]


def parse_arguments():
    parser = argparse.ArgumentParser(
        description="Start-up time and peak memory of Pranoth against a bare Qt baseline.")
    parser.add_argument("pranoth", nargs="?", default=DEFAULT_PRANOTH,
                        help="the program (default: build/bench/bench/pranoth_startup)")
    parser.add_argument("baseline", nargs="?", default=DEFAULT_BASELINE,
                        help="the baseline (default: build/bench/bench/pranoth_baseline)")
    parser.add_argument("--runs", type=int, default=MIN_RUNS,
                        help=f"measured runs of each program per mode (default {MIN_RUNS}, "
                             f"at least {MIN_RUNS})")
    parser.add_argument("--mode", choices=("both", "offscreen", "xvfb"), default="both")
    parser.add_argument("--map-timeout", type=float, default=20.0,
                        help="seconds to wait for a window to be mapped (default 20)")
    arguments = parser.parse_args()
    if arguments.runs < MIN_RUNS:
        parser.error(f"--runs must be at least {MIN_RUNS}")
    for program in (arguments.pranoth, arguments.baseline):
        if not os.access(program, os.X_OK):
            parser.error(f"{program} is not an executable; build it first (see --help)")
    arguments.pranoth = os.path.abspath(arguments.pranoth)
    arguments.baseline = os.path.abspath(arguments.baseline)
    return arguments


def main():
    arguments = parse_arguments()
    programs = (arguments.pranoth, arguments.baseline)
    measures = []
    bus = SessionBus().__enter__()
    try:
        if arguments.mode in ("both", "offscreen"):
            measures += measure_mode("offscreen", ["first paint"], programs, arguments.runs,
                                     run_offscreen)
        if arguments.mode in ("both", "xvfb"):
            if not shutil.which("Xvfb"):
                raise BenchError("Xvfb is not installed")
            server = Xvfb()
            watcher = None
            try:
                watcher = XWatcher(server.display)
                def run_one(program):
                    return run_xvfb(program, server.display, watcher, arguments.map_timeout)

                measures += measure_mode("xvfb", ["map", "first paint"], programs,
                                         arguments.runs, run_one)
            finally:
                if watcher:
                    watcher.close()
                server.stop()
    except BenchError as error:
        print(f"\nstartup.py: {error}", file=sys.stderr)
        return 1
    finally:
        bus.__exit__()
    report(measures, arguments.runs, arguments.pranoth, arguments.baseline)
    print()
    print("Command: `" + shlex.join([sys.executable] + sys.argv) + "`")
    return 0


if __name__ == "__main__":
    sys.exit(main())
