#!/usr/bin/env bash
# Runs every libFuzzer target found in BUILD_DIR/fuzz for SECONDS seconds each,
# starting from its seed corpus. Fails when a target finds a crash.
set -euo pipefail
build_dir=$1
seconds=${2:-5}
root="$(cd "$(dirname "$0")/.." && pwd)"
# Undefined behaviour ends a run as a crash does; the build makes it fatal too.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}

shopt -s nullglob
targets=("$build_dir"/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets built"
  exit 0
fi
passed=0
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds="$root/fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=0 -artifact_prefix="$work/" "$work" 2>"$work.log" || {
    tail -n 40 "$work.log"
    echo "fuzz target $name failed; artifacts in $work"
    exit 1
  }
  passed=$((passed + 1))
  rm -rf "$work" "$work.log"
done
echo "fuzz: $passed passed, 0 failed"
