#!/usr/bin/env bash
# Starts the real desktop program under a virtual X display with a window
# manager (openbox, when installed), opens and closes it three times and
# checks that the saved position and the window's place on screen stay the
# same from one start to the next.
#
# Usage: tools/window_place_check.sh [BUILD_DIR]     (default: build/)
# Needs: Xvfb, xdotool (Debian: xvfb xdotool; openbox for a window manager).
# Exit status: 0 the place holds, 1 it moved, 77 a tool is missing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${TESSALY_BUILD_DIR:-$root/build}}
program=$build/tessaly

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "window_place_check: $tool is not installed (Debian: apt-get install xvfb xdotool)" >&2
    exit 77
  fi
done
[ -x "$program" ] || { echo "window_place_check: no $program (build it first)" >&2; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to fd 5.
Xvfb -displayfd 5 -screen 0 1280x900x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "window_place_check: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -1 "$work/display")
if command -v openbox >/dev/null; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
  wm=openbox
else
  wm="no window manager"
fi
echo "display $DISPLAY, $wm"

# The program folder: the shipped data, no saved settings (a first start).
home=$work/home
mkdir -p "$home"
cp -r "$root/data/dat" "$root/data/skins" "$home/"
mkdir -p "$home/bazi_f"
ini=$home/dat/bzinit.ini

saved_place() {  # left top width height from dat/bzinit.ini
  local v=()
  for key in left top width height; do
    v+=("$(tr -d '\r' <"$ini" | sed -n "s/^$key=//p" | head -1)")
  done
  echo "${v[*]}"
}

status=0
first_saved="" first_shown=""
for cycle in 1 2 3; do
  "$program" --home "$home" >"$work/run$cycle.log" 2>&1 &
  app=$!
  win=$(xdotool search --sync --onlyvisible --pid "$app" --name '^Tessaly 2\.0$' | head -1)
  sleep 1  # let the window manager settle its frame
  shown=$(xdotool getwindowgeometry "$win" | sed -n 's/^ *Position: \([-0-9]*,[-0-9]*\).*/\1/p')
  shown+=" $(xdotool getwindowgeometry "$win" | sed -n 's/^ *Geometry: //p')"
  xdotool windowactivate --sync "$win" key --clearmodifiers ctrl+q
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then
    echo "cycle $cycle: the window did not close on Ctrl+Q" >&2
    kill "$app"
    exit 1
  fi
  wait "$app" || true
  saved=$(saved_place)
  echo "cycle $cycle: shown at $shown, saved left top width height = $saved"
  if [ "$cycle" = 1 ]; then
    first_saved=$saved first_shown=$shown
  elif [ "$saved" != "$first_saved" ] || [ "$shown" != "$first_shown" ]; then
    status=1
  fi
done
if [ "$status" = 0 ]; then
  echo "the window keeps its place over three starts"
else
  echo "the window moved between starts" >&2
fi
exit "$status"
