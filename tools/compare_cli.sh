#!/usr/bin/env bash
# Runs the same tessaly-cli commands with two builds and reports every
# output that differs: a guard for changes that must leave the program's
# output byte for byte as it was.
#
#   tools/compare_cli.sh OLD_CLI NEW_CLI
#
# Each build runs in a fresh folder of its own (dat/ copied from the new
# build's folder), so settings and stores never mix.
set -uo pipefail
old=$1 new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for side in old new; do
  mkdir -p "$work/$side/bazi_f"
  cp -r "$(dirname "$new")/dat" "$work/$side/dat"
  rm -f "$work/$side/dat/bazi"*.dat "$work/$side/dat/pan.ini"
done

commands=()
for y in -850 -104 0 1 1582 1900 1984 2024 2033 2100; do
  commands+=("terms $y" "newmoons $y" "lunaryear $y" "era $y")
done
for d in 1582-10-04 1582-10-15 1984-02-04 2000-01-01 2023-03-22 2024-02-10 2033-12-22 2100-12-31; do
  commands+=("lunar $d")
done
commands+=("solar 2023 2 29 --leap" "solar 2023 2 29" "solar 1986 1 30" "places" "places 1" "places 北京市")
for m in "1984-02-04 23:18" "1984-02-04 23:19" "2000-01-01 23:30" "2024-02-04 16:27"; do
  commands+=("pillars|$m" "pillars|$m|--set|zishi=1")
done
people=("name=甲;sex=M;date=1990-05-12 08:30;prov=北京市;city=0"
        "name=乙;sex=F;date=1992-11-03 21:10;prov=18;city=2"
        "name=丙;sex=F;date=2023-02-29 23:30;cal=lunar;leap=1"
        "name=丁;sex=M;date=1984-02-04 23:19;lon=87.6;lat=43.8"
        "name=戊;sex=F;date=-500-03-03 03:03"
        "name=己;sex=M;date=2023-02-30 10:00")
sets=("" "--set|idate=1" "--set|idate=2|--set|zishi=1" "--set|pai=1|--set|mgong=1" "--set|biange=0|--set|congGe=1|--set|bscore=1")
for a in "${people[@]}"; do
  for b in "${people[@]}"; do
    for s in "${sets[@]}"; do
      commands+=("match|--a|$a|--b|$b${s:+|$s}")
    done
    commands+=("match|--a|$a|--b|$b|--json" "wedding|--a|$a|--b|$b|--year|2025" "wedding|--a|$a|--b|$b|--year|2024|--set|idate=1")
  done
done
commands+=("cases|add|--a|${people[0]}|--b|${people[1]}|--category|临时保存|--note|甲乙"
           "cases|add|--a|${people[3]}|--b|${people[4]}|--category|abc|--note|note"
           "cases|list" "cases|search|--name|甲" "cases|search|--sex|female" "cases|show|0" "cases|show|1|--json"
           "cases|delete|0" "cases|list")

differ=0
for c in "${commands[@]}"; do
  if [[ $c == *"|"* ]]; then IFS='|' read -r -a argv <<<"$c"; else read -r -a argv <<<"$c"; fi
  "$old" --home "$work/old" "${argv[@]}" >"$work/o.out" 2>"$work/o.err"; orc=$?
  "$new" --home "$work/new" "${argv[@]}" >"$work/n.out" 2>"$work/n.err"; nrc=$?
  # The two folders differ by name only.
  sed -i "s#$work/old#HOME#g" "$work/o.out" "$work/o.err"
  sed -i "s#$work/new#HOME#g" "$work/n.out" "$work/n.err"
  if ! cmp -s "$work/o.out" "$work/n.out" || [ $orc != $nrc ]; then
    differ=$((differ + 1))
    echo "DIFFERS ($orc/$nrc): ${argv[*]}"
    diff <(head -c 2000 "$work/o.out") <(head -c 2000 "$work/n.out") | head -5
  elif ! cmp -s "$work/o.err" "$work/n.err"; then
    echo "stderr differs: ${argv[*]}"; diff "$work/o.err" "$work/n.err" | head -4
  fi
done
for f in "$work"/old/bazi_f/*.rtf; do
  [ -e "$f" ] || continue
  cmp -s "$f" "$work/new/bazi_f/$(basename "$f")" || { echo "report file differs: $(basename "$f")"; differ=$((differ + 1)); }
done
echo "${#commands[@]} commands compared, $differ differ"
[ $differ -eq 0 ]
