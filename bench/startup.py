#!/usr/bin/python3
"""Start-up time under Wine: starts the launcher, the skeleton (the launcher's window
tree and nothing else) and the minimal window program alternately, each until its
window is mapped on the X display, and prints the median of each and their ratios.
The launcher runs twice in each round, on a later start of the day and on the first
(its BACKUP folder removed before, so that it takes the day's snapshot of 99 pages
and the settings file).
Budget: the launcher at most 1.10 times the skeleton, both ways; skeleton/minimal is
for information.

usage: startup.py LAUNCHER_EXE SKELETON_EXE MINIMAL_EXE [RUNS]   (DISPLAY and Wine settings set)"""

import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display

BUDGET = 1.10
LAUNCHER_TITLE = " - Page "
SKELETON_TITLE = "Skeleton - Page "
MINIMAL_TITLE = "Minimal window"

display_ = None


def open_display():
    """Connects to DISPLAY and listens for windows mapped on its root."""
    global display_
    display_ = display.Display()
    display_.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
    display_.sync()


def window_name(window):
    try:
        name = window.get_full_property(display_.intern_atom("_NET_WM_NAME"), 0)
        if name:
            return name.value.decode("utf-8", "replace")
        return window.get_wm_name() or ""
    except Exception:
        return ""


def start_until_mapped(exe, title_part, timeout=30.0, arguments=()):
    """Starts `exe` and waits until a window whose name holds title_part maps.
    Returns the running process and the seconds it took; the caller ends the process."""
    while display_.pending_events():
        display_.next_event()
    started = time.monotonic()
    process = subprocess.Popen(["wine64", os.path.basename(exe), *arguments], cwd=os.path.dirname(exe),
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
                    return process, time.monotonic() - started
        raise RuntimeError("%s showed no window within %.0f s" % (exe, timeout))
    except BaseException:
        stop(process)
        raise


def stop(process):
    process.kill()
    process.wait()


def time_until_mapped(exe, title_part, timeout=30.0):
    """Seconds from the start of `exe` until a window whose name holds title_part maps."""
    process, seconds = start_until_mapped(exe, title_part, timeout)
    stop(process)
    return seconds


def portable_launcher(launcher, folder):
    """The launcher copied into a portable folder of its own; DATA holds pages 2 to 99
    (for the day's snapshot), the shown page 1 is made by the launcher as on a first run."""
    os.makedirs(os.path.join(folder, "DATA"))
    for page in range(2, 100):
        lines = ["[PageTitle]", "PageTitle=Page %d" % page]
        for k in range(1, 11):
            lines += ["[Button%d]" % k, "ProgPath=C:\\Program Files\\Tool %d\\tool%d.exe" % (k, page)]
        with open(os.path.join(folder, "DATA", "User1%d.dat" % page), "w", newline="") as f:
            f.write("".join(line + "\r\n" for line in lines))
    return shutil.copy(launcher, os.path.join(folder, "zubi.exe"))


def first_start_of_the_day(folder):
    """No snapshot of today yet: the next start takes it. The old snapshots are moved
    aside, not deleted, so that deleting a hundred files just before the start does not
    slow it: they go with the temporary folder at the end."""
    backup = os.path.join(folder, "BACKUP")
    if os.path.exists(backup):
        os.rename(backup, os.path.join(folder, "old-%d" % time.monotonic_ns()))


def later_start_of_the_day(folder):
    """Today's snapshot is there (a start killed at its first paint may not have made it)."""
    os.makedirs(os.path.join(folder, "BACKUP", time.strftime("%Y%m%d")), exist_ok=True)


def line(name, times):
    return "%-15s median %6.1f ms  (%s)" % (name, statistics.median(times) * 1000,
                                           " ".join("%.0f" % (t * 1000) for t in times))


def main():
    launcher, skeleton, minimal = (os.path.abspath(path) for path in sys.argv[1:4])
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 9
    open_display()

    programs = []
    with tempfile.TemporaryDirectory() as folder:
        exe = portable_launcher(launcher, folder)
        nothing = lambda: None
        programs = [(exe, LAUNCHER_TITLE, [], lambda: later_start_of_the_day(folder)),
                    (exe, LAUNCHER_TITLE, [], lambda: first_start_of_the_day(folder)),
                    (shutil.copy(skeleton, os.path.join(folder, "skeleton.exe")), SKELETON_TITLE, [], nothing),
                    (shutil.copy(minimal, os.path.join(folder, "minimal_window.exe")), MINIMAL_TITLE, [], nothing)]
        # The first run writes the launcher's settings file and warms every program up.
        for path, title, _, before in programs:
            before()
            time_until_mapped(path, title)
        for _ in range(runs):
            for path, title, times, before in programs:
                before()
                times.append(time_until_mapped(path, title))
    ours, first, floor, least = (times for _, _, times, _ in programs)
    a, d, s, m = (statistics.median(t) for t in (ours, first, floor, least))
    print(line("launcher", ours))
    print(line("  first of day", first))
    print(line("skeleton", floor))
    print(line("minimal window", least))
    ok = True
    for name, value in (("launcher", a), ("first of day", d)):
        ratio = value / s
        ok = ok and ratio <= BUDGET
        print("%-12s/skeleton %.2f (budget %.2f): %s" % (name, ratio, BUDGET,
                                                         "within budget" if ratio <= BUDGET else "OVER BUDGET"))
    print("skeleton/minimal  %.2f (for information)" % (s / m))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
