# Shared helpers of run.sh, test.sh, the benchmarks and the fuzzing: packages, the Wine
# prefix, a virtual display and the CMake builds (native, sanitized, Windows). Source it;
# it defines functions only.

ZUBI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZUBI_OUT=${ZUBI_OUT:-$ZUBI_ROOT/out}
ZUBI_NATIVE_BUILD=$ZUBI_OUT/build-native
ZUBI_WIN_BUILD=$ZUBI_OUT/build-win
ZUBI_ASAN_BUILD=$ZUBI_OUT/build-asan
ZUBI_PORTABLE=$ZUBI_OUT/portable

zubi_log() { printf '== [%4ds] %s\n' "$SECONDS" "$*" >&2; }

# Debian packages that building and starting the program needs (the host compiler
# makes the asset generator, python3 packs the archive), and those the tests add.
ZUBI_RUN_PACKAGES=(
  g++ cmake make
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 fonts-wine
  xvfb xauth x11-utils xdotool imagemagick
  fonts-ipafont-gothic locales python3
)
ZUBI_TEST_PACKAGES=(
  googletest libbenchmark-dev python3-xlib procps
  clang libclang-rt-dev llvm
)

# The packages named that are not installed, one a line.
zubi_missing_packages() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  printf '%s\n' "${missing[@]}"
}

zubi_install_packages() {
  local missing
  mapfile -t missing < <(zubi_missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] || [ -z "${missing[0]}" ] && { zubi_ensure_locale; return 0; }
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  zubi_log "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  zubi_ensure_locale
}

# Everything: the builds, the tests, the benchmarks and the fuzzing.
zubi_ensure_packages() { zubi_install_packages "${ZUBI_RUN_PACKAGES[@]}" "${ZUBI_TEST_PACKAGES[@]}"; }
# Only what building and starting the program needs.
zubi_ensure_run_packages() { zubi_install_packages "${ZUBI_RUN_PACKAGES[@]}"; }

# Wine takes its ANSI code page (932) from a Japanese UTF-8 locale.
zubi_ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
}

zubi_wine_env() {
  export WINEPREFIX=${WINEPREFIX:-$ZUBI_OUT/wineprefix} WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 2>/dev/null
  case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH=/usr/lib/wine:$PATH ;; esac
}

# A prefix made once per output folder; a marker file says it is complete.
zubi_ensure_prefix() {
  zubi_wine_env
  local marker=$WINEPREFIX/.zubi-ready
  [ -f "$marker" ] && { wineserver -p 60 2>/dev/null || true; return 0; }
  zubi_log "creating the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"; mkdir -p "$(dirname "$WINEPREFIX")"
  wine64 wineboot -i >/dev/null 2>&1
  wineserver -w
  ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  local reg='HKCU\Software\Wine\Fonts\Replacements'
  local f
  for f in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do
    wine64 reg add "$reg" /v "$f" /d IPAPGothic /f >/dev/null 2>&1
  done
  for f in 'ＭＳ ゴシック' 'MS Gothic'; do
    wine64 reg add "$reg" /v "$f" /d IPAGothic /f >/dev/null 2>&1
  done
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine64 reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
  wineserver -w
  touch "$marker"
  wineserver -p 60 2>/dev/null || true
}

# Starts Xvfb on a display it finds free itself (-displayfd), so that two runs on one
# machine never share one.
zubi_start_xvfb() {
  local number i
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  ZUBI_XVFB_PID=$!
  for i in $(seq 1 200); do
    if [ -s "$number" ] && DISPLAY=:$(tr -d '[:space:]' <"$number") xdpyinfo >/dev/null 2>&1; then
      export DISPLAY=:$(tr -d '[:space:]' <"$number")
      rm -f "$number"
      return 0
    fi
    sleep 0.05
  done
  rm -f "$number"
  zubi_log "Xvfb did not start"
  return 1
}

zubi_stop_xvfb() {
  [ -n "${ZUBI_XVFB_PID:-}" ] && kill "$ZUBI_XVFB_PID" 2>/dev/null
  ZUBI_XVFB_PID=
}

# A benchmark under Wine: the packages, the program and its benchmarks built, the prefix
# and a display of its own, which go with Wine's processes when the script ends.
zubi_wine_bench() {
  zubi_ensure_packages
  zubi_build_windows >/dev/null
  zubi_ensure_prefix
  zubi_start_xvfb
  trap 'wineserver -k 2>/dev/null || true; zubi_stop_xvfb' EXIT
}

zubi_jobs() { nproc 2>/dev/null || echo 2; }

# Starts the probe of BUILD that keeps the Wine prefix's desktop open until the
# wineserver is killed, and waits until it holds it (its output goes to FILE). Wine
# closes a desktop a second after its last program ends, and a program started while
# it closes gets no display: its windows never show.
zubi_hold_desktop() {
  local file=$2 i
  : >"$file"
  wine64 "$1/tests/e2e/probe.exe" desktop >"$file" 2>/dev/null </dev/null &
  for i in $(seq 1 600); do
    grep -q holding "$file" && return 0
    sleep 0.05
  done
  zubi_log "the desktop keeper did not start"
  return 1
}

