#!/usr/bin/env bash
# Renders the README's pictures of the desktop program (no display needed):
#   docs/main-window.png   the main window after a matching run (skin Mx1)
#   docs/birth-dialog.png  the birth-data dialog
#   docs/calendar-window.png, docs/coordinates-editor.png, docs/hetu.png,
#   docs/luoshu.png        the perpetual calendar, the coordinates editor
#                          and the two number diagrams
#   docs/useful-god-dialog.png  the "设定用神" dialog of that run
#   docs/case-tree.png     the case tree with a few categories, a case viewed
#   docs/case-search.png   the case search dialog
#   docs/case-info.png     the case information dialog
#   docs/help-window.png   the help window ("软件帮助")
# QT_SCALE_FACTOR=2 renders them at twice the size (a 2× screen).
# Usage: tools/screenshots.sh   (after scripts/build.sh has built the program)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

cmake --build "$build" --target tessaly-screenshots tessaly-cli

# A program folder of its own: the shipped data and a window of a fixed size.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp -r "$root/data/dat" "$root/data/skins" "$home/"
mkdir -p "$home/bazi_f"
rm -f "$home"/dat/bazi*.dat
printf '[window]\r\nskined=1\r\nskinname=Mx1\r\n[winpos]\r\nleft=0\r\ntop=0\r\nwidth=1180\r\nheight=760\r\ntreewid=230\r\n' \
  >"$home/dat/bzinit.ini"
# A few stored cases in four categories, and the category list.
add() {
  "$build/tessaly-cli" --home "$home" cases add --a "$1" --b "$2" --category "$3" --note "$4" >/dev/null
}
add "name=张三;sex=M;date=1990-05-12 08:30;prov=北京市;city=北京" "name=李四;sex=F;date=1992-11-03 21:10;prov=上海市" 同事 "同事介绍"
add "name=王五;sex=M;date=1985-02-20 14:00;prov=广东省" "name=赵六;sex=F;date=1987-07-07 07:07;prov=广东省" 客户 "老客户的儿子"
add "name=小芳;sex=F;date=1995-09-09 09:30;cal=lunar;prov=浙江省" "name=小明;sex=M;date=1993-01-15 12:00" 同学 "大学同学"
add "name=陈七;sex=M;date=1978-04-01 06:00;prov=四川省" "name=周八;sex=F;date=1980-10-10 10:10" 同事 "部门同事"
add "name=林九;sex=F;date=2001-04-10 03:03;cal=lunar;leap=1;prov=福建省" "name=吴十;sex=M;date=1999-12-12 12:12" 亲戚 "表妹"
add "name=张飞;sex=M;date=1968-06-06 16:00;prov=河北省" "name=夏侯;sex=F;date=1970-08-08 08:00" 客户 "合作伙伴"
printf '[classes]\r\ncount=4\r\n1=同事\r\n2=客户\r\n3=同学\r\n4=亲戚\r\n' | iconv -f UTF-8 -t GBK >>"$home/dat/bzinit.ini"

TESSALY_HOME=$home QT_QPA_PLATFORM=offscreen "$build/tessaly-screenshots" "$root/docs" 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)
echo "Wrote the pictures into $root/docs"
