#!/usr/bin/env bash
# What the game remembers, played as a player would with a fresh --profile folder: level 1 won by a
# click, the game ended and started again, the level list (L) shows level 1 won with its score and
# time, level 3 chosen and played; then the best run of level 1 watched (W) to its end, whose final
# state is the one tracklet-sim reaches on the saved run.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
profile="$work/profile"
start_x 1024x768

start_game --profile "$profile"
win_level1
wait_for 60 "the saved progress" test -s "$profile/progress.json"
quit_game
[ ! -s "$work/err" ] || fail "stderr: $(cat "$work/err")"
python3 - "$profile" <<'PY' || fail "progress.json: $(cat "$profile/progress.json")"
import json, os, sys
profile = sys.argv[1]
doc = json.load(open(os.path.join(profile, "progress.json")))
assert doc["version"] == 1, doc
(level,) = doc["levels"]
assert level["file"] == "01_first_shot.txt" and level["won"] is True, level
assert level["bestScore"] == 0 and 2.0 < level["bestTime"] < 60.0, level
run = open(os.path.join(profile, "replays", level["replay"])).read()
assert run.startswith("# level levels/01_first_shot.txt\n# content "), run[:100]
assert "\nclick " in run and run.endswith("print\n"), run[-100:]
PY

# Started again: the list remembers. Rows are 120 pixels high from y = 128, the chosen one light
# blue; the second line of text of a won level is green, of any other level grey.
start_game --profile "$profile" --record "$work/second.sim"
xdotool key l
# With sets, the first set's heading takes the top row and the levels follow it.
heading=0
[ ! -f "$data/sets.txt" ] || heading=1
chosen_row() { looks 900 $((188 + 120 * ($1 + heading))) 58 110 165; }
list_up() { chosen_row 0; }
wait_for 60 "the level list with level 1 chosen" list_up
green_in() {  # green text pixels in the rectangle WxH+X+Y of the last screenshot
    convert "$work/screen.png" -crop "$1" +repage -fx '(g - r > 0.2 && g - b > 0.2) ? 1 : 0' -format '%[fx:int(mean*w*h)]' info:
}
row1=$((188 + 120 * heading))
row2=$((row1 + 120))
[ "$(green_in 500x30+200+$row1)" -gt 100 ] || fail "level 1 is not shown won: $(green_in 500x30+200+$row1) green pixels"
[ "$(green_in 500x30+200+$row2)" -eq 0 ] || fail "level 2 is shown won"
cp "$work/screen.png" "$build/profile_level_list.png"

# Down twice: level 3, played with Space.
xdotool key Down
sleep 0.5
xdotool key Down
wait_for 30 "level 3 chosen" chosen_row 2
xdotool key space
# Play: the grass of the level fills the corner where the list was white.
wait_for 60 "level 3 in play" looks 1000 700 140 183 98
# Escape: the title; L again: the list starts on level 3, the level now current.
xdotool key Escape
wait_for 60 "the title screen" title_up
xdotool key l
wait_for 60 "the list on level 3" chosen_row 2
# Up twice to level 1, W watches its best run to the end.
xdotool key Up
sleep 0.5
xdotool key Up
wait_for 30 "level 1 chosen" chosen_row 0
xdotool key w
wait_for 120 "the end of the watched run" test -s "$work/out"
shot
cp "$work/screen.png" "$build/profile_watched_run.png"
xdotool key Escape
wait_for 60 "the level list after watching" chosen_row 0
quit_game
grep -q '^# level levels/03_coins.txt$' "$work/second.sim" || fail "level 3 was not played: $(head -c 300 "$work/second.sim")"
! grep -q '^# level levels/01_first_shot.txt$' "$work/second.sim" || fail "watching a run was recorded as play"

replay="$profile/replays/$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["levels"][0]["replay"])' "$profile/progress.json")"
# The simulator also reports the seconds of play; watching reports the state alone.
expected="$(cd "$data" && "$build/tools/sim/tracklet-sim" levels/01_first_shot.txt <"$replay" | sed 's/,"time":[0-9.e+-]*}$/}/')"
[ "$(cat "$work/out")" = "$expected" ] || fail "watched: $(cat "$work/out"); tracklet-sim: $expected"
case "$expected" in *'"won":true'*) ;; *) fail "the best run does not win: $expected" ;; esac
echo "ok"
