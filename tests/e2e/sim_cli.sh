#!/usr/bin/env bash
# tracklet-sim as a program: the JSON on stdout, exit status 2 and messages for bad input.
source "$(dirname "$0")/common.bash"
sim="$build/tools/sim/tracklet-sim"
cd "$work"
mkdir levels
echo "one.txt" > levels.txt
printf 'style s height 1 width 3 camera_data 0 0 0 0 1 0 0 0 1 1 0 0\nobjects 2\n1 0 rails 1 0\n2 0 rails 1 0\nstart 0 0 e finish 2 0 e speed 1\n' > levels/one.txt

out="$(printf '# run to the finish\nframes 2 1\n\nprint\n' | "$sim" levels/one.txt)"
expected='{"train":[2,0,"e"],"trackEnd":[2,0,"e"],"score":0,"speed":1.0,"lost":false,"won":true,"objectCount":2,"bullets":0,"objects":[["rails",1,0,0],["rails",2,0,0]]}'
[ "$out" = "$expected" ] || fail "unexpected report: $out"

set +e
printf 'print\nfly 3\n' | "$sim" levels/one.txt > out.txt 2> err.txt
status=$?
set -e
[ "$status" = 2 ] || fail "unknown command gave status $status"
grep -q "line 2" err.txt || fail "message does not name the line: $(cat err.txt)"
[ "$(wc -l < out.txt)" = 1 ] || fail "the print before the bad line is missing"

printf 'style s height 1 width 3 camera_data 0 0 0\n' > levels/short.txt
echo print | "$sim" levels/short.txt > /dev/null 2> err.txt
grep -q "levels/short.txt:2:1: expected a number" err.txt || fail "no warning naming the file: $(cat err.txt)"
grep -q "end of file" err.txt || fail "warning does not name the token: $(cat err.txt)"

set +e
"$sim" > /dev/null 2>&1
status=$?
set -e
[ "$status" = 2 ] || fail "missing level file gave status $status"
echo "ok"
