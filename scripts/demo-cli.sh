#!/usr/bin/env bash
# Runs sonorelle-cli on the demo game with the environment of run-demo.sh: everything
# it reads and writes lies below build/demo. Builds and makes the demo game when they
# are missing; only the command's own output goes to stdout.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONORELLE_BUILD_DIR:-$root/build}
demo=$build/demo
if [ ! -x "$build/bin/sonorelle-cli" ]; then
  "$root/scripts/build.sh" >&2
fi
if [ ! -d "$demo/wine" ]; then
  "$build/bin/make-demo-game" "$demo" >&2
fi
export WINEPREFIX=$demo/wine
export SONORELLE_REGISTRY=$demo/registry.reg
export XDG_CONFIG_HOME=$demo/home/config
export XDG_CACHE_HOME=$demo/home/cache
export XDG_DATA_HOME=$demo/home/data
# The command line does not open the Setup window; for the demo the first CD unit
# will do (run-demo.sh shows the window's Setup on a fresh demo instead).
key='HKLM\SOFTWARE\Corvitane\Sonorelle'
if [ -z "$("$build/bin/sonorelle-reg" get "$key" CDDrive)" ]; then
  echo "demo-cli: the demo's Setup was not done; choosing the first CD unit" >&2
  "$build/bin/sonorelle-reg" set "$key" CDDrive 0
fi
exec "$build/bin/sonorelle-cli" "$@"
