#!/usr/bin/python3
"""CPU time while idle under Wine: runs the launcher (in a portable folder of its own)
and then the skeleton, each idle for SECONDS once its window has mapped and settled,
and prints the CPU time (user + system) the process running the exe used meanwhile.
Budget: the launcher at most 30 ms a minute, or at most 10 ms a minute above the
skeleton when the skeleton alone costs more than that.

usage: idle.py LAUNCHER_EXE SKELETON_EXE [SECONDS]   (DISPLAY and Wine settings set)"""

import os
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
import startup  # noqa: E402

BUDGET_MS_PER_MINUTE = 30.0
ABOVE_SKELETON_MS_PER_MINUTE = 10.0
# What the start finishes after the window maps (the hints, the menus, the first
# settings file) is start-up, not idling.
SETTLE_SECONDS = 2.0
TICK = os.sysconf("SC_CLK_TCK")


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
    """User + system time of the process, all its threads, from /proc/<pid>/stat."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # utime and stime are fields 14 and 15; fields[0] is field 3 (the state).
    return (int(fields[11]) + int(fields[12])) / TICK


def idle_cpu(exe, title, seconds):
    """CPU seconds `exe` uses in `seconds` of idling after its window mapped."""
    process, _ = startup.start_until_mapped(exe, title)
    try:
        pid = process_of(exe)
        time.sleep(SETTLE_SECONDS)
        before = cpu_seconds(pid)
        time.sleep(seconds)
        return cpu_seconds(pid) - before
    finally:
        startup.stop(process)


def main():
    launcher, skeleton = (os.path.abspath(path) for path in sys.argv[1:3])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 60.0
    startup.open_display()
    with tempfile.TemporaryDirectory() as folder:
        exe = startup.portable_launcher(launcher, folder)
        # The first run writes the settings file; the measured one starts as a user's would.
        startup.time_until_mapped(exe, startup.LAUNCHER_TITLE)
        ours = idle_cpu(exe, startup.LAUNCHER_TITLE, seconds)
    floor = idle_cpu(skeleton, startup.SKELETON_TITLE, seconds)

    minutes = seconds / 60.0
    budget = BUDGET_MS_PER_MINUTE / 1000 * minutes
    above = floor > budget
    if above:
        budget = floor + ABOVE_SKELETON_MS_PER_MINUTE / 1000 * minutes
    print("idle for %.0f s (CPU time counts in steps of %.0f ms)" % (seconds, 1000 / TICK))
    print("launcher  %6.0f ms CPU  (%.1f ms a minute)" % (ours * 1000, ours * 1000 / minutes))
    print("skeleton  %6.0f ms CPU  (%.1f ms a minute)" % (floor * 1000, floor * 1000 / minutes))
    within = ours <= budget + 1e-9
    print("launcher budget %.0f ms (%s): %s" % (
        budget * 1000,
        "%.0f ms a minute above the skeleton" % ABOVE_SKELETON_MS_PER_MINUTE if above
        else "%.0f ms a minute" % BUDGET_MS_PER_MINUTE,
        "within budget" if within else "OVER BUDGET"))
    return 0 if within else 1


if __name__ == "__main__":
    sys.exit(main())
