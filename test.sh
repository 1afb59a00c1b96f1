#!/usr/bin/env bash
# Builds both layers and runs every test: the core tests natively, then again built by
# clang with AddressSanitizer and UndefinedBehaviorSanitizer, each fuzz target for a few
# seconds, then the Windows tests under Wine and the end-to-end scenarios on the real
# program under Wine and a virtual display of its own.
set -euo pipefail
source "$(dirname "$0")/scripts/lib.sh"

zubi_ensure_packages
# A new Wine prefix takes a minute of mostly waiting: it is made while the builds run.
zubi_log "making the Wine prefix in the background"
(zubi_ensure_prefix >/dev/null 2>&1; wineserver -k 2>/dev/null || true) &
prefix_maker=$!
zubi_log "building the core and its tests"
zubi_build_native
zubi_log "building the program and its Windows tests"
zubi_build_windows

zubi_log "core tests"
ctest --test-dir "$ZUBI_NATIVE_BUILD" --output-on-failure -j "$(zubi_jobs)"

zubi_log "building the core and its tests with the sanitizers (clang), and the fuzz targets"
zubi_build_sanitized
zubi_log "core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(zubi_sanitizer_env && "$ZUBI_ASAN_BUILD/tests/core/core_tests" --gtest_brief=1)
zubi_log "fuzzing"
"$ZUBI_ROOT/tests/fuzz/run.sh" 5s

wait "$prefix_maker" || true
zubi_ensure_prefix
zubi_start_xvfb
trap 'wineserver -k 2>/dev/null || true; zubi_stop_xvfb' EXIT
zubi_log "Windows tests and end-to-end scenarios under Wine (display $DISPLAY)"
ctest --test-dir "$ZUBI_WIN_BUILD" --output-on-failure
