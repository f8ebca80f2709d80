#!/usr/bin/env bash
# tracklet-level generate as a program, in the shipped data folder: the same arguments give the same
# bytes; the level passes check --strict and its --solution wins in tracklet-sim; a hard level uses
# every kind of object; a grid too small gives status 1 and one line; bad arguments status 2.
# Then, in a build without sanitizers only (the figures do not depend on the build): over 20
# seeds, the median difficulty (solve --stats) of hard is above medium's, which is above easy's.
source "$(dirname "$0")/common.bash"
tool="$build/tools/level/tracklet-level"
sim="$build/tools/sim/tracklet-sim"
cd "$source_dir/data"

"$tool" generate --seed "a seed, any text" --difficulty medium -o "$work/one.txt" --solution "$work/one.sim" ||
    fail "generate medium"
"$tool" generate --seed "a seed, any text" --difficulty medium > "$work/two.txt" || fail "generate to standard output"
cmp -s "$work/one.txt" "$work/two.txt" || fail "the same arguments gave two levels"
"$tool" generate --seed "a seed, any text" --difficulty medium --grid 11x8 > "$work/three.txt" || fail "generate 11x8"
! cmp -s "$work/one.txt" "$work/three.txt" || fail "another grid gave the same level"
"$tool" check --strict "$work/one.txt" > "$work/check.txt" || fail "check --strict: $(cat "$work/check.txt")"
"$sim" --expect-win "$work/one.txt" < "$work/one.sim" > /dev/null || fail "the solution does not win"

"$tool" generate --seed hard --difficulty hard -o "$work/hard.txt" || fail "generate hard"
for kind in rails railscorner rturn lturn rrecht speed block station; do
    grep -q " $kind " "$work/hard.txt" || fail "the hard level has no $kind: $(cat "$work/hard.txt")"
done
grep -Eq " (50|100)pts " "$work/hard.txt" || fail "the hard level has no score target"

status=0
"$tool" generate --seed x --difficulty hard --grid 5x5 > "$work/out.txt" 2> "$work/err.txt" || status=$?
[ "$status" = 1 ] && [ "$(wc -l < "$work/err.txt")" = 1 ] && [ ! -s "$work/out.txt" ] ||
    fail "a grid too small: status $status, $(cat "$work/err.txt")"
for args in "--seed x --difficulty brutal" "--difficulty easy" "--seed x --difficulty easy --grid 3x30" \
    "--seed x --difficulty easy --grid wide"; do
    status=0
    # shellcheck disable=SC2086
    "$tool" generate $args > "$work/out.txt" 2> "$work/err.txt" || status=$?
    [ "$status" = 2 ] && [ -s "$work/err.txt" ] || fail "generate $args: status $status"
done

if [ -z "${ASAN_OPTIONS:-}" ]; then
    measure() {  # DIFFICULTY SEED: the difficulty solve --stats gives the generated level
        "$tool" generate --seed "seed $2" --difficulty "$1" -o "$work/g.$1.$2.txt" || { echo "FAIL: $1 seed $2" >&2; exit 1; }
        "$tool" solve --stats "$work/g.$1.$2.txt" | sed 's/.*"difficulty": \([0-9.]*\)}/\1/'
    }
    export -f measure
    export tool work
    for difficulty in easy medium hard; do
        seq 1 20 | xargs -P 2 -I{} bash -c "measure $difficulty {}" > "$work/figures.$difficulty" ||
            fail "generating $difficulty levels"
        [ "$(wc -l < "$work/figures.$difficulty")" = 20 ] || fail "$difficulty: $(cat "$work/figures.$difficulty")"
        sort -n "$work/figures.$difficulty" | awk 'NR == 10 { a = $1 } NR == 11 { print (a + $1) / 2 }' > "$work/median.$difficulty"
        echo "$difficulty: median difficulty $(cat "$work/median.$difficulty") over 20 seeds"
    done
    awk -v e="$(cat "$work/median.easy")" -v m="$(cat "$work/median.medium")" -v h="$(cat "$work/median.hard")" \
        'BEGIN { exit !(e < m && m < h) }' || fail "the medians do not rise with the difficulty"
fi
echo "ok"
