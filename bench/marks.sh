#!/usr/bin/env bash
# The running marks' refresh in the real window under Wine, with 100 windows of other
# programs: 20 processes of 5 windows, then 100 processes of one window each.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_wine_bench
status=0
"$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/marks_bench.exe" 20 5 || status=1
"$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/marks_bench.exe" 100 1 || status=1
exit $status
