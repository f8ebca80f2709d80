#!/usr/bin/env bash
# tracklet-level as a program: every shipped level passes check --strict; the smallest shipped
# level is solved and its script replays to a win through tracklet-sim (the stored replays of all
# levels are replayed by levels_winnable.sh); frame prints a camera_data line; bad input gets exit
# status 1 and a message naming the file.
source "$(dirname "$0")/common.bash"
tool="$build/tools/level/tracklet-level"
sim="$build/tools/sim/tracklet-sim"

cd "$source_dir/data"
levels=()
for name in $(cat levels.txt); do levels+=("levels/$name"); done
[ "${#levels[@]}" -gt 0 ] || fail "no shipped levels in levels.txt"

"$tool" check --strict "${levels[@]}" > "$work/check.txt" || fail "check --strict: $(cat "$work/check.txt")"
[ ! -s "$work/check.txt" ] || fail "check printed messages: $(cat "$work/check.txt")"

for level in levels/01_first_shot.txt; do
    start=$(date +%s%N)
    # The node limit, not the clock, bounds the search here, so a slow (sanitizer) build on a busy
    # machine solves the same way.
    "$tool" solve --max-seconds 240 "$level" > "$work/script.txt" 2> "$work/err.txt" || fail "solve $level: $(cat "$work/err.txt")"
    end=$(date +%s%N)
    "$sim" "$level" < "$work/script.txt" > "$work/replay.txt" || fail "tracklet-sim rejected the script of $level"
    grep -q '"won":true' "$work/replay.txt" || fail "the script of $level does not win: $(tail -1 "$work/replay.txt")"
    score=$(sed -n 's/^# score \(-\?[0-9]*\)$/\1/p' "$work/script.txt")
    grep -q "\"score\":$score," "$work/replay.txt" || fail "the score of $level differs from the script's ($score)"
    echo "$level solved in $(( (end - start) / 1000000 )) ms, score $score"
done

"$tool" frame levels/01_first_shot.txt > "$work/frame.txt" || fail "frame: $(cat "$work/frame.txt")"
grep -Eqx 'camera_data( -?[0-9.e+-]+){12}' "$work/frame.txt" || fail "frame printed: $(cat "$work/frame.txt")"

# Bad input: relative names kept in the messages, status 1, no crash.
cd "$work"
mkdir -p levels
printf 'style s\nheight 3\nwidth east\n' > levels/bad.txt
head -c 3000 /dev/urandom > levels/noise.txt
set +e
"$tool" check levels/bad.txt levels/missing.txt levels levels/noise.txt > out.txt 2> err.txt
status=$?
set -e
[ "$status" = 1 ] || fail "check of bad files gave status $status"
grep -qx "levels/bad.txt:3:7: error: expected an integer (width), found 'east'" out.txt || fail "$(cat out.txt)"
grep -qx "levels/missing.txt: error: cannot be opened: no such file" out.txt || fail "$(cat out.txt)"
grep -qx "levels: error: is a folder, not a level file" out.txt || fail "$(cat out.txt)"
grep -q "^levels/noise.txt:[0-9]*:[0-9]*: error: " out.txt || fail "$(cat out.txt)"

# A model of the style that cannot be loaded: the loader's reason, at the object that names it.
mkdir -p plain/models
echo "0 plain" > styles.txt
printf 'lamp lamp.x\n' > plain/models.txt
printf 'xof 0303txt 0032\nMesh m { 3; 0;' > plain/models/lamp.x
printf 'style plain height 3 width 4 camera_data 0 0 0 0 1 0 0 0 1 1 0 0\nobjects 1\n1 1 lamp 1 0\nstart 0 1 e finish 3 1 e speed 2\n' > levels/lamp.txt
"$tool" check levels/lamp.txt > out.txt 2> err.txt || fail "check with a broken model: $(cat out.txt err.txt)"
grep -q '^levels/lamp.txt:3:5: warning: no model named "lamp" in plain/models.txt; the list stops at the model lamp (plain/models/lamp.x: .' out.txt || fail "$(cat out.txt)"

set +e
"$tool" solve levels/bad.txt > out.txt 2> err.txt
status=$?
set -e
[ "$status" = 2 ] || fail "solve of a bad file gave status $status"
grep -q "levels/bad.txt:3:7: error:" err.txt || fail "$(cat err.txt)"
echo "ok"
