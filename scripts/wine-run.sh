#!/usr/bin/env bash
# Runs a Windows test program under Wine with the project's prefix settings. Used by
# CTest as the cross-compiling emulator. The output goes through a file: Wine's own
# background processes, started on first use, would otherwise inherit the pipe and
# keep CTest waiting for its end.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
zubi_wine_env
log=$(mktemp)
wine64 "$@" >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
