#!/usr/bin/env bash
# Renders the README's pictures of the desktop program (no display needed):
#   first-start.png   the main window at its first start (no settings yet)
#   main-window.png   the main window after a matching run (skin Mx1)
#   birth-dialog.png  the birth-data dialog
#   ink-skin.png      the main window in the skin Ink
# on a 1280 × 900 screen.
# Usage: tools/screenshots.sh [OUTDIR]        (default docs/; after a build)
#        SCALE=2 tools/screenshots.sh /tmp/x  the same at twice the resolution
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
out=${1:-$root/docs}

cmake --build "$build" --target tessaly-screenshots

# A program folder of its own: the shipped data, no settings file.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp -r "$root/data/dat" "$root/data/skins" "$home/"
mkdir -p "$home/bazi_f"
# The offscreen screen: 1280 × 900 pixels (physical), window frames counted.
printf '{"windowFrameMargins": true, "screens": [{"name": "screen", "x": 0, "y": 0, "width": 1280, "height": 900, "logicalDpi": 96, "logicalBaseDpi": 96}]}\n' \
  >"$home/screen.json"

TESSALY_HOME=$home QT_QPA_PLATFORM="offscreen:configfile=$home/screen.json" QT_SCALE_FACTOR=${SCALE:-1} \
  "$build/tessaly-screenshots" "$out" 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)
echo "Wrote first-start.png, main-window.png, birth-dialog.png and ink-skin.png in $out"
