#!/usr/bin/python3
"""What a resting window costs: wake-ups a second and share of a core over a span.

Runs each program as a child on the display of DISPLAY (run under tools/xvfb.sh), waits for
its "ready" line and a short settling, then reads the process's voluntary context switches
(/proc/PID/status) and utime + stime (/proc/PID/stat) at the start and the end of the span.
Prints the Qor window beside the GTK 2 window, with an edit field holding the focus (a
blinking caret) and without (nothing scheduled), and the ratio of the two.

    . tools/xvfb.sh && bench/idle_wakeups.py [BUILD_BENCH_DIR] [--seconds N]
"""
import argparse
import os
import select
import subprocess
import sys
import time

TICKS = os.sysconf("SC_CLK_TCK")


def counters(pid):
    with open("/proc/%d/status" % pid) as f:
        switches = next(int(l.split()[1]) for l in f if l.startswith("voluntary_ctxt_switches"))
    with open("/proc/%d/stat" % pid) as f:
        # The command name may hold spaces: the fields after it start behind its ')'.
        fields = f.read().rsplit(")", 1)[1].split()
    return switches, (int(fields[11]) + int(fields[12])) / TICKS


def measure(command, seconds, settle):
    child = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    try:
        ready, _, _ = select.select([child.stdout], [], [], 30)
        if not ready or child.stdout.readline().strip() != b"ready":
            raise RuntimeError("%s did not come up" % command[0])
        time.sleep(settle)
        s0, c0 = counters(child.pid)
        t0 = time.monotonic()
        time.sleep(seconds)
        s1, c1 = counters(child.pid)
        span = time.monotonic() - t0
        return (s1 - s0) / span, 100 * (c1 - c0) / span
    finally:
        child.kill()
        child.wait()


def ratio(a, b):
    if b > 0:
        return "%.2f" % (a / b)
    return "-" if a == 0 else "inf"


def main():
    p = argparse.ArgumentParser()
    p.add_argument("bin", nargs="?", default=os.path.join(os.path.dirname(__file__), "..", "build", "bench"))
    p.add_argument("--seconds", type=float, default=10)
    p.add_argument("--settle", type=float, default=2)
    args = p.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run it under Xvfb (. tools/xvfb.sh)")
    print("%-26s %10s %10s %10s %10s %8s %8s" % ("", "Qor wake/s", "GTK wake/s", "ratio", "Qor cpu%", "GTK cpu%",
                                                 "ratio"))
    for name, extra in (("edit field with focus", []), ("nothing scheduled", ["--plain"])):
        qw, qc = measure([os.path.join(args.bin, "idle_qor")] + extra, args.seconds, args.settle)
        gw, gc = measure([os.path.join(args.bin, "idle_gtk")] + extra, args.seconds, args.settle)
        print("%-26s %10.1f %10.1f %10s %10.3f %8.3f %8s" % (name, qw, gw, ratio(qw, gw), qc, gc, ratio(qc, gc)))


if __name__ == "__main__":
    main()
