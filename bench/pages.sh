#!/usr/bin/env bash
# Page benchmarks: the core natively, then the real window under Wine.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_ensure_packages
zubi_build_native >/dev/null
"$ZUBI_NATIVE_BUILD/bench/core/core_bench"
zubi_wine_bench
"$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/page_bench.exe"
