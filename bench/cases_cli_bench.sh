#!/bin/sh
# Whole-process timing of the case commands on a store of 100 000 cases:
# each command runs RUNS times (after one warm-up run) and the median user +
# system CPU seconds (and the median wall seconds) are printed.
#
#   bench/cases_cli_bench.sh [build/tessaly-cli] [STORE_HOME]
#
# Without STORE_HOME a store is built with tools/make_case_store.py in a
# temporary folder, removed afterwards. RUNS defaults to 9.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(cd "$(dirname "${1:-$root/build/tessaly-cli}")" && pwd)/$(basename "${1:-tessaly-cli}")
runs=${RUNS:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -ge 2 ]; then
    home=$2
else
    home=$work/store
    python3 "$root/tools/make_case_store.py" --cli "$cli" --out "$home" --count 100000 --no-reports
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure() {  # measure LABEL ARGS...
    label=$1
    shift
    "$cli" --home "$home" cases "$@" >/dev/null
    : >"$work/times"
    i=0
    while [ $i -lt "$runs" ]; do
        /usr/bin/time -f "%U %S %e" -a -o "$work/times" "$cli" --home "$home" cases "$@" >/dev/null
        i=$((i + 1))
    done
    cpu=$(awk '{ print $1 + $2 }' "$work/times" | median)
    wall=$(awk '{ print $3 }' "$work/times" | median)
    printf '%-44s cpu %6.3f s   wall %6.3f s   (median of %d)\n' "$label" "$cpu" "$wall" "$runs"
}

measure "cases search --name 张 --years 1950..1990" search --name 张 --years 1950..1990
measure "cases search (every case)" search
measure "cases list" list
