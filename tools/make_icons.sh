#!/bin/sh
# Renders the program icon data/linux/icons/org.tessaly.Tessaly.svg into the
# PNG sizes of the hicolor icon theme, data/linux/icons/hicolor/NxN/apps/.
# Needs rsvg-convert (Debian package librsvg2-bin). Run from anywhere:
#   tools/make_icons.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
icons=$root/data/linux/icons
for size in 16 22 24 32 48 64 128 256; do
    out=$icons/hicolor/${size}x${size}/apps
    mkdir -p "$out"
    rsvg-convert -w "$size" -h "$size" "$icons/org.tessaly.Tessaly.svg" -o "$out/org.tessaly.Tessaly.png.tmp"
    mv "$out/org.tessaly.Tessaly.png.tmp" "$out/org.tessaly.Tessaly.png"
done
echo "Wrote $icons/hicolor/*/apps/org.tessaly.Tessaly.png"
