#!/usr/bin/env bash
# The keys of a paused game, end to end: in play the camera keys do nothing; Pause stops play and
# each of W S A D R F, the arrows, N and M then moves or turns the camera its own way, as the
# camera file written by C after each key shows; Pause again resumes play and the keys rest.
# The player cannot write the data folder (run as root, the test plays as nobody: root writes
# anywhere), so every camera file goes to $XDG_DATA_HOME/tracklet/, made for it.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
game="$build/tracklet"
[ -x "$game" ] || fail "no game binary at $game"
need xdotool import
log="$work/game.log"

start_x 800x600
mkdir -p "$work/data" "$work/home"
cp -r "$source_dir/tests/e2e/data/." "$work/data/"
# The game copied where any user may run it (the build folder may lie in root's home).
cp "$game" "$work/tracklet"
as_player=()
if [ "$(id -u)" = 0 ]; then
    need setpriv
    chmod 755 "$work"
    chown nobody "$work/home"
    as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod a-w "$work/data"
fi
camera="$work/home/data/tracklet/camera.txt"
background "${as_player[@]}" env -C "$work/data" HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
    SDL_AUDIODRIVER=dummy "$work/tracklet" --window 640x480 >"$log" 2>&1
game_pid=${pids[-1]}
window_up() { xdotool search --name '^Tracklet$' >/dev/null 2>&1; }
wait_for 60 "the game window" window_up

# C writes the camera file (position, up, look, right, one vector a line); kept as $work/$1.
four_lines() { [ -f "$camera" ] && [ "$(wc -l <"$camera")" = 4 ]; }
save() {
    rm -f "$camera"
    xdotool key c
    wait_for 20 "the camera file" four_lines
    cp "$camera" "$work/$1"
}
# The change of vector $1 from before to after, along vector $2 of before (P, U, L or R).
along() {
    awk -v a="$1" -v b="$2" 'BEGIN { i["P"] = 0; i["U"] = 3; i["L"] = 6; i["R"] = 9 }
        NR == FNR { for (k = 1; k <= 3; k++) old[FNR * 3 - 3 + k] = $k; next }
        { for (k = 1; k <= 3; k++) new[FNR * 3 - 3 + k] = $k }
        END { s = 0; for (k = 1; k <= 3; k++) s += (new[i[a] + k] - old[i[a] + k]) * old[i[b] + k]; printf "%.9f\n", s }' \
        "$work/before" "$work/after"
}
# True when no number of the view changed by more than rounding: each frame's view matrix
# re-squares the camera's axes, moving its numbers by a few millionths, while a key held for even
# one frame moves or turns the camera by a thousandth or more.
unmoved() {
    awk 'NR == FNR { for (k = 1; k <= 3; k++) old[FNR * 3 + k] = $k; next }
        { for (k = 1; k <= 3; k++) if ((d = $k - old[FNR * 3 + k]) > 1e-4 || d < -1e-4) bad = 1 }
        END { exit bad }' "$work/before" "$work/after"
}
hold() {
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
}

# Space until play has begun (C writes the file only in play). The level's train runs one tile
# every 1000 seconds: play goes on for the whole test.
playing() {
    xdotool key space
    sleep 0.5
    xdotool key c
    sleep 0.5
    four_lines
}
wait_for 60 "play to begin" playing
# Not paused, the camera keys leave the view alone.
save before
for key in w Up n; do hold "$key"; done
save after
unmoved || fail "camera keys moved the camera in play: $(diff "$work/before" "$work/after")"

xdotool key Pause
# key, the vector that changes, the vector of the old view it changes along, the sign: walking
# goes along look, strafing along right, flying along up; pitching up turns look away from up
# (the view is left-handed), yawing right turns look towards right, N rolls right towards up.
while read -r key changed towards sign; do
    save before
    hold "$key"
    save after
    change=$(along "$changed" "$towards")
    echo "$key: $changed moved $change along the old $towards"
    awk -v c="$change" -v s="${sign}1" 'BEGIN { exit !(c * s > 1e-4) }' ||
        fail "$key moved $changed by $change along the old $towards, expected a change of sign $sign"
done <<'KEYS'
w P L +
s P L -
a P R -
d P R +
r P U +
f P U -
Up L U -
Down L U +
Left L R -
Right L R +
n R U +
m R U -
KEYS

# Pause again: play resumes and the keys rest.
xdotool key Pause
save before
for key in w Up n; do hold "$key"; done
save after
unmoved || fail "camera keys moved the camera after Pause resumed play: $(diff "$work/before" "$work/after")"

# Escape to the title screen, Escape again to quit.
escape() {
    xdotool key Escape
    sleep 0.5
    ended "$game_pid"
}
wait_for 40 "the game to end" escape
expect_status_0 "$game_pid"
[ ! -e "$work/data/camera.txt" ] || fail "the camera file was written in the data folder the player cannot write"
echo "ok"
