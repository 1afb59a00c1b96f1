#!/usr/bin/env bash
# The running marks' refresh in the real window under Wine, with 100 windows of other
# programs: 20 processes of 5 windows, then 100 processes of one window each.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_ensure_packages
zubi_build_windows >/dev/null
zubi_ensure_prefix
zubi_start_xvfb
trap 'wineserver -k 2>/dev/null || true; zubi_stop_xvfb' EXIT
status=0
"$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/marks_bench.exe" 20 5 || status=1
"$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/marks_bench.exe" 100 1 || status=1
exit $status
