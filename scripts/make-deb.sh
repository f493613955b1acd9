#!/usr/bin/env bash
# Builds the Debian packages from a release build that is already built
# (scripts/run.sh or scripts/test.sh make one): orbitune (the editor,
# orbitune-cli and what the desktop needs) and orbitune-tools (the meter
# simulator). They land in BUILD/packages.
#   bash scripts/make-deb.sh [BUILD]        BUILD defaults to build/release
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B packages >/dev/null)
rm -rf "$build/packages/_CPack_Packages"
ls "$build"/packages/*.deb
