#!/usr/bin/env bash
# Regenerates the seed corpus from the JSON seeds with a built orbitune-cli
# (default build/dev/tools/orbitune-cli).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli=${1:-$root/build/dev/tools/orbitune-cli}
corpus="$root/fuzz/corpus"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for seed in "$corpus"/plans_json/*.json; do
  name=$(basename "$seed" .json)
  "$cli" convert --overwrite --to gnr "$seed" "$corpus/general/$name.gnr"
  "$cli" convert --overwrite --to planList "$seed" "$corpus/plan_list/$name.planList"
  "$cli" convert --overwrite --to orbtab "$seed" "$work/$name"
  for f in "$work/$name"/*.Orbtab; do
    cp "$f" "$corpus/orbtab/$name-$(basename "$f")"
  done
done
