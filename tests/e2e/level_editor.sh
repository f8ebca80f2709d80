#!/usr/bin/env bash
# The level editor in a real window, driven by keys as an author would: a new 5 x 3 level gets a
# short track with a gap, a straight-track builder, a start and a finish; Ctrl+S writes exactly the
# expected file and lists it in levels.txt; the status line (echoed on standard output) gives the
# checker's and the solver's verdicts; a test play is won with one shot, the next save writes its
# run beside the level and tracklet-sim --expect-win replays it to a win; undo goes back to the
# new level; the grid grows and shrinks with the objects moving along.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
game="$build/tracklet"
level_tool="$build/tools/level/tracklet-level"
sim="$build/tools/sim/tracklet-sim"
[ -x "$game" ] || fail "no game binary at $game"
need xdotool import awk
log="$work/editor.log"

start_x 1024x768
mkdir -p "$work/data"
cp -r "$source_dir/data/." "$work/data/"
cd "$work/data"
file=levels/90_drawn.txt
background env SDL_AUDIODRIVER=dummy "$game" --window 800x600 --edit "$file" --grid 5x3 >"$log" 2>&1
game_pid=${pids[-1]}
window_up() { xdotool search --name '^Tracklet$' >/dev/null 2>&1; }
wait_for 60 "the editor window" window_up
wid=$(xdotool search --name '^Tracklet$' | head -n 1)
said() { grep -qF -- "$1" "$log"; }
wait_for 30 "the new level's message" said "new level: $file is made at the first save"
shot() { import -window root "$work/screen.png" 2>/dev/null; }

# One key at a time, each given a moment so that every press lands in a frame of its own.
keys() {
    local key
    for key; do
        xdotool key --window "$wid" "$key"
        sleep 0.15
    done
}
keys Down s Return Right Return Right Right Return Right Return f Left Left Down Tab Tab Tab Tab Return ctrl+s
wait_for 20 "the save" said "saved $file; added 90_drawn.txt to levels.txt"
[ "$(tail -n 1 levels.txt)" = 90_drawn.txt ] || fail "levels.txt does not end with the new level"

# The file: the shipped layout, the view tracklet-level frame computes for a 5 x 3 grid.
frame_line=$("$level_tool" frame "$file") || fail "tracklet-level frame refused the saved file"
saved_camera=$(sed -n '5,8p' "$file" | tr '\n' ' ')
awk -v a="$frame_line" -v b="$saved_camera" 'BEGIN {
    n = split(a, x, " "); m = split(b, y, " ");
    if (n != 13 || m != 12) exit 1;
    # The same floats, printed to 9 significant digits and to the shortest that reads back.
    for (i = 1; i <= 12; i++) { d = x[i + 1] - y[i]; if (d < 0) d = -d; if (d > 1e-6 * (1 + (y[i] < 0 ? -y[i] : y[i]))) exit 1; }
}' || fail "the saved camera ($saved_camera) is not the framed view ($frame_line)"
expected="style standard
height 3
width 5
camera_data
objects 5
0 1 rails 1 0
1 1 rails 1 0
3 1 rails 1 0
4 1 rails 1 0
2 2 rrecht 1 0
start 0 1 e
finish 4 1 e
speed 5"
[ "$(sed '5,8d' "$file")" = "$expected" ] || fail "the saved level differs: $(cat "$file")"

# The verdicts, as the status line gives them.
wait_for 30 "the checker's verdict" said "check: no errors, no warnings"
wait_for 40 "the solver's verdict" said "solve: winnable in 1 shots (score 0)"
shot
cp "$work/screen.png" "$build/level_editor_status.png"

# Test play: the solver's shot, clicked where the editor's camera shows its floor point.
read -r aim_x aim_y < <("$level_tool" solve "$file" | awk '$1 == "click" { print $2, $3; exit }')
[ -n "$aim_x" ] || fail "tracklet-level solve gave no shot"
read -r px py < <(sed -n '5,8p' "$file" | tr '\n' ' ' | awk -v X="$aim_x" -v Y="$aim_y" -v W=800 -v H=600 '{
    px = $1; py = $2; pz = $3; ux = $4; uy = $5; uz = $6; lx = $7; ly = $8; lz = $9; rx = $10; ry = $11; rz = $12;
    dx = X - px; dy = Y - py; dz = -pz;
    cx = dx * rx + dy * ry + dz * rz; cy = dx * ux + dy * uy + dz * uz; cz = dx * lx + dy * ly + dz * lz;
    s = 1 / (sin(3.14159265 / 6) / cos(3.14159265 / 6));
    printf "%d %d\n", (cx / cz * s / (W / H) + 1) * W / 2, (1 - cy / cz * s) * H / 2 }')
keys space
wait_for 30 "the test play" said "tracklet: test play started"
sleep 0.5
xdotool mousemove --window "$wid" "$px" "$py"
xdotool click 1
wait_for 90 "the won test play" said "test play won: the run is saved as levels/90_drawn.sim at the next save"
keys ctrl+s
wait_for 20 "the save with the run" said "saved $file and its winning run levels/90_drawn.sim"
"$sim" --expect-win "$file" < levels/90_drawn.sim > "$work/replay.json" || fail "the kept run does not win the level"

# Undo the seven edits, and two more that find nothing left: the level is the new one again.
for _ in $(seq 9); do keys ctrl+z; done
keys ctrl+s
wait_for 20 "the save after undoing" grep -q "^objects 0$" "$file"
[ "$(sed -n '9,13p' "$file" | tr '\n' '|')" = "objects 0|start 0 0 e|finish 4 2 e|speed 5|" ] ||
    fail "undone, the level is not the new one: $(cat "$file")"

# Grow a column at the west (everything moves east), take a row off the north (everything moves
# north) and save: the finish followed the grid and the view was framed again for 6 x 2.
keys ctrl+Left ctrl+shift+Up ctrl+s
wait_for 20 "the resized save" grep -q "^width 6$" "$file"
grep -q "^height 2$" "$file" || fail "the row was not taken away: $(cat "$file")"
grep -q "^start 1 -1 e$" "$file" || fail "the start did not move with the grid: $(cat "$file")"
grep -q "^finish 5 1 e$" "$file" || fail "the finish did not move with the grid: $(cat "$file")"
wait_for 20 "the off-grid warning" said "check: no errors, 1 warning"
frame_line=$("$level_tool" frame "$file")
awk -v a="$frame_line" -v b="$(sed -n 5p "$file")" 'BEGIN {
    split(a, x, " "); split(b, y, " ");
    for (i = 1; i <= 3; i++) { d = x[i + 1] - y[i]; if (d < 0) d = -d; if (d > 1e-4) exit 1; }
}' || fail "the view was not framed again for the new grid: $(sed -n 5p "$file") against $frame_line"

# Saved: one Escape ends the editor.
keys Escape
wait_for 20 "the editor to end" ended "$game_pid"
expect_status_0 "$game_pid"
echo "editor: built, checked, solved, won, replayed, undone and resized $file"
