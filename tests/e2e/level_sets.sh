#!/usr/bin/env bash
# The level list's sets in the real game. Over the shipped levels, a sets.txt of two sets: the first
# of eight levels, the second of the rest. On a fresh profile the second set is closed: Down as far
# as it goes stops on level 8, which Space plays. With seven levels of the first set won (one of
# them on an earlier version of its file) the second set is open: Down reaches the last level.
# The level played is read from the recording (--record). Screenshots of both lists are kept in the
# build folder.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
start_x 1024x768

mapfile -t levels < <(tr -s ' \t\r' '\n' < "$data/levels.txt" | sed '/^$/d')
[ "${#levels[@]}" -ge 10 ] || fail "the test needs ten shipped levels, levels.txt lists ${#levels[@]}"
{
    echo "set Opening"
    for i in $(seq 0 7); do echo "level ${levels[$i]} score 0 time 999"; done
    echo "set Closing"
    for i in $(seq 8 $((${#levels[@]} - 1))); do echo "level ${levels[$i]} score 0 time 999"; done
} > "$data/sets.txt"
(cd "$data" && "$build/tools/level/tracklet-level" check sets.txt) || fail "the test's sets.txt does not pass the check"

# Plays the level the list leaves chosen after Down pressed more times than there are rows (to the
# last of the new levels below the sets), then Up past the five new levels, and prints the level
# file the recording names: the last level that can be chosen.
play_last_chosen() {
    local profile=$1 picture=$2
    rm -f "$work/run.sim"
    start_game --profile "$profile" --record "$work/run.sim"
    xdotool key l
    # The list: the first set's heading on the top row, the first level chosen on the second.
    wait_for 60 "the level list" looks 900 308 58 110 165
    for _ in $(seq $((${#levels[@]} + 8))); do xdotool key Down; sleep 0.15; done
    for _ in $(seq 5); do xdotool key Up; sleep 0.15; done
    sleep 1
    shot
    cp "$work/screen.png" "$build/$picture"
    xdotool key space
    wait_for 60 "play" test -s "$work/err" -o -n "$(xdotool search --name '^Tracklet$' 2>/dev/null)"
    sleep 3
    quit_game
    sed -n 's/^# level levels\///p' "$work/run.sim" | head -n 1
}

played="$(play_last_chosen "$work/fresh" level_sets_closed.png)"
[ "$played" = "${levels[7]}" ] || fail "fresh profile: Down went on to '$played', not the first set's last level ${levels[7]}"

mkdir -p "$work/seven"
python3 - "$work/seven/progress.json" "${levels[@]:0:7}" <<'PY'
import json, sys
path, names = sys.argv[1], sys.argv[2:]
records = [{"file": n, "content": "0123456789abcdef" if i == 0 else "not-this-content",
            "won": True, "bestScore": 0, "bestTime": 30.0, "replay": ""} for i, n in enumerate(names)]
json.dump({"version": 1, "levels": records}, open(path, "w"))
PY
played="$(play_last_chosen "$work/seven" level_sets_open.png)"
[ "$played" = "${levels[-1]}" ] || fail "seven wins: Down stopped at '$played', not the second set's last level ${levels[-1]}"
grep -q '"file": *"'"${levels[0]}"'"' "$work/seven/progress.json" || fail "the stored wins were lost: $(cat "$work/seven/progress.json")"
echo "ok"
