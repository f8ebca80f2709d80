#!/usr/bin/env bash
# Takes the README's pictures of the screens around play: the level list and the settings, played
# full-screen under Xvfb at 1280x720 (docs/level-list.png, docs/settings.png), and with
# --all the same screens at 1920x1080 and 3840x2160 into OUT (default build/screens/) to look at.
# Usage: tools/screens_gallery.sh [--all] [BUILD_FOLDER]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
all=0
[ "${1:-}" = --all ] && { all=1; shift; }
build="$(cd "${1:-$root/build}" && pwd)"
game="$build/tracklet"
[ -x "$game" ] || { echo "no $game: build first (./tracklet.sh build)" >&2; exit 1; }
for tool in Xvfb openbox xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "missing $tool (see tracklet.sh's package list)" >&2; exit 1; }
done
work="$(mktemp -d)"
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

# Plays the game full-screen on a WxH screen and saves its list and settings as PREFIX-list.png
# and PREFIX-settings.png.
take() {
    local size=$1 prefix=$2 display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 & pids+=($!)
    sleep 1
    DISPLAY=$display openbox >/dev/null 2>&1 & pids+=($!)
    sleep 1
    DISPLAY=$display SDL_AUDIODRIVER=dummy "$game" --data "$root/data" --profile "$work/profile-$size" >/dev/null 2>&1 &
    local game_pid=$!
    pids+=("$game_pid")
    sleep 6
    DISPLAY=$display xdotool key l; sleep 4
    DISPLAY=$display import -window root "$prefix-list.png"
    DISPLAY=$display xdotool key Escape; sleep 1
    DISPLAY=$display xdotool key o; sleep 2
    DISPLAY=$display import -window root "$prefix-settings.png"
    DISPLAY=$display xdotool key Escape; sleep 1
    DISPLAY=$display xdotool key Escape; sleep 1
    kill "$game_pid" 2>/dev/null || true
}

take 1280x720 "$work/readme"
convert "$work/readme-list.png" +dither -colors 128 "PNG8:$root/docs/level-list.png"
convert "$work/readme-settings.png" +dither -colors 128 "PNG8:$root/docs/settings.png"
if [ $all = 1 ]; then
    out="$build/screens"
    mkdir -p "$out"
    for size in 1280x720 1920x1080 3840x2160; do take "$size" "$out/$size"; done
    echo "screens in $out"
fi
