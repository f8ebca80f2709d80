#!/usr/bin/env bash
# Nothing is lost and play goes on: a corrupt progress file and a truncated settings file are kept
# aside as NAME.bad with one line on stderr; a profile folder that cannot be written (another
# user's, read-only) and a full disk (a small tmpfs, when mounting is allowed) are said once while
# level 1 is still won and the file saved before stays as it was; a game killed with SIGKILL while
# it saves its settings again and again always leaves a whole file.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
start_x 1024x768
saved='{"version":1,"levels":[{"file":"02_right_then_left.txt","content":"0","won":true,"bestScore":7,"bestTime":9.5,"replay":"r.sim"}]}'

# A corrupt progress file and a truncated settings file.
profile="$work/bad"
mkdir -p "$profile"
printf '{"version":1,"levels":[{"file":"01_fir' >"$profile/progress.json"
printf '{\n  "version": 1,\n  "musicVol' >"$profile/settings.json"
start_game --profile "$profile"
win_level1
wait_for 60 "the new progress" test -s "$profile/progress.json"
quit_game
[ "$(cat "$profile/progress.json.bad")" = '{"version":1,"levels":[{"file":"01_fir' ] || fail "the corrupt progress file was not kept"
[ "$(cat "$profile/settings.json.bad")" = "$(printf '{\n  "version": 1,\n  "musicVol')" ] || fail "the truncated settings file was not kept"
[ "$(grep -c 'progress.json: not JSON; starting afresh, the file is kept as .*progress.json.bad$' "$work/err")" = 1 ] &&
    [ "$(grep -c 'settings.json: not JSON; starting afresh' "$work/err")" = 1 ] &&
    [ "$(wc -l <"$work/err")" = 2 ] || fail "stderr: $(cat "$work/err")"
grep -q '"01_first_shot.txt"' "$profile/progress.json" || fail "the win after a bad file was not saved"

# Plays level 1 to its win with the profile in $1 (the game run through the command after it, e.g.
# setpriv, when given), where nothing can be saved: the game says so once and goes on to the
# level-complete screen.
unsaved_win() {
    local folder=$1
    start_game_as "${@:2}" -- --profile "$folder"
    win_level1
    quit_game
    [ "$(grep -c 'progress is not being saved' "$work/err")" = 1 ] || fail "said more than once: $(cat "$work/err")"
    [ "$(cat "$folder/progress.json")" = "$saved" ] || fail "the saved progress changed: $(cat "$folder/progress.json")"
}
# start_game with the game run through the command before "--" (e.g. setpriv) when one is given.
start_game_as() {
    local runner=()
    while [ "$1" != "--" ]; do runner+=("$1"); shift; done
    shift
    background env -C "$data" SDL_AUDIODRIVER=dummy "${runner[@]}" "$game" "$@" >"$work/out" 2>"$work/err"
    game_pid=${pids[-1]}
    log="$work/err"
    wait_for 60 "the game window" window_up
    wait_for 60 "the title screen" title_up
}

# A folder the player cannot write: as root (the CI), the game runs as nobody on root's folder.
profile="$work/readonly"
mkdir -p "$profile"
echo -n "$saved" >"$profile/progress.json"
chmod 755 "$profile"
chmod 644 "$profile/progress.json"
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$work"
    chmod -R a+rX "$data"
    unsaved_win "$profile" setpriv --reuid=nobody --regid=nogroup --clear-groups
else
    chmod a-w "$profile"
    unsaved_win "$profile"
fi

# A full disk: a tmpfs of 64 KiB holding the progress saved before and a file filling the rest.
profile="$work/full"
mkdir -p "$profile"
if mount -t tmpfs -o size=64k tmpfs "$profile" 2>/dev/null; then
    trap 'umount "$profile" 2>/dev/null || true; cleanup' EXIT
    echo -n "$saved" >"$profile/progress.json"
    dd if=/dev/zero of="$profile/filler" bs=4k count=100 2>/dev/null || true
    unsaved_win "$profile"
    umount "$profile"
else
    echo "skipped: the full-disk case needs permission to mount a tmpfs"
fi

# SIGKILL while saving: M toggles the music and saves settings.json each time; the game is killed
# in the middle of a run of toggles, again and again.
profile="$work/killed"
mkdir -p "$profile"
for round in 1 2 3 4 5; do
    start_game --profile "$profile"
    for _ in $(seq 8); do xdotool key m; sleep 0.1; done
    kill -KILL "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    [ -s "$profile/settings.json" ] || continue  # killed before the first save
    grep -q '"pacing": "\(fast\|display\|rest\)"$' "$profile/settings.json" && [ "$(tail -c 2 "$profile/settings.json")" = '}' ] ||
        fail "round $round left a broken settings file: $(cat "$profile/settings.json")"
    [ ! -e "$profile/settings.json.bad" ] || fail "round $round: a file was found bad"
done
[ -s "$profile/settings.json" ] || fail "no save was ever made"
echo "ok"
