#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONORELLE_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$build"
# The Debian package, which the install tests look into.
cpack -G DEB
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
