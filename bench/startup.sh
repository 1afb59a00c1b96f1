#!/usr/bin/env bash
# Start-up benchmark: the launcher against the skeleton (its window tree alone) and a
# minimal Win32 window program, all under Wine on a virtual display, started
# alternately, with 2,000 shortcuts in the user's Start menu (the launcher indexes them
# after its first paint). Prints the medians and their ratios; exits 1 when over budget.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
zubi_ensure_packages
zubi_build_native >/dev/null
zubi_wine_bench
start_menu="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ZUBI bench"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$start_menu"; zubi_stop_xvfb' EXIT
# The shortcuts are made once per output folder with Windows' own link object (about a minute
# under Wine), outside the prefix (the tests' prefixes are copies of it and must not
# find them), and copied into its Start menu for the run only.
shortcuts=$ZUBI_OUT/bench-start-menu
if [ ! -f "$shortcuts/made-2000" ]; then
  rm -rf "$shortcuts"
  echo "making 2,000 shortcuts in $shortcuts"
  "$ZUBI_ROOT/scripts/wine-run.sh" "$ZUBI_WIN_BUILD/bench/programs_bench.exe" --make "Z:${shortcuts//\//\\}" 2000 |
    grep -v 'volume label' || true
  [ "$(find "$shortcuts/Start" -name '*.lnk' | wc -l)" = 2000 ] || { echo "the shortcuts were not made"; exit 1; }
  touch "$shortcuts/made-2000"
fi
rm -rf "$start_menu"
cp -r "$shortcuts/Start" "$start_menu"
echo "Start menu: $(find "$start_menu" -name '*.lnk' | wc -l) shortcuts"
/usr/bin/python3 "$ZUBI_ROOT/bench/startup.py" "$ZUBI_WIN_BUILD/zubi.exe" "$ZUBI_WIN_BUILD/bench/skeleton.exe" \
  "$ZUBI_WIN_BUILD/bench/minimal_window.exe" "${1:-9}"
