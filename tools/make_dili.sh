#!/bin/sh
# Generates data/dat/dili.ini (GBK, CR LF) from tools/dili_source.txt (UTF-8),
# dropping the comment lines that start with '#'. Run from anywhere:
#   tools/make_dili.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
grep -v '^#' "$root/tools/dili_source.txt" | sed 's/$/\r/' |
    iconv -f UTF-8 -t GBK > "$root/data/dat/dili.ini.tmp"
mv "$root/data/dat/dili.ini.tmp" "$root/data/dat/dili.ini"