# Runs the CTest tests of BUILD that each REGEX names, the sets side by side: each set
# on an Xvfb display and in a copy of the Wine prefix of its own, so that neither sees
# the other's windows or programs. Prints each set's output when it is done; fails when
# a set fails.
zubi_run_wine_lanes() {
  local build=$1
  shift
  zubi_ensure_prefix
  wineserver -k 2>/dev/null || true
  local base=$WINEPREFIX i=0 regex pids=() logs=() displays=() xvfbs=() status=0
  # Every copy is made before any set runs: a set at work in the base prefix would
  # change it under the copy (its temporary folders come and go).
  for i in $(seq 1 $(($# - 1))); do
    rm -rf "$base-lane$i"
    cp -a "$base" "$base-lane$i"
  done
  i=0
  for regex in "$@"; do
    local prefix=$base
    [ $i -gt 0 ] && prefix=$base-lane$i
    zubi_start_xvfb
    displays+=("$DISPLAY")
    xvfbs+=("$ZUBI_XVFB_PID")
    logs+=("$ZUBI_OUT/lane$i.log")
    (
      export WINEPREFIX=$prefix
      wineserver -p 60 2>/dev/null || true
      zubi_hold_desktop "$build" "$ZUBI_OUT/desktop$i.txt" || true
      lane_status=0
      ctest --test-dir "$build" -R "$regex" --output-on-failure >"$ZUBI_OUT/lane$i.log" 2>&1 || lane_status=$?
      wineserver -k 2>/dev/null || true
      exit $lane_status
    ) &
    pids+=($!)
    i=$((i + 1))
  done
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || status=1
    zubi_log "tests $(($i + 1)) of ${#pids[@]} (display ${displays[$i]}):"
    cat "${logs[$i]}"
    kill "${xvfbs[$i]}" 2>/dev/null || true
  done
  ZUBI_XVFB_PID=
  return $status
}

zubi_build_native() {
  cmake -S "$ZUBI_ROOT" -B "$ZUBI_NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$ZUBI_NATIVE_BUILD" -j "$(zubi_jobs)" -- --no-print-directory
}

# The core and its tests built by clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# and the libFuzzer targets of tests/fuzz.
zubi_build_sanitized() {
  cmake -S "$ZUBI_ROOT" -B "$ZUBI_ASAN_BUILD" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ -DZUBI_SANITIZE=ON -DZUBI_FUZZ=ON >/dev/null
  cmake --build "$ZUBI_ASAN_BUILD" -j "$(zubi_jobs)" -- --no-print-directory
}

# Any sanitizer report ends the program with a failure; leaks are reported too. Options
# already in the environment are kept and win.
zubi_sanitizer_env() {
  local asan=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
  asan+=:check_initialization_order=1:strict_init_order=1
  export ASAN_OPTIONS=$asan${ASAN_OPTIONS:+:$ASAN_OPTIONS}
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}
}

zubi_configure_windows() {
  cmake -S "$ZUBI_ROOT" -B "$ZUBI_WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ZUBI_ROOT/cmake/mingw-w64-x86_64.cmake" "$@" >/dev/null
}

# The program, its Windows tests, the test tools and the benchmarks.
zubi_build_windows() {
  zubi_configure_windows -DZUBI_BUILD_TESTS=ON
  cmake --build "$ZUBI_WIN_BUILD" -j "$(zubi_jobs)" -- --no-print-directory
}

# The program and its assets only: what run.sh starts.
zubi_build_program() {
  zubi_configure_windows
  cmake --build "$ZUBI_WIN_BUILD" -j "$(zubi_jobs)" --target zubi -- --no-print-directory
}

# The ready portable folder: the exe, an empty DATA folder, the help and the chime.
zubi_stage_portable() {
  rm -rf "$ZUBI_PORTABLE"
  mkdir -p "$ZUBI_PORTABLE/DATA" "$ZUBI_PORTABLE/help"
  cp "$ZUBI_WIN_BUILD/zubi.exe" "$ZUBI_PORTABLE/"
  cp "$ZUBI_ROOT/help/index.htm" "$ZUBI_PORTABLE/help/"
  cp "$ZUBI_WIN_BUILD/assets/start.wav" "$ZUBI_PORTABLE/"
}

# The version the Windows build was made with (ZUBI_VERSION in CMakeLists.txt).
zubi_version() {
  sed -n 's/^#define ZUBI_VERSION "\(.*\)"$/\1/p' "$ZUBI_WIN_BUILD/generated/zubi_version.h"
}

# The staged portable folder as out/zubi-VERSION-win64.zip: the exe, help, start.wav
# and the empty DATA folder in one folder zubi-VERSION, so that the archive unpacks
# into a folder of its own. Prints the archive's path.
zubi_pack_portable() {
  local version archive
  version=$(zubi_version)
  [ -n "$version" ] || { zubi_log "no version in $ZUBI_WIN_BUILD/generated/zubi_version.h"; return 1; }
  archive=$ZUBI_OUT/zubi-$version-win64.zip
  python3 - "$ZUBI_PORTABLE" "$archive" "zubi-$version" <<'PY'
import os, sys, zipfile
root, archive, top = sys.argv[1], sys.argv[2], sys.argv[3]
tmp = archive + ".tmp"
with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as z:
    for folder, dirs, files in os.walk(root):
        dirs.sort()
        rel = os.path.relpath(folder, root)
        if rel != "." and not files and not dirs:
            z.write(folder, top + "/" + rel.replace(os.sep, "/") + "/")  # an empty folder keeps its entry
        for name in sorted(files):
            path = os.path.join(folder, name)
            z.write(path, top + "/" + os.path.relpath(path, root).replace(os.sep, "/"))
os.replace(tmp, archive)
PY
  echo "$archive"
}
