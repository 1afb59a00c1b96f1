#!/usr/bin/python3
"""CPU time while idle under Wine: runs the launcher (in a portable folder of its own)
and the skeleton side by side, idle for SECONDS once their windows have mapped and
settled, and prints the CPU time each process used meanwhile.
Budget: the launcher at most 30 ms a minute, or at most 10 ms a minute above the
skeleton when the skeleton alone costs more than that.

usage: idle.py LAUNCHER_EXE SKELETON_EXE [SECONDS]   (DISPLAY and Wine settings set)"""

import os
import shutil
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
import startup  # noqa: E402

BUDGET_MS_PER_MINUTE = 30.0
ABOVE_SKELETON_MS_PER_MINUTE = 10.0
# What the start finishes after the window maps (the hints, the menus, the first
# settings file, the look for the day's snapshot 2 s after the start) is start-up,
# not idling.
SETTLE_SECONDS = 4.0


def process_of(exe):
    """The pid of the Linux process whose command line runs `exe` in this Wine prefix
    on this display (other Wine sessions may run a program of the same name)."""
    name = os.path.basename(exe).lower()
    ours = {("%s=%s" % (key, os.environ.get(key, ""))).encode() for key in ("WINEPREFIX", "DISPLAY")}
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                arguments = f.read().split(b"\0")
        except OSError:
            continue
        program = arguments[0].decode("utf-8", "replace").replace("\\", "/").lower()
        if os.path.basename(program.strip()) == name and ours <= environment(pid):
            found.append(int(pid))
    if len(found) != 1:
        raise RuntimeError("expected one process running %s, found %s" % (name, found))
    return found[0]


def environment(pid):
    try:
        with open("/proc/%s/environ" % pid, "rb") as f:
            return set(f.read().split(b"\0"))
    except OSError:
        return set()


def cpu_seconds(pid):
    """Time on a CPU of all the process's threads, in nanoseconds from the scheduler's
    statistics (/proc/<pid>/task/*/schedstat): the clock-tick counts of /proc/<pid>/stat
    are too coarse for a few milliseconds a minute."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
        except OSError:
            pass  # a thread that ended meanwhile
    return total / 1e9


def idle_cpu(programs, seconds):
    """CPU seconds each of `programs` ((exe, title, arguments)) uses in the same `seconds`
    of idling after their windows mapped: side by side, so that all see the same load."""
    started = []
    try:
        for exe, title, arguments in programs:
            started.append(startup.start_until_mapped(exe, title, arguments=arguments)[0])
        pids = [process_of(exe) for exe, _, _ in programs]
        time.sleep(SETTLE_SECONDS)
        before = [cpu_seconds(pid) for pid in pids]
        time.sleep(seconds)
        return [cpu_seconds(pid) - start for pid, start in zip(pids, before)]
    finally:
        for process in started:
            startup.stop(process)


def main():
    launcher, skeleton = (os.path.abspath(path) for path in sys.argv[1:3])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 60.0
    startup.open_display()
    with tempfile.TemporaryDirectory() as folder:
        exe = startup.portable_launcher(launcher, folder)
        # The first run writes the settings file; the measured one starts as a user's would
        # on a later start of the day: the day's snapshot is start-up work, not idling.
        startup.time_until_mapped(exe, startup.LAUNCHER_TITLE)
        startup.later_start_of_the_day(folder)
        # The skeleton once more, under another name, showing the time as the launcher must.
        clock = shutil.copy(skeleton, os.path.join(folder, "skeleton_clock.exe"))
        ours, floor, clocked = idle_cpu([(exe, startup.LAUNCHER_TITLE, ()),
                                         (skeleton, startup.SKELETON_TITLE, ()),
                                         (clock, startup.SKELETON_TITLE, ("--clock",))], seconds)

    minutes = seconds / 60.0
    budget = BUDGET_MS_PER_MINUTE / 1000 * minutes
    above = floor > budget
    if above:
        budget = floor + ABOVE_SKELETON_MS_PER_MINUTE / 1000 * minutes
    print("idle side by side for %.0f s" % seconds)
    print("launcher  %6.0f ms CPU  (%.1f ms a minute)" % (ours * 1000, ours * 1000 / minutes))
    print("skeleton  %6.0f ms CPU  (%.1f ms a minute)" % (floor * 1000, floor * 1000 / minutes))
    print("skeleton showing the time  %6.0f ms CPU  (%.1f ms a minute, for information)" % (
        clocked * 1000, clocked * 1000 / minutes))
    within = ours <= budget + 1e-9
    print("launcher budget %.0f ms (%s): %s" % (
        budget * 1000,
        "%.0f ms a minute above the skeleton" % ABOVE_SKELETON_MS_PER_MINUTE if above
        else "%.0f ms a minute" % BUDGET_MS_PER_MINUTE,
        "within budget" if within else "OVER BUDGET"))
    return 0 if within else 1


if __name__ == "__main__":
    sys.exit(main())
