#!/usr/bin/env bash
# Every shipped level is won by its stored replay: each level NAME.txt listed in data/levels.txt
# has the tracklet-sim script NAME.sim beside it, and replaying it through tracklet-sim in data/
# wins. A replay that stops winning (after a change to the level, the rules or the models) fails
# with the level's name and the frame at which play went astray.
source "$(dirname "$0")/common.bash"
sim="$build/tools/sim/tracklet-sim"
cd "$source_dir/data"

failures=0
count=0
while read -r level; do
  [ -n "$level" ] || continue
  count=$((count + 1))
  replay="levels/${level%.txt}.sim"
  if [ ! -f "$replay" ]; then
    echo "FAIL: $level has no stored replay $replay" >&2
    failures=$((failures + 1))
    continue
  fi
  if "$sim" --expect-win "levels/$level" < "$replay" > /dev/null; then
    echo "won: $level"
  else
    echo "FAIL: $level is not won by $replay (message above)" >&2
    failures=$((failures + 1))
  fi
done < levels.txt

[ "$count" -gt 0 ] || { echo "FAIL: levels.txt lists no level" >&2; exit 1; }
[ "$failures" -eq 0 ]
