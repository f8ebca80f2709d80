#!/usr/bin/env bash
# The game played by a pad alone (--pad-script, no key, no mouse): X opens the level list from
# the title and B comes back, Y shows the introduction and B comes back, the right shoulder opens
# the settings, the d-pad goes down to the controls line and A opens the controls, B comes back
# twice; A plays level 1, Start pauses and resumes it, the train runs into the gap (game over), A
# plays it again, the right shoulder aims at the track builder and A fires: level 1 won; Back
# leaves it, X opens the list, Y watches the run just won, B comes back twice and Back on the
# title ends the game. The game names the screen each scripted event met on stderr, and the one
# line of the player's gamecontrollerdb.txt that SDL refused. A script
# with a wrong line, or larger than 1 MiB, is refused at the start with status 2.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"

refused() {
    local status=0
    "$game" --pad-script "$1" 2>"$work/refused" || status=$?
    [ "$status" = 2 ] && grep -q "$2" "$work/refused" || fail "$1: status $status, $(cat "$work/refused")"
}
printf 'at 1 button a down\n# fine\nat 2 button a sideways\n' > "$work/bad.txt"
refused "$work/bad.txt" "bad.txt:3: expected down or up"
head -c 1048577 /dev/zero | tr '\0' '#' > "$work/large.txt"
refused "$work/large.txt" "larger than 1 MiB"

# Game over comes when the train reaches the gap, 15 s into level 1; a win 31 s after the start.
cat > "$work/pad.txt" <<'SCRIPT'
at 1 button x down
at 1.2 button x up
at 2 button b down
at 2.2 button b up
at 3 button y down
at 3.2 button y up
at 4 button b down
at 4.2 button b up
at 4.6 button rightshoulder down
at 4.8 button rightshoulder up
at 5.2 button dpdown down
at 5.4 button dpdown up
at 5.6 button dpdown down
at 5.8 button dpdown up
at 6.0 button dpdown down
at 6.2 button dpdown up
at 6.4 button dpdown down
at 6.6 button dpdown up
at 6.8 button dpdown down
at 7.0 button dpdown up
at 7.6 button a down
at 7.8 button a up
at 8.2 button b down
at 8.4 button b up
at 8.8 button b down
at 9 button b up
at 9.4 button a down
at 9.6 button a up
at 10 button start down
at 10.2 button start up
at 11 button start down
at 11.2 button start up
at 29 button a down
at 29.2 button a up
at 30 button rightshoulder down
at 30.2 button rightshoulder up
at 30.5 button a down
at 30.7 button a up
at 64 button back down
at 64.2 button back up
at 65 button x down
at 65.2 button x up
at 66 button y down
at 66.2 button y up
at 68 button b down
at 68.2 button b up
at 69 button b down
at 69.2 button b up
at 70 button back down
at 70.2 button back up
SCRIPT
profile="$work/profile"
# The player's mappings: SDL takes the first line, refuses the third, which is named and skipped.
mkdir -p "$profile"
printf '0300000034120000cdab000000000000,Home-made pad,a:b0,b:b1,x:b2,y:b3,platform:Linux,\n# a comment\nnot a mapping\n' \
    > "$profile/gamecontrollerdb.txt"
start_x 1024x768
start_game --profile "$profile" --pad-script "$work/pad.txt"
wait_for 120 "the game to end" ended "$game_pid"
expect_status_0 "$game_pid"
sed -n 's/^pad script: [0-9.]* s: button \([a-z]*\) down: /\1 /p' "$work/err" > "$work/met"
cat > "$work/expected" <<'MET'
x title
b level list
y title
b introduction
rightshoulder title
dpdown settings
dpdown settings
dpdown settings
dpdown settings
dpdown settings
a settings
b controls
b settings
a title
start play
start paused
a game over
rightshoulder play
a play
back level complete
x title
y level list
b watching
b level list
back title
MET
diff "$work/expected" "$work/met" >&2 || fail "the pad met other screens than these"
[ "$(grep -c 'gamecontrollerdb.txt' "$work/err")" = 1 ] && grep -q "gamecontrollerdb.txt:3: pad mapping skipped" "$work/err" ||
    fail "the refused mapping line is not named once"
python3 - "$profile/progress.json" <<'PY' || fail "progress: $(cat "$profile/progress.json")"
import json, sys
levels = json.load(open(sys.argv[1]))["levels"]
assert [r for r in levels if r["file"] == "01_first_shot.txt"][0]["won"]
PY
echo "ok"
