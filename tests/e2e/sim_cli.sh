#!/usr/bin/env bash
# tracklet-sim as a program: the JSON report on stdout, the loader's warnings naming the file on
# stderr, exit status 2 for a bad script line or a missing level (what each bad line says is
# sim_test's).
source "$(dirname "$0")/common.bash"
sim="$build/tools/sim/tracklet-sim"
cd "$work"
mkdir levels
echo "one.txt" > levels.txt
printf 'style s height 1 width 3 camera_data 0 0 0 0 1 0 0 0 1 1 0 0\nobjects 2\n1 0 rails 1 0\n2 0 rails 1 0\nstart 0 0 e finish 2 0 e speed 1\n' > levels/one.txt
printf 'style s height 1 width 3 camera_data 0 0 0\n' > levels/short.txt

# The time is the play before the win: the frame that wins counts, the ones after it do not, and
# it is the same time whichever way the frames are split.
out="$(printf '# run to the finish\nframes 1 0.25\nprint\nframes 1 0.75\nframes 3 1\n\nprint\n' | "$sim" levels/one.txt)"
expected='{"train":[0,0,"e"],"trackEnd":[2,0,"e"],"score":0,"speed":1.0,"lost":false,"won":false,"objectCount":2,"bullets":0,"objects":[["rails",1,0,0],["rails",2,0,0]],"time":0.25}
{"train":[2,0,"e"],"trackEnd":[2,0,"e"],"score":0,"speed":1.0,"lost":false,"won":true,"objectCount":2,"bullets":0,"objects":[["rails",1,0,0],["rails",2,0,0]],"time":2.0}'
[ "$out" = "$expected" ] || fail "unexpected report: $out"

# The script, the arguments, the status, what stderr holds.
while IFS='|' read -r script args want message; do
    status=0
    # shellcheck disable=SC2086
    printf "$script" | "$sim" $args >/dev/null 2>err.txt || status=$?
    [ "$status" = "$want" ] || fail "tracklet-sim $args: status $status, expected $want"
    grep -q -- "$message" err.txt || fail "tracklet-sim $args: no '$message' in: $(cat err.txt)"
done <<'CASES'
print\nfly 3\n|levels/one.txt|2|line 2
print\n|levels/short.txt|0|levels/short.txt:2:1: expected a number.*end of file
print\n||2|
CASES
echo "ok"
