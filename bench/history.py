#!/usr/bin/python3
"""My History benchmark: opening 10,000 kept results against opening one.

Usage:
    /usr/bin/python3 bench/history.py [--pairs N] [--many N] [PROGRAM]

PROGRAM defaults to build/bench/bench/pranoth_history_bench, relative to the
repository root. Build it first (Release):

    cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DPRANOTH_BENCH=ON
    cmake --build build/bench -j2 --target pranoth_history_bench

Two histories are filled once, in a fresh temporary folder: one with a single
kept result and session (B) and one with --many (default 10000) of each (A). Then
`PROGRAM open` runs INTERLEAVED (A B A B ...), --pairs times each (default 7),
after one warm-up run of each that is not counted, on the offscreen platform.
Each run prints the time from the start of opening the history to the end of
the window's first paint; memory is the child's peak resident set (ru_maxrss
from os.wait4). Then `PROGRAM keep` keeps one more result in each history,
--pairs times, and prints the time the keep took; and `PROGRAM progress`
times what a result window works out from the history it has open: each
chakra's way since the first kept result and the weeks of practice.

Output: a Markdown table with the medians of A and B, the ratio
median(A)/median(B) and the spread of the per-pair ratios; the keep times;
then whether the targets are met: first paint within 2x of one result and
under 150 ms, peak memory within 1.5x, a keep under 50 ms, the result window's
figures under 5 ms.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def environment(home):
    env = dict(os.environ)
    env.update({
        "QT_QPA_PLATFORM": "offscreen",
        "HOME": home,
        "XDG_RUNTIME_DIR": home,
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
    })
    return env


def run(program, args, env):
    """Runs once; returns (the figure printed, peak resident set in KiB)."""
    child = subprocess.Popen([program] + args, env=env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL)
    output = child.stdout.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{program} {' '.join(args)} failed: {status}")
    figure = float(output.split()[-1])
    return figure, usage.ru_maxrss


def quartiles(values):
    values = sorted(values)
    if len(values) < 4:
        return values[0], values[-1]
    q = statistics.quantiles(values, n=4)
    return q[0], q[2]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pairs", type=int, default=7)
    parser.add_argument("--many", type=int, default=10000)
    parser.add_argument("program", nargs="?",
                        default=os.path.join(ROOT, "build/bench/bench/pranoth_history_bench"))
    options = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="pranoth-history-bench-")
    try:
        env = environment(folder)
        many = os.path.join(folder, "many", "history.sqlite")
        one = os.path.join(folder, "one", "history.sqlite")
        for path, count in ((many, options.many), (one, 1)):
            subprocess.run([options.program, "fill", path, str(count)], env=env, check=True,
                           stderr=subprocess.DEVNULL)

        paint = {"A": [], "B": []}
        memory = {"A": [], "B": []}
        for index in range(options.pairs + 1):
            for name, path in (("A", many), ("B", one)):
                ms, rss = run(options.program, ["open", path], env)
                if index > 0:
                    paint[name].append(ms)
                    memory[name].append(rss)

        progress = {"A": [], "B": []}
        for _ in range(options.pairs):
            for name, path in (("A", many), ("B", one)):
                progress[name].append(run(options.program, ["progress", path], env)[0])

        keeps = {"A": [], "B": []}
        for _ in range(options.pairs):
            for name, path in (("A", many), ("B", one)):
                keeps[name].append(run(options.program, ["keep", path], env)[0])
    finally:
        shutil.rmtree(folder, ignore_errors=True)

    print(f"| measure | A: {options.many} kept | B: 1 kept | A/B | pair ratios p25-p75 (min-max) |")
    print("|---|---|---|---|---|")
    rows = (("first paint (ms)", paint), ("peak memory (MiB)", memory))
    ratios = {}
    for label, values in rows:
        scale = 1024.0 if "memory" in label else 1.0
        a = statistics.median(values["A"]) / scale
        b = statistics.median(values["B"]) / scale
        pairs = [x / y for x, y in zip(values["A"], values["B"])]
        low, high = quartiles(pairs)
        ratios[label] = a / b
        print(f"| {label} | {a:.1f} | {b:.1f} | {a / b:.2f}x | {low:.2f}-{high:.2f} "
              f"({min(pairs):.2f}-{max(pairs):.2f}) |")
    keep_a = statistics.median(keeps["A"])
    keep_b = statistics.median(keeps["B"])
    progress_a = statistics.median(progress["A"])
    progress_b = statistics.median(progress["B"])
    print(f"| a result's way since the first and the weeks (ms) | {progress_a:.2f} | "
          f"{progress_b:.2f} | {progress_a / progress_b:.2f}x | "
          f"max {max(progress['A']):.2f} / {max(progress['B']):.2f} |")
    print(f"| keep one result (ms) | {keep_a:.1f} | {keep_b:.1f} | {keep_a / keep_b:.2f}x | "
          f"max {max(keeps['A']):.1f} / {max(keeps['B']):.1f} |")
    print()
    first_paint = statistics.median(paint["A"])
    checks = (
        ("first paint within 2x of one result", ratios["first paint (ms)"] <= 2.0),
        ("first paint under 150 ms", first_paint < 150.0),
        ("peak memory within 1.5x", ratios["peak memory (MiB)"] <= 1.5),
        ("keeping a result under 50 ms", max(keep_a, keep_b) < 50.0),
        ("a result's way since the first and the weeks under 5 ms", progress_a < 5.0),
    )
    for label, met in checks:
        print(f"- {label}: {'met' if met else 'NOT met'}")
    print()
    print("Command: " + " ".join([os.path.basename(sys.executable)] + sys.argv))
    return 0


if __name__ == "__main__":
    sys.exit(main())
