#!/usr/bin/env bash
# Page benchmarks: the core natively, then the real window under Wine.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_ensure_packages
zubi_build_native >/dev/null
zubi_build_windows >/dev/null
"$ZUBI_NATIVE_BUILD/bench/core/core_bench"
zubi_ensure_prefix
zubi_start_xvfb
trap 'wineserver -k 2>/dev/null || true; zubi_stop_xvfb' EXIT
"$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/page_bench.exe"
