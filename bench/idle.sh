#!/usr/bin/env bash
# Idle benchmark: the CPU time the launcher and the skeleton use side by side while idle
# under Wine on a virtual display, for ${1:-60} seconds. Exits 1 when over budget.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_wine_bench
/usr/bin/python3 "$ZUBI_ROOT/bench/idle.py" "$ZUBI_WIN_BUILD/zubi.exe" "$ZUBI_WIN_BUILD/bench/skeleton.exe" "${1:-60}"
