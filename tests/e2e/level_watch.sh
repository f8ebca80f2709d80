#!/usr/bin/env bash
# tracklet --level FILE --watch: the one level is played after the title; a change to its file
# that does not load leaves play going and shows the checker's first error at the top of the
# screen (and on stderr); a change that loads starts play again from the file.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
game="$build/tracklet"
[ -x "$game" ] || fail "no game binary at $game"
need xdotool import
log="$work/game.log"
start_x 1024x768
mkdir -p "$work/data"
cp -r "$source_dir/data/." "$work/data/"
cd "$work/data"
level=levels/04_mind_the_speed.txt
background env SDL_AUDIODRIVER=dummy "$game" --window 800x600 --level "$level" --watch >"$log" 2>&1
game_pid=${pids[-1]}
window_up() { xdotool search --name '^Tracklet$' >/dev/null 2>&1; }
wait_for 60 "the game window" window_up
wid=$(xdotool search --name '^Tracklet$' | head -n 1)
said() { grep -qF -- "$1" "$log"; }
sleep 2
xdotool key --window "$wid" space
sleep 2

cp "$level" "$work/good.txt"
sed -i 's/^width .*/width seven/' "$level"
wait_for 20 "the checker's error" said "$level:3:7: error: expected an integer (width), found 'seven'"
sleep 1
import -window root "$work/screen.png"
cp "$work/screen.png" "$build/level_watch_error.png"
ended "$game_pid" && fail "the game ended on a file that does not load"

sed 's/^speed .*/speed 3/' "$work/good.txt" > "$level"
wait_for 20 "the reload" said "$level changed: play starts again from it"
ended "$game_pid" && fail "the game ended after the reload"
echo "watch: an error shown, then the level played again from its file"
