#!/usr/bin/env bash
# Peak memory and speed of tessaly-cli rank on a long generated file:
# the ranking reads its candidates as a stream and keeps only the best, so
# that 5 000 000 rows with --top 100 stay within 64 MB.
#
#   bench/rank_memory.sh [BUILD_DIR] [ROWS] [TOP]
#
# Defaults: build/, 5 000 000 rows, --top 100, --jobs 2. The file (about
# 45 bytes a row, a province on every row) is written to a temporary folder
# and removed afterwards; the names stay within 10 GBK bytes, so that every
# row is ranked. Takes minutes (about 100 s for 5 M rows on two free
# cores), so it is not part of the test suite.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rows=${2:-5000000}
top=${3:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

home=$work/home
mkdir -p "$home/bazi_f"
cp -r "$build/dat" "$home/dat"
rm -f "$home"/dat/bazi*.dat "$home/dat/pan.ini"

python3 - "$rows" "$work/candidates.csv" <<'PY'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
provs = ["北京市", "上海市", "广东省", "四川省", "浙江省", "湖北省", "山东省", "河南省"]
with open(path, "w", encoding="utf-8") as f:
    f.write("name,sex,date,prov,city\n")
    for i in range(n):
        f.write("候%d,F,%04d-%02d-%02d %02d:%02d,%s,%d\n" % (i, 1950 + (i * 7919) % 55, 1 + (i * 5) % 12,
                1 + (i * 11) % 28, (i * 13) % 24, (i * 17) % 60, provs[i % len(provs)], i % 3))
PY
/usr/bin/time -f '%e %U %S %M' -o "$work/time" "$build/tessaly-cli" --home "$home" rank \
    --a "name=张三;sex=M;date=1984-03-08 23:30;prov=北京市" --candidates "$work/candidates.csv" \
    --top "$top" --jobs 2 --csv >"$work/out.csv" 2>"$work/err.txt"
read -r wall user sys rss <"$work/time"
skipped=$(grep -c 'skipped$' "$work/err.txt" || true)
awk -v n="$rows" -v t="$top" -v w="$wall" -v u="$user" -v s="$sys" -v r="$rss" -v k="$skipped" 'BEGIN {
    printf "rank, %d rows (%d skipped), --top %d: peak RSS %.1f MB, wall %.1f s, CPU %.1f s, %.0f candidates/s\n",
           n, k, t, r / 1024, w, u + s, n / w }'
