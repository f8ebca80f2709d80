#!/usr/bin/env bash
# The installed game, moved: `cmake --install` into a prefix, the prefix moved elsewhere, and the
# moved bin/tracklet started in a window from an unrelated folder with a fresh HOME, under its own
# X server with openbox. It finds its data beside itself, shows its title screen, plays the first
# level to its end, saves the camera where it may write, and ends on Escape twice. Before that:
# its command line's answers and the validity of the installed desktop entry, AppStream metadata
# and icon.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
need xdotool import convert identify desktop-file-validate appstreamcli

cmake --install "$build" --prefix "$work/staged" >/dev/null
mv "$work/staged" "$work/moved"
prefix="$work/moved"
game="$prefix/bin/tracklet"
for program in tracklet tracklet-level tracklet-sim; do
    [ -x "$prefix/bin/$program" ] || fail "$program is not installed"
done
# The installed data stays writable here (as it is for root): the game must leave it alone anyway.

# The command line: help and version on stdout with status 0; anything unknown or malformed gets
# the usage on stderr and status 2, before any window opens.
"$game" --help | grep -q -- '--window WxH' || fail "--help does not list --window"
"$game" --version | grep -qx 'tracklet [0-9][0-9.]*' || fail "--version says: $("$game" --version)"
for bad in --no-such-option "--window 800" "--window 0x600" "--window 800x600x2" "--window 16385x600" \
    "--window 800x16385" "--data $work/none" --pacing stray "--difficulty hard" "--code T1.AAAA --seed s"; do
    status=0
    # shellcheck disable=SC2086
    "$game" $bad >"$work/out" 2>"$work/err" || status=$?
    if [ "$status" -ne 2 ] || [ -s "$work/out" ] || ! grep -q '^Usage: tracklet' "$work/err"; then
        fail "tracklet $bad: status $status, stdout $(wc -c <"$work/out") bytes, stderr: $(cat "$work/err")"
    fi
done
# A value wrong in itself (a pacing or difficulty that is none of the three, a code that is none)
# is one line on stderr naming its option.
for bad in "--pacing slow" "--pacing Rest" "--seed s --difficulty brutal" "--code T1.no*such*code" "--code nonsense"; do
    status=0
    # shellcheck disable=SC2086
    "$game" $bad >"$work/out" 2>"$work/err" || status=$?
    if [ "$status" -ne 2 ] || [ -s "$work/out" ] || [ "$(wc -l <"$work/err")" -ne 1 ] ||
        ! grep -q -- "$(awk '{ print $(NF - 1) }' <<<"$bad"):" "$work/err"; then
        fail "tracklet $bad: status $status, stdout $(wc -c <"$work/out") bytes, stderr: $(cat "$work/err")"
    fi
done

desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >"$work/appstream.log" ||
    fail "$(cat "$work/appstream.log")"
read -r icon_w icon_h <<<"$(identify -format '%w %h' "$prefix"/share/icons/hicolor/256x256/apps/tracklet.png)"
((icon_w >= 256 && icon_h >= 256)) || fail "the icon is $icon_w x $icon_h"

start_x 1280x1024
mkdir -p "$work/elsewhere" "$work/home"
log="$work/game.log"
background env -C "$work/elsewhere" -u XDG_DATA_HOME HOME="$work/home" SDL_AUDIODRIVER=dummy "$game" --window 800x600 >"$log" 2>&1
game_pid=${pids[-1]}

window=""
find_window() { window=$(xdotool search --name '^Tracklet$' 2>/dev/null | head -1) && [ -n "$window" ]; }
wait_for 60 "the game window" find_window
shot() { import -window "$window" "$work/screen.png" 2>/dev/null; }
# The screenshot's mean colour as "r g b", 0..255 each.
mean() { convert "$work/screen.png" -resize '1x1!' -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:; }
# The title screen is night blue; play shows mostly the level's bright green grass; the
# game-over screen is dark red.
title_up() { shot && read -r r g b <<<"$(mean)" && ((b > r + 20 && b > 60)); }
level_up() { shot && read -r r g b <<<"$(mean)" && ((g > r && g > b + 20 && g > 120)); }
game_over_up() { shot && read -r r g b <<<"$(mean)" && ((r > g + 20 && r > b + 20 && r < 120)); }

wait_for 60 "the title screen" title_up
size="$(identify -format '%w %h' "$work/screen.png")"
[ "$size" = "800 600" ] || fail "the window is not 800 x 600: $size"
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key space
wait_for 40 "the level" level_up

# C during play writes the camera file under $HOME/.local/share/tracklet/ (XDG_DATA_HOME is
# unset), never into the installed data, even where the game could write there.
camera="$work/home/.local/share/tracklet/camera.txt"
xdotool key c
camera_saved() { [ -f "$camera" ] && [ "$(wc -l <"$camera")" = 4 ]; }
wait_for 20 "the camera file at $camera" camera_saved
[ ! -e "$prefix/share/tracklet/camera.txt" ] || fail "the game wrote camera.txt into the installed data"

# Left alone, the train runs along its track to the gap in it and off: game over. (A shot at the
# track builder is left to game_window.sh: at the frame rates of a loaded machine a shot can step
# past a target.)
wait_for 90 "the game-over screen" game_over_up
xdotool key Escape
wait_for 40 "the title screen after Escape" title_up
xdotool key Escape
wait_for 40 "the game to end" ended "$game_pid"
expect_status_0 "$game_pid"
echo "ok"
