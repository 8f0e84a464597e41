#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, makes the demo game once and
# starts Sonorelle on it. Every file it touches lies below build/demo: the Wine
# prefix, the settings store, the work folder and the desktop integration.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONORELLE_BUILD_DIR:-$root/build}
demo=$build/demo
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ ! -d "$demo/wine" ]; then
  "$build/bin/make-demo-game" "$demo"
fi
export WINEPREFIX=$demo/wine
export SONORELLE_REGISTRY=$demo/registry.reg
export XDG_CONFIG_HOME=$demo/home/config
export XDG_CACHE_HOME=$demo/home/cache
export XDG_DATA_HOME=$demo/home/data
exec "$build/bin/sonorelle" "$@"
