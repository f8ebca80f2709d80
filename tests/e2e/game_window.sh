#!/usr/bin/env bash
# The real game in a real window: under a private Xvfb with openbox, the title screen shows,
# Space starts play, a click on a track builder lays a piece (its tile turns from floor grey to
# track blue in the screenshots), and Escape twice ends the process with status 0. The run is
# recorded with --record, and the recording replays through tracklet-sim to the piece laid.
# Arguments: the build folder and the source folder.
set -euo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
game="$build/tracklet"
[ -x "$game" ] || { echo "no game binary at $game" >&2; exit 1; }
for tool in Xvfb openbox xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "missing $tool (see tracklet.sh's package list)" >&2; exit 1; }
done

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Runs the check (the arguments after the first two) until it holds, for at most `seconds`
# seconds; fails naming `what` when it never does.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    while ((SECONDS < deadline)); do
        if "$@"; then return 0; fi
        sleep 0.2
    done
    echo "timed out waiting for $what" >&2
    [ -f "$work/game.log" ] && sed 's/^/game: /' "$work/game.log" >&2
    # The last screenshot stays in the build folder for a look at what the screen showed.
    [ -f "$work/screen.png" ] && cp "$work/screen.png" "$build/game_window_failure.png" && echo "last screen: $build/game_window_failure.png" >&2
    exit 1
}

# The screen is 1024 x 768; the level's camera hangs 50 units above the middle of its 5 x 5 tiles,
# so one world unit is 384 / (50 tan 30°) = 13.3 pixels and tile (x, y) has its centre at
# (512 + 13.3 (10x - 20), 384 + 13.3 (10y - 20)).
width=1024 height=768
Xvfb -displayfd 3 -screen 0 ${width}x${height}x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 "the X server" test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"

openbox --startup "touch $work/openbox-ready" >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 "the window manager" test -e "$work/openbox-ready"

mkdir -p "$work/data"
cp -r "$source/tests/e2e/data/." "$work/data/"
# Two files that cannot load, last in their lists so that play is unchanged: --verbose names each.
echo "missing.png" >> "$work/data/plain/textures.txt"
echo "toot missing.wav" >> "$work/data/plain/sounds.txt"
(cd "$work/data" && SDL_AUDIODRIVER=dummy exec "$game" --verbose --record "$work/run.sim") >"$work/game.log" 2>&1 &
game_pid=$!
pids+=($game_pid)

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
looks 100 384 255 255 255 || { echo "no white background beside the level" >&2; exit 1; }
# Tile (1, 2), just ahead of the train: floor before the shot.
tile_x=379 tile_y=384
looks $tile_x $tile_y 120 120 120 || { echo "tile (1, 2) is not bare floor before the shot: $(pixel $tile_x $tile_y)" >&2; exit 1; }
cp "$work/screen.png" "$work/before.png"

# Shoot the right-turn builder on tile (0, 4), two tiles south of the train, aiming at the floor
# just beyond its far side so the shot crosses the whole builder even at a low frame rate (a
# shot moves in steps of 30 units per second times the frame time). A curve is laid on tile (1, 2).
xdotool mousemove 246 703
xdotool click 1
wait_for 40 "the laid track piece on tile (1, 2)" looks $tile_x $tile_y 25 25 230
# The builder itself is gone from its tile.
looks 246 650 120 120 120 || { echo "the track builder is still standing: $(pixel 246 650)" >&2; exit 1; }

# Escape once: back to the title; Escape again on the title: the game ends.
xdotool key Escape
wait_for 40 "the title screen after Escape" looks 512 384 255 0 255
xdotool key Escape
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
wait_for 40 "the game to end" ended
status=0
wait "$game_pid" || status=$?
[ "$status" -eq 0 ] || { echo "the game ended with status $status" >&2; cat "$work/game.log" >&2; exit 1; }
for file in plain/textures/missing.png plain/sounds/missing.wav; do
    [ "$(grep -c "$file: ." "$work/game.log")" = 1 ] || { echo "--verbose on $file: $(cat "$work/game.log")" >&2; exit 1; }
done

# One level was started from the title screen: one part in the recording, whose replay lays the
# curve the screen showed on tile (1, 2) and stays in play, as the game did until Escape.
[ "$(grep -c '^# level ' "$work/run.sim")" = 1 ] || { echo "recording: $(head -c 2000 "$work/run.sim")" >&2; exit 1; }
grep -qx '# level levels/first.txt' "$work/run.sim" || { echo "recording names no level: $(head -n 3 "$work/run.sim")" >&2; exit 1; }
report="$(cd "$work/data" && "$build/tools/sim/tracklet-sim" levels/first.txt < "$work/run.sim" | tail -n 1)"
case "$report" in
    *'"lost":false,"won":false'*'["railscorner",1,2,'*) ;;
    *) echo "the recording does not replay to the game's play: $report" >&2; exit 1 ;;
esac
echo "ok"
