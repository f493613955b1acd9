#!/usr/bin/env bash
# Times `orbitune-cli convert --to gnr` of the full General file (255 plans of
# 255 TPs, 6.26 MB) against copying the same bytes with cat, in one run, and
# prints both and their ratio. Needs the release build of orbitune_bench,
# which writes the file, and of orbitune-cli.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
runs=${RUNS:-20}
"$build/bench/orbitune_bench" --benchmark_filter='^writeGeneral$' --benchmark_min_time=0.01 >/dev/null 2>&1
input="${TMPDIR:-/tmp}/orbitune-bench/plans.gnr"
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT

# The mean wall time of one run of the command, in microseconds.
mean_us() {
    local start end
    start=$(date +%s%N)
    for _ in $(seq "$runs"); do
        "$@"
    done
    end=$(date +%s%N)
    echo $(((end - start) / runs / 1000))
}

cat_us=$(mean_us sh -c "cat '$input' > '$output/copy.gnr'")
convert_us=$(mean_us "$build/tools/orbitune-cli" convert --to gnr --overwrite "$input" "$output/converted.gnr")
cmp -s "$input" "$output/converted.gnr" || echo "note: the converted file differs from its input" >&2
awk -v c="$cat_us" -v v="$convert_us" \
    'BEGIN { printf "cat %.2f ms, convert --to gnr %.2f ms, ratio %.1f\n", c / 1000, v / 1000, v / c }'
