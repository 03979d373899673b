#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Under LANGUAGE=bg every sentence that mandati-cli writes for people is Bulgarian: its help,
# the tables, explanations and notes of every method (ties, keys, a threshold and a sweep
# included) and a refusal. What may stay in Latin letters: option names and their values'
# keywords, the formulas' letters and functions, the program's name and MATCH/MISMATCH.
#   check_bulgarian.sh MANDATI_CLI
set -u
cli="$1"
allowed='^(mandati|cli|floor|all|quotas|hare|droop|hagenbach|bischoff|imperiali|dhondt|sainte|lague|niemeyer|text|table|csv|json|svg|html|order|votes|quota|list|keys|exact|yes|FILE|NAME|LIST|RULE|OPTIONS|VOTES|MATCH|MISMATCH|UTF|TAB|YYYY|MM|DD|name|seats|date|title|source|note|method|threshold|base|exempt|first|divisor|ties|district|margins|alabama|bg|GERB|election|input|format|explain|check|help|the)$'
out="$(
  {
    LANGUAGE=bg "$cli" --help
    LANGUAGE=bg "$cli" --seats 7 --method all --explain 58125 44312 37101 12000
    LANGUAGE=bg "$cli" --seats 4 --method dhondt --explain 6 4 2
    LANGUAGE=bg "$cli" --seats 2 --quota hagenbach-bischoff --explain 499999999 499999998 499999999 4
    LANGUAGE=bg "$cli" --seats 20 --quota hare --explain 5 4 3
    LANGUAGE=bg "$cli" --seats 7 --threshold 10% --margins --method hare,dhondt --explain 58125 44312 37101 12000
    LANGUAGE=bg "$cli" --seats 1..8 --method hare 18 17 6
    LANGUAGE=bg "$cli" --election bg-2021-07-na46 --check
    LANGUAGE=bg "$cli" --seats 0 1 2
  } 2>&1
)"
# Words of three or more Latin letters outside option names (--...) and file names.
latin="$(printf '%s\n' "$out" | sed -e 's/https*:[^ ]*//g' -e 's/--[a-z-]*//g' -e 's/[A-Za-z0-9_.-]*\.[a-z]\{2,4\}\b//g' |
  grep -o -E '[A-Za-z]{3,}' | grep -v -E -i "$allowed" | sort | uniq -c | sort -rn)"
if [ -n "$latin" ]; then
  printf 'English left under LANGUAGE=bg:\n%s\n' "$latin"
  exit 1
fi
