#!/usr/bin/env bash
# Screenshots of the main window at its smallest size in each shipped language, and
# with a tooltip showing, on the demo game under a virtual X display.
#   scripts/screenshots.sh [OUTDIR]      (default: build/screenshots)
# Needs a build (scripts/build.sh) and xvfb, xdotool, x11-utils and imagemagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONORELLE_BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$build/screenshots}")
bin=$build/bin

if [ -z "${DISPLAY:-}" ] || [ -z "${SCREENSHOTS_UNDER_XVFB:-}" ]; then
  export SCREENSHOTS_UNDER_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make-demo-game" "$work/demo" > /dev/null
export WINEPREFIX=$work/demo/wine
export SONORELLE_REGISTRY=$work/registry.reg
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/config XDG_CACHE_HOME=$HOME/cache XDG_DATA_HOME=$HOME/data
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME/Music" "$XDG_RUNTIME_DIR" "$out"
chmod 700 "$XDG_RUNTIME_DIR"
key='HKEY_LOCAL_MACHINE\SOFTWARE\Corvitane\Sonorelle'
"$bin/sonorelle-reg" set "$key" CDDrive 0

# Starts the program, waits for its window and shrinks it to the smallest size it
# allows; prints the window's id.
start_smallest() {
  "$bin/sonorelle" > "$work/sonorelle.log" 2>&1 &
  echo $! > "$work/pid"
  local window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Sonorelle$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "screenshots: the window did not appear" >&2; cat "$work/sonorelle.log" >&2; exit 1; }
  # The splash window bears the same name; it is gone once start-up has finished.
  sleep 3
  window=$(xdotool search --onlyvisible --name '^Sonorelle$' | tail -n1)
  local size
  size=$(xprop -id "$window" WM_NORMAL_HINTS | sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p')
  # shellcheck disable=SC2086
  xdotool windowmove "$window" 0 0 windowsize "$window" $size
  sleep 1
  echo "$window"
}

stop() {
  kill "$(cat "$work/pid")" 2>/dev/null || true
  wait "$(cat "$work/pid")" 2>/dev/null || true
}

for language in English German Russian; do
  "$bin/sonorelle-reg" set "$key" Language "$bin/languages/$language.lng"
  start_smallest > "$work/window"
  import -window root -crop "$(xwininfo -id "$(cat "$work/window")" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h "+0+0"}')" \
    "$out/smallest-$language.png"
  stop
done

# The move-up picture button's tooltip: the pointer rests on it.
"$bin/sonorelle-reg" set "$key" Language "$bin/languages/English.lng"
window=$(start_smallest)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Qt shows tooltips in the active window only; without a window manager the
# keyboard focus makes it active.
xdotool windowfocus "$window"
sleep 0.5
xdotool mousemove --window "$window" "$((WIDTH / 2 - 16))" 140 sleep 0.3 \
  mousemove --window "$window" "$((WIDTH / 2 - 13))" 142
sleep 2
import -window root -crop "$((WIDTH + 150))x${HEIGHT}+0+0" "$out/tooltip-English.png"
stop
echo "screenshots in $out"
