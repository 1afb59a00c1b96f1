#!/usr/bin/env bash
# The index of installed programs under Wine: 2,000 shortcuts made into an index on its
# own thread, taken in on the window's thread, and followed after one more.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_wine_bench
"$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/programs_bench.exe"
