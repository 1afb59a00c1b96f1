#!/usr/bin/env bash
# Runs a Windows test program under Wine with the project's prefix settings.
# Used by CTest as the cross-compiling emulator.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
zubi_wine_env
exec wine64 "$@"
