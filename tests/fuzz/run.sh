#!/usr/bin/env bash
# Runs the fuzz targets (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer).
usage() {
  cat >&2 <<'EOF'
usage: tests/fuzz/run.sh [DURATION] [TARGET...]

Builds the sanitized core and the fuzz targets when needed (out/build-asan), then runs
EACH target for DURATION: a number of minutes (2, 0.5), or seconds with an "s" (5s).
The default is 1 minute. Without TARGETs every target runs; as many run at once as the
machine has cores. Targets: ini_image text_codec page_file hot_key user_name.

Each target starts from its seeds (tests/fuzz/corpus/<target>) and from what earlier
runs found (out/fuzz/corpus/<target>), with its dictionary (tests/fuzz/<target>.dict).
Prints the inputs each target executed and their total. An input that breaks a property
or that a sanitizer reports is written to out/fuzz/findings/<target>/ and the run exits
with 1; its log is out/fuzz/logs/<target>.log.
EOF
  exit 2
}
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

FUZZ_DIR=$ZUBI_ROOT/tests/fuzz
ALL_TARGETS=(ini_image text_codec page_file hot_key user_name)

duration=${1:-1}
[ $# -gt 0 ] && shift
case $duration in
  -h | --help) usage ;;
  *s) seconds=${duration%s} ;;
  *) seconds=$(awk -v m="$duration" 'BEGIN { if (m !~ /^[0-9]*\.?[0-9]+$/) exit 1; printf "%d", m * 60 }') || usage ;;
esac
[[ $seconds =~ ^[0-9]+$ ]] && [ "$seconds" -gt 0 ] || usage
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${ALL_TARGETS[@]}")
for t in "${targets[@]}"; do
  [[ " ${ALL_TARGETS[*]} " == *" $t "* ]] || { echo "unknown target: $t" >&2; usage; }
done

# Longest input tried: files for the file readers, a line for the others.
max_len() {
  case $1 in
    hot_key | user_name) echo 256 ;;
    *) echo 4096 ;;
  esac
}

zubi_ensure_packages
zubi_log "building the sanitized core and the fuzz targets"
zubi_build_sanitized
zubi_sanitizer_env

out=$ZUBI_OUT/fuzz
mkdir -p "$out/logs"
started=$out/.started
touch "$started"

# The short texts are judged by comparisons with names (key names, device names):
# the fuzzer is told which values those comparisons were near.
extra_options() {
  case $1 in
    hot_key | user_name) echo -use_value_profile=1 ;;
  esac
}

run_target() {
  local t=$1 options
  mkdir -p "$out/corpus/$t" "$out/findings/$t"
  options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$t")")
  options+=(-artifact_prefix="$out/findings/$t/" $(extra_options "$t"))
  [ -f "$FUZZ_DIR/$t.dict" ] && options+=(-dict="$FUZZ_DIR/$t.dict")
  "$ZUBI_ASAN_BUILD/tests/fuzz/${t}_fuzz" "${options[@]}" "$out/corpus/$t" "$FUZZ_DIR/corpus/$t" \
    >"$out/logs/$t.log" 2>&1
}

zubi_log "fuzzing ${targets[*]} for ${seconds} s each"
jobs=$(zubi_jobs)
declare -A status
pids=()
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$t" &
  pids+=("$!:$t")
done
for entry in "${pids[@]}"; do
  if wait "${entry%%:*}"; then status[${entry#*:}]=0; else status[${entry#*:}]=$?; fi
done

total=0
failed=0
printf '%-12s %14s %8s  %s\n' target inputs seconds result
for t in "${targets[@]}"; do
  log=$out/logs/$t.log
  runs=$(sed -n 's/^stat::number_of_executed_\(runs\|units\): *\([0-9]*\).*/\2/p' "$log" | tail -1)
  time=$(sed -n 's/.*Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  found=$(find "$out/findings/$t" -type f -newer "$started" | wc -l)
  result=ok
  if [ "$found" -gt 0 ] || [ "${status[$t]}" -ne 0 ]; then
    result="FAILED (exit ${status[$t]}, $found finding(s) in out/fuzz/findings/$t, log out/fuzz/logs/$t.log)"
    failed=1
  fi
  total=$((total + ${runs:-0}))
  printf '%-12s %14s %8s  %s\n' "$t" "${runs:-?}" "${time:-?}" "$result"
done
printf '%-12s %14s\n' total "$total"
exit "$failed"
