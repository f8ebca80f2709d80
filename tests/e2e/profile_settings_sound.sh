#!/usr/bin/env bash
# Settings that stay: on the settings screen (O) the music volume goes to 50 % and the effects
# volume to 0 with Left; after a restart the mixed output (SDL's disk audio driver) holds the music
# at exactly half its samples and none of the shots fired, and --window wins over a stored full
# screen for its run, while F11 switches the window as it is and keeps the choice.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/profile_common.bash"
profile="$work/profile"
start_x 1024x768

# A value of settings.json, which the game writes one key a line.
setting() { sed -n "s/^ *\"$1\": *\([a-z0-9]*\),*$/\1/p" "$profile/settings.json" 2>/dev/null; }
changed() { [ "$(setting "$1")" != "$2" ]; }
# Presses `key` until the setting `name` reads `want`, one step at a time: each press is seen
# saved before the next.
press_until() {
    local key=$1 name=$2 want=$3 before
    for _ in $(seq 12); do
        before="$(setting "$name")"
        [ "$before" = "$want" ] && return 0
        xdotool key "$key"
        wait_for 30 "$name to change from $before" changed "$name" "$before"
    done
    fail "$name never reached $want"
}

start_game --profile "$profile"
xdotool key o
settings_up() { looks 900 180 58 110 165; }  # the first line, music volume, chosen
wait_for 60 "the settings screen" settings_up
xdotool key Left
wait_for 30 "the settings file" test -s "$profile/settings.json"
press_until Left musicVolume 50
xdotool key Down
wait_for 30 "the effects line chosen" looks 900 244 58 110 165
press_until Left effectsVolume 0
shot
cp "$work/screen.png" "$build/profile_settings.png"
quit_game
[ "$(setting fullScreen)" = true ] && [ "$(setting music)" = true ] || fail "settings: $(cat "$profile/settings.json")"

# Restarted with the disk audio driver: the music from the title on, shots fired in level 1.
raw="$work/out.raw"
export SDL_DISKAUDIOFILE="$raw"
audio_driver=disk start_game --profile "$profile" --record "$work/run.sim"
bytes() { stat -c %s "$raw" 2>/dev/null || echo 0; }
# Asked again at every try: the file grows while the game plays.
sound_for_two_seconds() { [ "$(bytes)" -gt 176400 ]; }
wait_for 60 "two seconds of sound" sound_for_two_seconds
xdotool key space
wait_for 60 "level 1" level1_up
for x in 300 400 500 600 700; do xdotool mousemove "$x" 600 click 1; sleep 0.3; done
sleep 1
quit_game
[ "$(grep -c '^click ' "$work/run.sim")" -ge 3 ] || fail "the shots were not fired: $(cat "$work/run.sim")"

python3 - "$raw" "$data/standard/sounds/blues.wav" <<'PY' || fail "see above"
import array, sys, wave
def samples(data):
    a = array.array('h'); a.frombytes(data[:len(data) // 2 * 2]); return a
out = samples(open(sys.argv[1], 'rb').read())
with wave.open(sys.argv[2]) as w:
    music = samples(w.readframes(w.getnframes()))
half = array.array('h', (s >> 1 for s in music))  # the mixer's gain of 32768 / 65536
def find(haystack, needle):
    hb, nb = haystack.tobytes(), needle.tobytes()
    at = hb.find(nb)
    while at >= 0 and at % 2: at = hb.find(nb, at + 1)
    return at // 2 if at >= 0 else -1
first = next(i for i, s in enumerate(music) if abs(s) > 1000)
at = find(out, half[first:first + 512])
if at < 0: sys.exit("the music at half its samples is not in %.1f s of output" % (len(out) / 44100))
if find(out, music[first:first + 512]) >= 0: sys.exit("the music is at full volume")
start = at - first
end = min(len(out), start + len(music))
rest = [out[i] - half[i - start] for i in range(max(0, start), end)]
loud = sum(1 for r in rest if r != 0)
print("music at 50 %% from %.2f s for %.2f s; %d samples differ from it" % (start / 44100, (end - start) / 44100, loud))
if end - start < 44100 * 5: sys.exit("too little output to hear the shots in")
if loud: sys.exit("something besides the music is heard: the effects are not silent")
PY

# --window wins for its run; F11 switches the window as it is to full screen and back, and keeps
# the choice.
start_game --profile "$profile" --window 800x600
window_size() { xdotool search --name '^Tracklet$' getwindowgeometry | awk '/Geometry/ {print $2}'; }
[ "$(window_size)" = 800x600 ] || fail "--window 800x600 gave a window of $(window_size)"
[ "$(setting fullScreen)" = true ] || fail "--window changed the stored setting"
sized() { [ "$(window_size)" = "$1" ]; }
xdotool key F11
wait_for 30 "F11 to make the window full screen" sized 1024x768
[ "$(setting fullScreen)" = true ] || fail "full screen by F11 is not kept: $(cat "$profile/settings.json")"
xdotool key F11
wait_for 30 "F11 to give the window back" sized 800x600
wait_for 30 "the window to be kept" changed fullScreen true
quit_game
echo "ok"
