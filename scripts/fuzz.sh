#!/usr/bin/env bash
# Builds the libFuzzer targets of the window-free logic and runs each one for
# 1,000,000 executions, then prints the executions and time of each run:
#   fuzz.sh           the full run
#   fuzz.sh --smoke   about 10 seconds a target (FUZZ_SECONDS to change it)
# Each target starts from its seeds in fuzz/seeds and keeps what it finds in
# build/native/fuzz-corpus; a failing input is saved in build/native/fuzz-crashes.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages "${NATIVE_PACKAGES[@]}"
build_native

limit=(-runs=1000000) run=full
if [ "${1:-}" = "--smoke" ]; then
  limit=(-max_total_time="${FUZZ_SECONDS:-10}") run=smoke
fi
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Sets CPU to the CPU seconds of this script's finished children, which the
# machine's other work does not inflate as it does the wall-clock time. (`times`
# must run in this shell: in a pipe or $(...) it would see no children.)
times_file=$(mktemp)
trap 'rm -f "$times_file"' EXIT
read_child_cpu() {
  times >"$times_file"
  CPU=$(awk 'NR == 2 {
    for (i = 1; i <= 2; ++i) { split($i, t, /[ms]/); total += t[1] * 60 + t[2] }
    printf "%.1f", total
  }' "$times_file")
}

crashes="$NATIVE_DIR/fuzz-crashes"
mkdir -p "$crashes"
for target in cycle_codec rotation_edits settings_text shuffle steam_library_folders; do
  corpus="$NATIVE_DIR/fuzz-corpus/$target"
  log="$NATIVE_DIR/fuzz-$target-$run.log"
  mkdir -p "$corpus"
  cp "$ROOT/fuzz/seeds/$target"/* "$corpus/"
  start=$(date +%s%N)
  read_child_cpu
  cpu_before=$CPU
  if ! "$NATIVE_DIR/fuzz/${target}_fuzz" "${limit[@]}" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$crashes/$target-" "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz target $target failed; its log: $log" >&2
    exit 1
  fi
  seconds=$(awk -v ns=$(($(date +%s%N) - start)) 'BEGIN { printf "%.1f", ns / 1e9 }')
  read_child_cpu
  cpu=$(awk -v a="$cpu_before" -v b="$CPU" 'BEGIN { printf "%.1f", b - a }')
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  printf '%-21s %9s executions in %6s s (%s s of CPU)\n' "$target" "$runs" "$seconds" "$cpu"
done
