#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the editor
# with any plan files given on the command line.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/tools/orbitune/orbitune "$@"
