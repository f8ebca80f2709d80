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

# Bad input: status 1 (2 for solve), each file named as given, no crash (what each message says
# is level_check_test's).
cd "$work"
mkdir -p levels
printf 'style s\nheight 3\nwidth east\n' > levels/bad.txt
head -c 3000 /dev/urandom > levels/noise.txt
status=0
"$tool" check levels/bad.txt levels/missing.txt levels levels/noise.txt > out.txt 2> err.txt || status=$?
[ "$status" = 1 ] || fail "check of bad files gave status $status"
for line in "levels/bad.txt:3:7: error: " "levels/missing.txt: error: cannot be opened: no such file" \
    "levels: error: is a folder, not a level file" "levels/noise.txt:[0-9]*:[0-9]*: error: "; do
    grep -q "^$line" out.txt || fail "no line starting '$line' in: $(cat out.txt)"
done
status=0
"$tool" solve levels/bad.txt > out.txt 2> err.txt || status=$?
[ "$status" = 2 ] && grep -q "^levels/bad.txt:3:7: error:" err.txt || fail "solve of a bad file: status $status, $(cat err.txt)"
echo "ok"
