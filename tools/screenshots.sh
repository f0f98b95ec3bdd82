#!/usr/bin/env bash
# Renders the README's pictures of the desktop program (no display needed),
# on a 1280 × 900 screen:
#   first-start.png     the main window at its first start (no settings yet)
#   main-window.png     the main window after a matching run (skin Mx1)
#   birth-dialog.png    the birth-data dialog
#   ink-skin.png        the main window in the skin Ink
#   useful-god-dialog.png  the "设定用神" dialog of that run
#   index-parts.png, option-comparison.png
#                       the two tabs of the "婚配指数构成" dialog of that run
#   case-tree.png, case-search.png, case-info.png
#                       the case tree with a stored case viewed, the case
#                       search and the case information dialogs
#   calendar-window.png, coordinates-editor.png, hetu.png, luoshu.png
#                       the perpetual calendar, the coordinates editor and
#                       the two number diagrams
#   help-window.png     the help window ("软件帮助")
#   couple-timeline.png a couple's years side by side ("流年对照"), 2026..2046
#   birth-explanation.png  "出生时刻说明" of a birth four minutes after 立春
# and each of them again with the window in English: NAME-en.png.
# Usage: tools/screenshots.sh [OUTDIR]        (default docs/; after a build)
#        SCALE=2 tools/screenshots.sh /tmp/x  the same at twice the resolution
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
out=${1:-$root/docs}

cmake --build "$build" --target tessaly-screenshots tessaly-cli

# A program folder of its own: the shipped data, no settings file, and a few
# stored cases in four categories.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp -r "$root/data/dat" "$root/data/skins" "$home/"
mkdir -p "$home/bazi_f"
rm -f "$home"/dat/bazi*.dat "$home/dat/bzinit.ini"
add() {
  "$build/tessaly-cli" --home "$home" cases add --a "$1" --b "$2" --category "$3" --note "$4" >/dev/null
}
add "name=张三;sex=M;date=1990-05-12 08:30;prov=北京市;city=北京" "name=李四;sex=F;date=1992-11-03 21:10;prov=上海市" 同事 "同事介绍"
add "name=王五;sex=M;date=1985-02-20 14:00;prov=广东省" "name=赵六;sex=F;date=1987-07-07 07:07;prov=广东省" 客户 "老客户的儿子"
add "name=小芳;sex=F;date=1995-09-09 09:30;cal=lunar;prov=浙江省" "name=小明;sex=M;date=1993-01-15 12:00" 同学 "大学同学"
add "name=陈七;sex=M;date=1978-04-01 06:00;prov=四川省" "name=周八;sex=F;date=1980-10-10 10:10" 同事 "部门同事"
add "name=林九;sex=F;date=2001-04-10 03:03;cal=lunar;leap=1;prov=福建省" "name=吴十;sex=M;date=1999-12-12 12:12" 亲戚 "表妹"
add "name=张飞;sex=M;date=1968-06-06 16:00;prov=河北省" "name=夏侯;sex=F;date=1970-08-08 08:00" 客户 "合作伙伴"

# The offscreen screen: 1280 × 900 pixels (physical), window frames counted.
printf '{"windowFrameMargins": true, "screens": [{"name": "screen", "x": 0, "y": 0, "width": 1280, "height": 900, "logicalDpi": 96, "logicalBaseDpi": 96}]}\n' \
  >"$home/screen.json"

# Each picture in Chinese, then in English (NAME-en.png), each from a first start.
for lang in "" en; do
  rm -f "$home/dat/bzinit.ini"
  TESSALY_HOME=$home QT_QPA_PLATFORM="offscreen:configfile=$home/screen.json" QT_SCALE_FACTOR=${SCALE:-1} \
    "$build/tessaly-screenshots" "$out" $lang 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)
done
echo "Wrote the pictures into $out"
