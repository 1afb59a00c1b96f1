#!/usr/bin/env bash
# Builds the launcher, stages the portable folder out/portable and starts zubi.exe
# from it under Wine: on your display when DISPLAY is set, otherwise on a virtual
# display, saving a screenshot to out/screenshot.png.
#   ./run.sh           build, stage and start
#   ./run.sh --build   build, stage and pack out/zubi-VERSION-win64.zip only; prints the
#                      exe's and the archive's paths
set -euo pipefail
source "$(dirname "$0")/scripts/lib.sh"

# Only the program and its assets: the tests are test.sh's.
zubi_ensure_run_packages
zubi_build_program >/dev/null
zubi_stage_portable
if [ "${1:-}" = "--build" ]; then
  echo "$ZUBI_PORTABLE/zubi.exe"
  zubi_pack_portable
  exit 0
fi

zubi_ensure_prefix
cd "$ZUBI_PORTABLE"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine64 ./zubi.exe
fi

zubi_start_xvfb
trap 'wineserver -k 2>/dev/null; zubi_stop_xvfb' EXIT
wine64 ./zubi.exe &
for _ in $(seq 1 150); do
  xdotool search --onlyvisible --name ' - Page ' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
import -window root "$ZUBI_OUT/screenshot.png"
echo "screenshot: $ZUBI_OUT/screenshot.png"
