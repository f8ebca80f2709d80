#!/usr/bin/env bash
# Every shipped level can be won: each level in data/levels.txt has a script in tests/levels/ of
# the same name, and replaying it through tracklet-sim in data/ ends with "won":true.
set -euo pipefail
build="$1"
source="$2"
sim="$build/tools/sim/tracklet-sim"
cd "$source/data"

failures=0
count=0
while read -r level; do
  [ -n "$level" ] || continue
  count=$((count + 1))
  script="$source/tests/levels/$level"
  if [ ! -f "$script" ]; then
    echo "FAIL: no winning script tests/levels/$level" >&2
    failures=$((failures + 1))
    continue
  fi
  report="$("$sim" "levels/$level" < "$script" | tail -n 1)"
  case "$report" in
    *'"won":true'*) echo "won: $level" ;;
    *) echo "FAIL: $level is not won by its script: $report" >&2; failures=$((failures + 1)) ;;
  esac
done < levels.txt

[ "$count" -eq 10 ] || { echo "FAIL: levels.txt lists $count levels, not 10" >&2; exit 1; }
[ "$failures" -eq 0 ]
