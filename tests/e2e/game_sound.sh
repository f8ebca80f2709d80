#!/usr/bin/env bash
# The game's mixed sound, read back through SDL's disk audio driver: the music plays from the
# title menu on, a click in play adds the shot's "steam" exactly on top of it, and M silences
# the music. Runs the real game on the shipped content under its own X server.
source "$(dirname "$0")/common.bash"
need xdotool python3
log="$work/game.txt"

cp -r "$source_dir/data" "$work/data"
sounds="$work/data/standard/sounds"
raw="$work/out.raw"
cat > "$work/find.py" <<'PY'
# find.py RAW MUSIC SHOT MODE: MODE "music" finds the music's opening; "shot" also finds the
# shot sound, whole and sample-exact, in what is left once the music is taken away; "quiet"
# also wants the last half second silent.
import array, sys, wave

def wav(path):
    with wave.open(path) as w:
        return array.array('h', w.readframes(w.getnframes()))

def find(haystack, needle):
    hb, nb = haystack.tobytes(), needle.tobytes()
    at = hb.find(nb)
    while at >= 0 and at % 2:
        at = hb.find(nb, at + 1)
    return at // 2 if at >= 0 else -1

raw, music, shot, mode = sys.argv[1], wav(sys.argv[2]), wav(sys.argv[3]), sys.argv[4]
out = array.array('h')
with open(raw, 'rb') as f:
    data = f.read()
out.frombytes(data[:len(data) // 2 * 2])
first = next(i for i, s in enumerate(music) if s)
at = find(out, music[first:first + 256])
if at < 0:
    sys.exit("music not found in %.2f s of output" % (len(out) / 44100))
start = at - first
print("music starts at %.3f s of output" % (start / 44100))
if mode == "music":
    sys.exit(0)
rest = array.array('h', out)
for i in range(max(0, start), min(len(out), start + len(music))):
    rest[i] = out[i] - music[i - start]
first = next(i for i, s in enumerate(shot) if s)
at = find(rest, shot[first:first + 256])
if at < 0:
    sys.exit("shot not found")
begin = at - first
whole = min(len(shot), len(rest) - begin)
exact = sum(1 for k in range(whole) if rest[begin + k] == shot[k])
print("shot starts at %.3f s: %d of its %d samples exact over the music" % (begin / 44100, exact, len(shot)))
if exact != len(shot):
    sys.exit("shot incomplete or not exact")
if mode == "quiet":
    tail = out[-22050:]
    peak = max(abs(s) for s in tail)
    print("last 0.5 s after M: peak %d" % peak)
    if len(tail) < 22050 or peak != 0:
        sys.exit("music still heard after M")
PY
check() { python3 "$work/find.py" "$raw" "$sounds/blues.wav" "$sounds/steam.wav" "$1"; }
bytes() { stat -c %s "$raw" 2>/dev/null || echo 0; }
# Waits, with a generous bound, until the output holds `seconds` more of sound than now.
wait_for_output() {
  local want=$(( $(bytes) + $1 * 88200 ))
  for _ in $(seq 1200); do [ "$(bytes)" -ge "$want" ] && return 0; sleep 0.05; done
  fail "the disk audio output stopped growing"
}

start_x 1280x1024
# Started beside its data, named by a relative --data, as a player would from a shell.
background env -C "$work" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" "$build/tracklet" --data data >"$log" 2>&1
game=${pids[-1]}

found=""
for _ in $(seq 120); do
  wait_for_output 1
  if check music > /dev/null 2>&1; then found=1; break; fi
done
[ -n "$found" ] || fail "no music on the title menu: $(check music 2>&1)"

# Space starts play; a click on the floor fires. The click only counts once a frame has taken
# the Space, so click again until the shot is heard.
xdotool key space
found=""
for _ in $(seq 30); do
  xdotool mousemove 640 600 click 1
  wait_for_output 1
  if check shot > /dev/null 2>&1; then found=1; break; fi
done
[ -n "$found" ] || fail "no shot heard after clicks: $(check shot 2>&1)"

xdotool key m
wait_for_output 2
for _ in $(seq 20); do
  kill -0 "$game" 2>/dev/null || break
  xdotool key Escape
  sleep 0.5
done
expect_status_0 "$game"
check quiet || fail "see above"
sox -t raw -r 44100 -e signed -b 16 -c 1 "$raw" -n stat 2>&1 | grep -E "Length|Maximum amplitude|RMS +amplitude" || true
