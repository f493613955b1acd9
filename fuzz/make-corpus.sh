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

# The file readers' target takes a first byte that picks the format.
prefixed() { { printf "$1"; cat "$2"; } >"$corpus/plan_files/$3"; }
prefixed '\x00' "$corpus/general/one_plan.gnr" one_plan-gnr
prefixed '\x01' "$corpus/plan_list/one_plan.planList" one_plan-planList
prefixed '\x05' "$corpus/general/claims_many.gnr" claims_many-gnr
prefixed '\x06' "$corpus/plan_list/claims_many.planList" claims_many-planList
prefixed '\x03' "$corpus/orbtab/one_plan-Astra.Orbtab" one_plan-Orbtab
prefixed '\x04' "$corpus/satellites_xml/two_sats.xml" two_sats-xml
