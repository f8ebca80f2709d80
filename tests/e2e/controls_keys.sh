#!/usr/bin/env bash
# Keys of the player's choosing, end to end: on the controls page (settings, its last line) "Save
# the camera" is given K, and "Floor grid" is refused F (Fly down's key in the same play); after a
# restart K writes the camera file in play and C no longer does.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
profile="$work/profile"
start_x 1024x768
key() { xdotool key "$1"; sleep 0.2; }
control() { sed -n "s/^ *\"$1\": *\"\([^\"]*\)\",*$/\1/p" "$profile/settings.json" 2>/dev/null; }
given() { [ "$(control "$1")" = "$2" ]; }

start_game --profile "$profile"
key o
wait_for 60 "the settings screen" looks 900 180 58 110 165
for _ in 1 2 3 4 5; do key Down; done
key Return
# The rows of the page: pause, grid, pointer, music, skip, save camera, …
for _ in 1 2 3 4 5; do key Down; done
key Return
key k
wait_for 30 "K as the camera's key in settings.json" given saveCamera K
for _ in 1 2 3 4; do key Up; done
key Return
key f
sleep 1
shot
cp "$work/screen.png" "$build/controls_page.png"
grep -q '"grid"' "$profile/settings.json" && fail "grid was given F: $(cat "$profile/settings.json")"
quit_game

start_game --profile "$profile"
xdotool key space
wait_for 60 "level 1" level1_up
key c
sleep 1
[ -e "$data/camera.txt" ] && fail "C still saves the camera"
key k
wait_for 20 "the camera file written by K" test -s "$data/camera.txt"
quit_game
