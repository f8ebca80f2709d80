# Sourced by the end-to-end scripts of the player's profile, after common.bash: the shipped data in
# $work/data, the game started on it, screenshots and the win of level 1 by a click.
need xdotool import convert python3
game="$build/tracklet"
[ -x "$game" ] || fail "no game binary at $game"
cp -r "$source_dir/data" "$work/data"
data="$work/data"

shot() { import -window root "$work/screen.png" 2>/dev/null; }
# "r g b" of pixel (x, y) of the last screenshot, 0..255 each.
pixel() {
    convert "$work/screen.png" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:
}
# True when a new screenshot's pixel (x, y) is near the colour r g b.
looks() {
    local x=$1 y=$2 r=$3 g=$4 b=$5 pr pg pb
    shot || return 1
    read -r pr pg pb <<<"$(pixel "$x" "$y")"
    (( (pr - r) * (pr - r) < 3600 && (pg - g) * (pg - g) < 3600 && (pb - b) * (pb - b) < 3600 ))
}
window_up() { xdotool search --name '^Tracklet$' >/dev/null 2>&1; }
# The title screen's dark blue board at the middle of a 1024 x 768 screen.
title_up() { looks 512 384 21 41 68; }
# Level 1 in play: the green disc of its track builder near (512, 498), where the level's camera
# shows world point (35, 25), in the grass beside the gap.
level1_up() { looks 490 498 94 255 113; }

# Starts the game in the data folder with the given arguments (stdout and stderr to $work/out and
# $work/err); its process id is in $game_pid.
start_game() {
    background env -C "$data" SDL_AUDIODRIVER="${audio_driver:-dummy}" "$game" "$@" >"$work/out" 2>"$work/err"
    game_pid=${pids[-1]}
    log="$work/err"
    wait_for 60 "the game window" window_up
    wait_for 60 "the title screen" title_up
}

# Escape until the game has ended, then wants status 0.
quit_game() {
    for _ in $(seq 40); do
        ended "$game_pid" && break
        xdotool key Escape
        sleep 0.5
    done
    expect_status_0 "$game_pid"
}

# From the title: plays level 1 and wins it by shooting the straight-track builder (its winning
# script shoots (35, 25) too): a click as soon as the builder shows, another while it still stands
# (each check takes long enough that two shots never reach it in one frame). A shot too late for
# the train (a loaded machine draws few frames) ends in game over: Space tries again, as a player
# would. Returns on the level-complete screen.
win_level1() {
    local seen="" attempt
    xdotool mousemove 512 498
    for attempt in 1 2 3 4; do
        xdotool key space
        seen=""
        for _ in $(seq 150); do
            if level1_up; then
                seen=1
                xdotool click 1
            elif [ -n "$seen" ]; then
                break
            fi
            sleep 0.3
        done
        [ -n "$seen" ] || fail "level 1's track builder never showed"
        over_or_complete() { looks 512 600 21 68 44 || looks 512 600 71 25 21; }
        wait_for 60 "the end of level 1" over_or_complete
        if looks 512 600 21 68 44; then return 0; fi
        echo "attempt $attempt at level 1 was lost, trying again"
    done
    fail "level 1 was never won"
}
