#!/usr/bin/env bash
# Installs what is missing, builds the development preset (ASan + UBSan,
# warnings as errors), runs the whole suite through CTest (each program in the
# environment's locale, a German and a Chinese one), runs each fuzz target for a
# few seconds, then builds the release preset exactly as scripts/run.sh does,
# starts that editor once, builds the Debian packages from it and checks them
# without installing them, and drives the editor end to end on a desktop of its
# own (Xvfb, a window manager, real key and mouse events).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset dev
cmake --build --preset dev
ctest --preset dev

cmake --preset fuzz
cmake --build --preset fuzz
bash scripts/run-fuzzers.sh build/fuzz "${FUZZ_SECONDS:-5}"

cmake --preset release
cmake --build --preset release
bash scripts/check-release-start.sh build/release/tools/orbitune/orbitune fuzz/corpus/general/two_plans.gnr
bash scripts/check-package.sh build/release
ctest --preset e2e
