#!/usr/bin/env bash
# H in play: the game searches for a win from the moment of play, holds the rules still meanwhile,
# and rings the target the winning run shoots first. Its first shot is the one tracklet-level hint
# names from the same moment (the recording up to H), and a win after the hint is kept as won and
# hinted, with no score, time or run.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
profile="$work/profile"
start_x 1024x768
start_game --profile "$profile" --record "$work/run.sim"

xdotool key space
wait_for 60 "level 1" level1_up
xdotool key h
wait_for 60 "the hint's answer" grep -q '^hint: click ' "$work/err"
said="$(grep '^hint: click ' "$work/err")"
# Level 1 has one target, the straight-track builder at (35, 25): the ring lies round it, its
# near side (toward the camera, 6.5 units south of the tile's centre) red on the grass.
[ "$said" != "${said#hint: click 35 25 after }" ] || fail "the hint names another shot: $said"
wait_for 20 "the red ring round the builder" looks 512 566 230 0 0
cp "$work/screen.png" "$build/game_hint.png"
# The rules hold still: the train has not moved a tile since, nor will it while the hint shows.
sleep 1
looks 512 566 230 0 0 || fail "the ring is gone before a shot"

# The shot the hint asks for wins the level; the ring goes with the shot.
xdotool mousemove 512 498 click 1
wait_for 60 "level complete" looks 512 600 21 68 44
quit_game

# The same moment, played by the recording up to the shot, gives the tool the same first shot.
sed '/^click /,$d' "$work/run.sim" > "$work/before.sim"
(cd "$data" && "$build/tools/level/tracklet-level" hint levels/01_first_shot.txt < "$work/before.sim") > "$work/rest.sim" ||
    fail "tracklet-level hint: $(cat "$work/rest.sim")"
frames=0
while read -r word a b; do
    case "$word" in
        frames) frames=$((frames + a)) ;;
        click) expected="hint: click $a $b after $frames frames"; break ;;
    esac
done < "$work/rest.sim"
[ "$said" = "${expected:-}" ] || fail "the game said '$said', tracklet-level hint '${expected:-nothing}'"

# Won after a hint: won and hinted, no score, time or run kept.
python3 - "$profile/progress.json" <<'PY' || fail "progress: $(cat "$profile/progress.json")"
import json, sys
levels = json.load(open(sys.argv[1]))["levels"]
record = [r for r in levels if r["file"] == "01_first_shot.txt"][0]
assert record["won"] and record["hinted"] and record["bestTime"] == 0 and record["replay"] == "", record
PY
echo "ok"
