#!/usr/bin/env bash
# Start-up benchmark: the launcher against the skeleton (its window tree alone) and a
# minimal Win32 window program, all under Wine on a virtual display, started
# alternately. Prints the medians and their ratios; exits 1 when over budget.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_ensure_packages
zubi_build_native >/dev/null
zubi_build_windows >/dev/null
zubi_ensure_prefix
zubi_start_xvfb
trap 'wineserver -k 2>/dev/null || true; zubi_stop_xvfb' EXIT
/usr/bin/python3 "$ZUBI_ROOT/bench/startup.py" "$ZUBI_WIN_BUILD/zubi.exe" "$ZUBI_WIN_BUILD/bench/skeleton.exe" \
  "$ZUBI_WIN_BUILD/bench/minimal_window.exe" "${1:-9}"
