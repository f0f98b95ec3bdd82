#!/bin/sh
# Runs every read-only "cases" command of two tessaly-cli builds on one store
# and compares what they print (standard output and exit status), line for
# line: list, a set of searches, and show (plain and --json) of every slot.
#
#   tools/compare_cases_output.sh OLD_CLI NEW_CLI HOME
#
# HOME is a program folder (dat/, bazi_f/), for instance one made by
#   tools/make_case_store.py --cli build/tessaly-cli --out /tmp/cases3000 --count 3000
# Prints the first difference and exits 1, or prints "same" and exits 0.
set -eu
old=$1 new=$2 home=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {  # run NAME ARGS...: both programs, stdout and status compared
    name=$1
    shift
    status=0
    "$old" --home "$home" cases "$@" >"$work/old" 2>/dev/null || status=$?
    echo "exit $status" >>"$work/old"
    status=0
    "$new" --home "$home" cases "$@" >"$work/new" 2>/dev/null || status=$?
    echo "exit $status" >>"$work/new"
    if ! cmp -s "$work/old" "$work/new"; then
        echo "differs: cases $*"
        diff "$work/old" "$work/new" | head -20
        exit 1
    fi
    count=$((count + 1))
}

count=0
run list list
for args in "--name 张" "--name-exact 张伟" "--name 张 --years 1950..1990" "--category abc" \
            "--category-exact ABC" "--category 同" "--sex female" "--sex male --province 3" \
            "--years -100..1920" "--years 1985" "--province 北京市" "--name 伟 --sex male --years 1960..1970"; do
    # shellcheck disable=SC2086
    run search search $args
done
run search search
slots=$("$new" --home "$home" cases list | sed -n 's/.*|\([0-9]*\)$/\1/p' | sort -n | tail -1)
slot=-1
while [ "$slot" -le "$((slots + 1))" ]; do
    run show show "$slot"
    run show show "$slot" --json
    slot=$((slot + 1))
done
echo "same ($count commands)"
