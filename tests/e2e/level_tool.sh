#!/usr/bin/env bash
# tracklet-level as a program: every shipped level passes check --strict; the smallest shipped
# level is solved and its script replays to a win through tracklet-sim (the stored replays of all
# levels are replayed by levels_winnable.sh) and measured by solve --stats; frame prints a
# camera_data line; bad input (levels and a sets file) gets exit status 1 and a message naming the
# file.
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

# --stats: exactly one line of JSON, the same figures on every run (bounded by nodes, not time);
# status 1 and nulls when the node bound stops the search before a win.
"$tool" solve --stats levels/01_first_shot.txt > "$work/stats.txt" 2> "$work/err.txt" || fail "solve --stats: $(cat "$work/err.txt")"
[ "$(wc -l < "$work/stats.txt")" = 1 ] || fail "solve --stats printed more than one line: $(cat "$work/stats.txt")"
grep -Eqx '\{"shots": 1, "traps": 0, "pressure": 0\.[0-9]{2}, "nodes": [0-9]+, "seconds": [0-9]+\.[0-9]{2}, "score": 0, "difficulty": [0-9]+\.[0-9]{2}\}' \
    "$work/stats.txt" || fail "solve --stats printed: $(cat "$work/stats.txt")"
"$tool" solve --stats levels/01_first_shot.txt | cmp -s - "$work/stats.txt" || fail "solve --stats differs between two runs"
status=0
"$tool" solve --stats --max-nodes 1 levels/10_grand_tour.txt > "$work/stats.txt" || status=$?
[ "$status" = 1 ] && grep -q '"shots": null' "$work/stats.txt" && grep -q '"difficulty": null' "$work/stats.txt" ||
    fail "solve --stats with no win: status $status, $(cat "$work/stats.txt")"

# code and decode: the grand tour's code is one short line; decoded with -o it is a level file that
# draws as the original does; a refused code gets status 1 and one line on stderr.
code="$("$tool" code levels/10_grand_tour.txt)" || fail "code: $code"
[ "$(printf '%s\n' "$code" | wc -l)" = 1 ] && [ "${#code}" -lt 400 ] && [[ "$code" =~ ^T1\.[A-Za-z0-9_-]+$ ]] ||
    fail "code printed: $code"
"$tool" decode "$code" -o "$work/decoded.txt" || fail "decode of the grand tour's code"
"$tool" render levels/10_grand_tour.txt --size 160x120 -o "$work/a.png" && "$tool" render "$work/decoded.txt" --size 160x120 -o "$work/b.png" ||
    fail "render of the decoded level"
cmp -s "$work/a.png" "$work/b.png" || fail "the decoded grand tour draws differently"
status=0
"$tool" decode "T1.not*a*code" > "$work/out.txt" 2> "$work/err.txt" || status=$?
[ "$status" = 1 ] && [ "$(wc -l < "$work/err.txt")" = 1 ] && [ ! -s "$work/out.txt" ] ||
    fail "decode of a bad code: status $status, $(cat "$work/err.txt")"

# hint: from part way through the grand tour's stored run (shots in flight too, at times), the rest
# it prints wins when played after that part; from a lost game it prints "none" with status 1.
for lines in 6 9 14; do
    grep -v '^print' levels/10_grand_tour.sim | head -n "$lines" > "$work/part.sim"
    "$tool" hint levels/10_grand_tour.txt < "$work/part.sim" > "$work/rest.sim" || fail "hint after $lines lines: $(cat "$work/rest.sim")"
    grep -q '^click ' "$work/rest.sim" || fail "hint after $lines lines names no shot: $(cat "$work/rest.sim")"
    cat "$work/part.sim" "$work/rest.sim" | "$sim" --expect-win levels/10_grand_tour.txt > /dev/null ||
        fail "the hint after $lines lines does not win"
done
status=0
echo "frames 4000 0.03125" | "$tool" hint levels/10_grand_tour.txt > "$work/rest.sim" || status=$?
[ "$status" = 1 ] && [ "$(cat "$work/rest.sim")" = none ] || fail "hint on a lost game: status $status, $(cat "$work/rest.sim")"

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
# A sets file: its first error, on its line, checked against the levels.txt beside it.
printf 'a.txt\nb.txt\n' > levels.txt
printf '# sets\nset One\nlevel b.txt score 10 time 5\nlevel a.txt score 10 time 5\n' > sets.txt
status=0
"$tool" check sets.txt > out.txt 2> err.txt || status=$?
[ "$status" = 1 ] && [ "$(cat out.txt)" = "sets.txt:4: error: a.txt comes before b.txt in levels.txt: the sets keep levels.txt's order" ] ||
    fail "check of a bad sets.txt: status $status, $(cat out.txt err.txt)"
printf 'set One\nlevel a.txt score 10 time 5\n' > sets.txt
"$tool" check sets.txt > out.txt || fail "check of a good sets.txt: $(cat out.txt)"
[ ! -s out.txt ] || fail "check of a good sets.txt printed: $(cat out.txt)"
status=0
"$tool" solve levels/bad.txt > out.txt 2> err.txt || status=$?
[ "$status" = 2 ] && grep -q "^levels/bad.txt:3:7: error:" err.txt || fail "solve of a bad file: status $status, $(cat err.txt)"
echo "ok"
