#!/usr/bin/env bash
# Renders the README's pictures of the desktop program (no display needed):
#   docs/main-window.png   the main window after a matching run (skin Mx1)
#   docs/birth-dialog.png  the birth-data dialog
#   docs/help-window.png   the help window ("软件帮助")
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
echo "Wrote $root/docs/main-window.png, $root/docs/birth-dialog.png and $root/docs/help-window.png"
