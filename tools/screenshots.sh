#!/usr/bin/env bash
# Renders the README's pictures of the desktop program (no display needed):
#   docs/main-window.png   the main window after a matching run (skin Mx1)
#   docs/birth-dialog.png  the birth-data dialog
#   docs/calendar-window.png, docs/coordinates-editor.png, docs/hetu.png,
#   docs/luoshu.png        the perpetual calendar, the coordinates editor
#                          and the two number diagrams
#   docs/useful-god-dialog.png  the "设定用神" dialog of that run
# QT_SCALE_FACTOR=2 renders them at twice the size (a 2× screen).
# Usage: tools/screenshots.sh   (after scripts/build.sh has built the program)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

cmake --build "$build" --target tessaly-screenshots

# A program folder of its own: the shipped data and a window of a fixed size.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp -r "$root/data/dat" "$root/data/skins" "$home/"
mkdir -p "$home/bazi_f"
printf '[window]\r\nskined=1\r\nskinname=Mx1\r\n[winpos]\r\nleft=0\r\ntop=0\r\nwidth=1180\r\nheight=760\r\ntreewid=170\r\n' \
  >"$home/dat/bzinit.ini"

TESSALY_HOME=$home QT_QPA_PLATFORM=offscreen "$build/tessaly-screenshots" "$root/docs" 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)
echo "Wrote the pictures into $root/docs"
