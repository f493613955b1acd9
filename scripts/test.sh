#!/usr/bin/env bash
# Installs what is missing, builds the development preset (ASan + UBSan), runs
# the whole suite through CTest, then runs each fuzz target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset dev
cmake --build --preset dev
ctest --preset dev

cmake --preset fuzz
cmake --build --preset fuzz
bash scripts/run-fuzzers.sh build/fuzz "${FUZZ_SECONDS:-5}"
