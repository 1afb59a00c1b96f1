#!/usr/bin/env bash
# Builds both layers and runs every test: the core tests built by clang with
# AddressSanitizer and UndefinedBehaviorSanitizer, each fuzz target for a few seconds,
# then, side by side, the Windows tests under Wine and the end-to-end scenarios on the
# real program under Wine, each on a virtual display and in a Wine prefix of its own.
# (The core is compiled by gcc as well, with every warning an error, in the Windows
# build.)
set -euo pipefail
source "$(dirname "$0")/scripts/lib.sh"

zubi_ensure_packages
# A new Wine prefix takes a minute of mostly waiting: it is made while the builds run.
zubi_log "making the Wine prefix in the background"
(zubi_ensure_prefix >/dev/null 2>&1; wineserver -k 2>/dev/null || true) &
prefix_maker=$!
zubi_log "building the program and its Windows tests"
zubi_build_windows
zubi_log "building the core and its tests with the sanitizers (clang), and the fuzz targets"
zubi_build_sanitized
zubi_log "core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(zubi_sanitizer_env && "$ZUBI_ASAN_BUILD/tests/core/core_tests" --gtest_brief=1)
zubi_log "fuzzing"
"$ZUBI_ROOT/tests/fuzz/run.sh" 5s

wait "$prefix_maker" || true
zubi_log "Windows tests and end-to-end scenarios under Wine, side by side"
zubi_run_wine_lanes "$ZUBI_WIN_BUILD" '^win32\.' '^e2e\.'
