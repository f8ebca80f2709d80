#!/usr/bin/env bash
# The real game in a real window: under a private Xvfb with openbox, the title screen shows,
# Space starts play, a click on a track builder lays a piece (its tile turns from floor grey to
# track blue in the screenshots), and Escape twice ends the process with status 0. The run is
# recorded with --record, and the recording replays through tracklet-sim to the piece laid.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
game="$build/tracklet"
[ -x "$game" ] || fail "no game binary at $game"
need xdotool import convert
log="$work/game.log"

# The screen is 1024 x 768; the level's camera hangs 50 units above the middle of its 5 x 5 tiles,
# so one world unit is 384 / (50 tan 30°) = 13.3 pixels and tile (x, y) has its centre at
# (512 + 13.3 (10x - 20), 384 + 13.3 (10y - 20)).
start_x 1024x768

mkdir -p "$work/data"
cp -r "$source_dir/tests/e2e/data/." "$work/data/"
# Two files that cannot load, last in their lists so that play is unchanged: --verbose names each.
echo "missing.png" >> "$work/data/plain/textures.txt"
echo "toot missing.wav" >> "$work/data/plain/sounds.txt"
background env -C "$work/data" SDL_AUDIODRIVER=dummy "$game" --verbose --record "$work/run.sim" >"$log" 2>&1
game_pid=${pids[-1]}

window_up() { xdotool search --name '^Tracklet$' >/dev/null 2>&1; }
wait_for 60 "the game window" window_up

shot() { import -window root "$work/screen.png" 2>/dev/null; }
# "r g b" of pixel (x, y) of the last screenshot, 0..255 each.
pixel() {
    convert "$work/screen.png" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:
}
# True when the last screenshot's pixel (x, y) is near the colour r g b.
looks() {
    local x=$1 y=$2 r=$3 g=$4 b=$5 got
    shot || return 1
    read -r pr pg pb <<<"$(pixel "$x" "$y")"
    (( (pr - r) * (pr - r) < 3600 && (pg - g) * (pg - g) < 3600 && (pb - b) * (pb - b) < 3600 ))
}

# Title menu: the magenta title board fills the middle of the screen.
wait_for 60 "the title screen" looks 512 384 255 0 255

xdotool key space
# Play: the middle of the level is the lit grey floor on a white background.
wait_for 40 "the level" looks 512 384 120 120 120
looks 100 384 255 255 255 || fail "no white background beside the level"
# Tile (1, 2), just ahead of the train: floor before the shot.
tile_x=379 tile_y=384
looks $tile_x $tile_y 120 120 120 || fail "tile (1, 2) is not bare floor before the shot: $(pixel $tile_x $tile_y)"
cp "$work/screen.png" "$work/before.png"

# Shoot the right-turn builder on tile (0, 4), two tiles south of the train, aiming at the floor
# just beyond its far side so the shot crosses the whole builder even at a low frame rate (a
# shot moves in steps of 30 units per second times the frame time). A curve is laid on tile (1, 2).
xdotool mousemove 246 703
xdotool click 1
wait_for 40 "the laid track piece on tile (1, 2)" looks $tile_x $tile_y 25 25 230
# The builder itself is gone from its tile.
looks 246 650 120 120 120 || fail "the track builder is still standing: $(pixel 246 650)"

# C writes the camera file into the data folder, which the player may write.
xdotool key c
wait_for 20 "the camera file in the data folder" test -s "$work/data/camera.txt"

# Escape once: back to the title; Escape again on the title: the game ends.
xdotool key Escape
wait_for 40 "the title screen after Escape" looks 512 384 255 0 255
xdotool key Escape
wait_for 40 "the game to end" ended "$game_pid"
expect_status_0 "$game_pid"
for file in plain/textures/missing.png plain/sounds/missing.wav; do
    [ "$(grep -c "$file: ." "$log")" = 1 ] || fail "--verbose on $file: $(cat "$log")"
done

# One level was started from the title screen: one part in the recording, whose replay lays the
# curve the screen showed on tile (1, 2) and stays in play, as the game did until Escape.
[ "$(grep -c '^# level ' "$work/run.sim")" = 1 ] || fail "recording: $(head -c 2000 "$work/run.sim")"
grep -qx '# level levels/first.txt' "$work/run.sim" || fail "recording names no level: $(head -n 3 "$work/run.sim")"
report="$(cd "$work/data" && "$build/tools/sim/tracklet-sim" levels/first.txt < "$work/run.sim" | tail -n 1)"
case "$report" in
    *'"lost":false,"won":false'*'["railscorner",1,2,'*) ;;
    *) fail "the recording does not replay to the game's play: $report" ;;
esac
echo "ok"
