#!/usr/bin/python3
"""Start-up time under Wine: starts the launcher and the minimal window program
alternately, each until its window is mapped on the X display, and prints the median
of each and their ratio. Budget: the launcher at most 1.2 times the minimal program.

usage: startup.py LAUNCHER_EXE MINIMAL_EXE [RUNS]   (DISPLAY and Wine settings set)"""

import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display

BUDGET = 1.2


def window_name(window):
    try:
        name = window.get_full_property(display_.intern_atom("_NET_WM_NAME"), 0)
        if name:
            return name.value.decode("utf-8", "replace")
        return window.get_wm_name() or ""
    except Exception:
        return ""


def time_until_mapped(exe, title_part, timeout=30.0):
    """Seconds from the start of `exe` until a window whose name holds title_part maps."""
    while display_.pending_events():
        display_.next_event()
    started = time.monotonic()
    process = subprocess.Popen(["wine64", os.path.basename(exe)], cwd=os.path.dirname(exe),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = []
    try:
        while time.monotonic() - started < timeout:
            if not display_.pending_events():
                select.select([display_.fileno()], [], [], 0.01)
            while display_.pending_events():
                event = display_.next_event()
                if event.type == X.MapNotify:
                    mapped.append(event.window)
            for window in mapped:
                if title_part in window_name(window):
                    return time.monotonic() - started
        raise RuntimeError("%s showed no window within %.0f s" % (exe, timeout))
    finally:
        process.kill()
        process.wait()


def main():
    global display_
    launcher, minimal = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    display_ = display.Display()
    display_.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
    display_.sync()

    with tempfile.TemporaryDirectory() as folder:
        # A portable folder of its own; the first run writes its settings file.
        os.makedirs(os.path.join(folder, "DATA"))
        exe = shutil.copy(launcher, os.path.join(folder, "zubi.exe"))
        base = shutil.copy(minimal, os.path.join(folder, "minimal_window.exe"))
        time_until_mapped(exe, " - Page ")
        time_until_mapped(base, "Minimal window")
        ours, theirs = [], []
        for _ in range(runs):
            ours.append(time_until_mapped(exe, " - Page "))
            theirs.append(time_until_mapped(base, "Minimal window"))
    a, b = statistics.median(ours), statistics.median(theirs)
    ratio = a / b
    print("launcher        median %6.1f ms  (%s)" % (a * 1000, " ".join("%.0f" % (t * 1000) for t in ours)))
    print("minimal window  median %6.1f ms  (%s)" % (b * 1000, " ".join("%.0f" % (t * 1000) for t in theirs)))
    print("ratio %.2f (budget %.1f): %s" % (ratio, BUDGET, "within budget" if ratio <= BUDGET else "OVER BUDGET"))
    return 0 if ratio <= BUDGET else 1


if __name__ == "__main__":
    sys.exit(main())
