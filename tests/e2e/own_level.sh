#!/usr/bin/env bash
# Levels from a code and from a seed in the real game. --code with the code of the shipped first
# level plays that level (won by a click, as the level itself is) and the win is kept under the
# file the code was written to in the profile's levels/ folder. --seed writes there the very level
# tracklet-level generate makes of the same seed and difficulty, and plays it.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
profile="$work/profile"
start_x 1024x768
tool="$build/tools/level/tracklet-level"
first="$(tr -s ' \t\r' '\n' < "$data/levels.txt" | sed '/^$/d' | head -n 1)"
code="$(cd "$data" && "$tool" code "levels/$first")" || fail "no code for $first"

start_game --profile "$profile" --code "$code"
win_level1
wait_for 60 "the saved progress" test -s "$profile/progress.json"
quit_game
played="$(ls "$profile/levels")"
[[ "$played" =~ ^code-[0-9a-f]{12}\.txt$ ]] || fail "the code's level was written as: $played"
grep -q "\"file\": \"$played\"" "$profile/progress.json" || fail "the win is not kept: $(cat "$profile/progress.json")"
(cd "$data" && "$tool" decode "$code") | cmp -s - "$profile/levels/$played" || fail "the level written is not the code's"

start_game --profile "$profile" --seed "end to end" --difficulty easy
xdotool key space
grass_up() { looks 1000 700 140 183 98; }
wait_for 60 "the generated level in play" grass_up
shot
cp "$work/screen.png" "$build/own_level_seed.png"
quit_game
(cd "$data" && "$tool" generate --seed "end to end" --difficulty easy) |
    cmp -s - "$profile/levels/seed-easy-end_to_end-"*.txt || fail "the game's level differs from the tool's for the same seed"
echo "ok"
