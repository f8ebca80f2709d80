#!/usr/bin/env bash
# New levels from the level list in the real game: the day's level (medium, seeded by today's UTC
# date) and a level from a typed seed are the very levels tracklet-level generate makes of the same
# seed and difficulty, written into the profile's levels/ folder and played with the seed in the
# bottom-left corner; Ctrl+C on level 1 and Ctrl+V play level 1's code from the profile.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
profile="$work/profile"
tool="$build/tools/level/tracklet-level"
start_x 1024x768
day="$(date -u +%F)"

# Presses the key `count` times, each in a frame of its own (the list acts once per key a frame).
keys() { for _ in $(seq "$2"); do xdotool key "$1"; sleep 0.15; done; }
# Something dark (the corner's black text) at the bottom left of play, over the grass.
corner_text() {
    shot || return 1
    [ "$(convert "$work/screen.png" -crop 200x24+8+740 -format "%[fx:minima.intensity < 0.2]" info:)" = 1 ]
}
grass_up() { looks 1000 700 140 183 98; }
# Waits for the file (a glob) to exist in the profile's levels/ and prints its path.
made() {
    wait_for 120 "the level $1" compgen -G "$profile/levels/$1" >/dev/null
    compgen -G "$profile/levels/$1" | head -n 1
}

start_game --profile "$profile"
xdotool key l
sleep 3  # the list draws its pictures
keys Down 40
xdotool key space
level="$(made "seed-medium-$day-*.txt")"
wait_for 120 "the day's level in play" grass_up
wait_for 10 "its seed in the corner" corner_text
cp "$work/screen.png" "$build/list_new_levels_day.png"
(cd "$data" && "$tool" generate --seed "$day" --difficulty medium) | cmp -s - "$level" ||
    fail "the day's level differs from the tool's for the seed $day"

xdotool key Escape
wait_for 30 "the title" title_up
xdotool key l
sleep 3  # the list draws its pictures
keys Down 40
keys Up 1
keys Return 1
xdotool type --delay 150 "end to end"
keys Left 1
keys Return 1
level="$(made "seed-easy-end_to_end-*.txt")"
wait_for 120 "the typed seed's level in play" grass_up
(cd "$data" && "$tool" generate --seed "end to end" --difficulty easy) | cmp -s - "$level" ||
    fail "the typed seed's level differs from the tool's"

xdotool key Escape
wait_for 30 "the title" title_up
xdotool key l
sleep 3  # the list draws its pictures
keys Up 60
keys ctrl+c 1
keys ctrl+v 1
level="$(made "code-*.txt")"
wait_for 60 "level 1 from its code" level1_up
first="$(tr -s ' \t\r' '\n' < "$data/levels.txt" | sed '/^$/d' | head -n 1)"
(cd "$data" && "$tool" decode "$("$tool" code "levels/$first")") | cmp -s - "$level" ||
    fail "the pasted code's level is not level 1"
corner_text || fail "no code in the corner over play"
quit_game
echo "ok"
