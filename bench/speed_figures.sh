#!/usr/bin/env bash
# The speed figures of the matching, the command line and the ranking, as
# callgrind instruction counts (stable on a shared machine, where times move
# twofold) and, with --cpu, CPU-time medians and the ranking's throughput and
# memory.
#
#   bench/speed_figures.sh [--cpu] [BUILD_DIR]
#
# BUILD_DIR (default build/) holds tessaly-cli with its dat/, matching_bench,
# wedding_bench and ranking_bench; run it once for each of two builds to
# compare them. Needs valgrind and python3. Takes a few minutes.
#
# What is counted:
#   matching run          one RunMatching with a calendar kept between runs
#                         (its lunar years built), per run
#   match prov=           a whole `tessaly-cli match` process, both places
#                         named by province and city
#   match lon=            the same with coordinates
#   process start         `tessaly-cli --version`
#   wedding idate=1/0     a whole `tessaly-cli wedding` process for one year,
#                         in true solar time / Beijing time
#   rank, per candidate   `tessaly-cli rank --jobs 1`, a province on every
#                         row: the difference of 1100 and 100 rows, per row
#   cases list, per record  the difference of two stores, per record
set -euo pipefail

cpu=0
if [ "${1:-}" = --cpu ]; then
    cpu=1
    shift
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cli=$build/tessaly-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

home=$work/home
mkdir -p "$home/bazi_f"
cp -r "$build/dat" "$home/dat"
rm -f "$home"/dat/bazi*.dat "$home/dat/pan.ini"

# Instructions of a whole process.
irefs() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*I *refs: *//p' | tr -d ,
}

# Calls of the functions whose name matches $2 in callgrind's output file $1.
calls_of() {
    python3 - "$1" "$2" <<'EOF'
import re, sys
names, calls, current = {}, 0, None
for line in open(sys.argv[1], errors="replace"):
    m = re.match(r"cfn=\((\d+)\)(?: (.*))?", line)
    if m:
        if m.group(2):
            names[m.group(1)] = m.group(2)
        current = names.get(m.group(1), "")
        continue
    m = re.match(r"fn=\((\d+)\)(?: (.*))?", line)
    if m and m.group(2):
        names[m.group(1)] = m.group(2)
    if line.startswith("calls=") and current is not None and re.search(sys.argv[2], current):
        calls += int(line[6:].split()[0])
        current = None
print(calls)
EOF
}

# Inclusive instructions of the functions matching $2 in output file $1.
inclusive_of() {
    callgrind_annotate --inclusive=yes "$1" 2>/dev/null | awk -v pat="$2" '$0 ~ pat { gsub(",", "", $1); s += $1 } END { print s + 0 }'
}

row() { printf '%-50s %12s\n' "$1" "$(printf "%'d" "$2")"; }

echo "instructions (callgrind), $build"

# The warm matching run: every call of RunMatching, less the lunar years the
# first call of each benchmark repetition builds.
out=$work/matching.cg
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='tessaly::RunMatching*' \
    "$build/matching_bench" --benchmark_filter='BM_RunMatching$' --benchmark_min_time=0.5 >/dev/null 2>&1
total=$(sed -n 's/^summary: *//p;s/^totals: *//p' "$out" | head -1)
years=$(inclusive_of "$out" 'LunarYearBuilder::BuildFromSolstice')
n=$(calls_of "$out" '^tessaly::RunMatching\(')
row "matching run, warm calendar (per run)" $(((total - years) / n))

a="name=张三;sex=M;date=1990-05-12 08:30"
b="name=李四;sex=F;date=1992-11-03 21:10"
row "tessaly-cli match prov= (process)" "$(irefs "$cli" --home "$home" match --a "$a;prov=北京市" --b "$b;prov=上海市")"
row "tessaly-cli match lon= (process)" \
    "$(irefs "$cli" --home "$home" match --a "$a;lon=116.4;lat=39.9" --b "$b;lon=121.5;lat=31.2")"
row "tessaly-cli --version (process start)" "$(irefs "$cli" --home "$home" --version)"
for idate in 1 0; do
    row "tessaly-cli wedding idate=$idate (one year, process)" \
        "$(irefs "$cli" --home "$home" wedding --a "$a;lon=116.4;lat=39.9" --b "$b;lon=121.5;lat=31.2" \
            --year 2024 --set idate=$idate)"
done

# Candidates with a province and city on every row.
candidates() {  # candidates N FILE
    python3 - "$1" "$2" <<'EOF'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
provs = ["北京市", "上海市", "广东省", "四川省", "浙江省", "湖北省", "山东省", "河南省"]
with open(path, "w", encoding="utf-8") as f:
    f.write("name,sex,date,prov,city\n")
    for i in range(n):
        f.write("候%d,F,%04d-%02d-%02d %02d:%02d,%s,%d\n" % (i, 1950 + (i * 7919) % 55, 1 + (i * 5) % 12,
                1 + (i * 11) % 28, (i * 13) % 24, (i * 17) % 60, provs[i % len(provs)], i % 3))
EOF
}
candidates 100 "$work/c100.csv"
candidates 1100 "$work/c1100.csv"
rank() { irefs "$cli" --home "$home" rank --a "$a;prov=北京市" --candidates "$1" --top 10 --jobs 1; }
r1=$(rank "$work/c100.csv")
r2=$(rank "$work/c1100.csv")
row "tessaly-cli rank, per candidate" $(((r2 - r1) / 1000))

# Two stores made by tools/make_case_store.py.
python3 "$root/tools/make_case_store.py" --cli "$cli" --out "$work/s1" --count 1000 --seeds 20 --no-reports >/dev/null
python3 "$root/tools/make_case_store.py" --cli "$cli" --out "$work/s2" --count 11000 --seeds 20 --no-reports >/dev/null
l1=$(irefs "$cli" --home "$work/s1" cases list)
l2=$(irefs "$cli" --home "$work/s2" cases list)
row "tessaly-cli cases list, per record" $(((l2 - l1) / 10000))

[ $cpu = 1 ] || exit 0

echo
echo "CPU time, medians of 9 repetitions"
median_of() {  # BENCH FILTER
    "$build/$1" --benchmark_filter="$2" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true 2>/dev/null |
        awk '/_median/ { printf "%-44s %10s %s\n", $1, $4, $5 }'
}
median_of matching_bench 'BM_RunMatching$'
median_of matching_bench 'BM_RunMatchingFreshCalendar'
median_of wedding_bench 'BM_WeddingYear/'
median_of ranking_bench 'BM_ScoreMatching'

echo
echo "rank, 100 000 candidates, 2 threads (wall, CPU, peak RSS)"
candidates 100000 "$work/c100k.csv"
/usr/bin/time -f '%e %U %S %M' -o "$work/time" \
    "$cli" --home "$home" rank --a "$a;prov=北京市" --candidates "$work/c100k.csv" --jobs 2 >/dev/null 2>&1
read -r wall user sys rss <"$work/time"
awk -v w="$wall" -v u="$user" -v s="$sys" -v r="$rss" 'BEGIN {
    printf "%-44s %8.0f candidates/s (wall %.2f s, CPU %.2f s), %.1f MB\n", "rank --jobs 2", 100000 / w, w, u + s, r / 1024 }'
