#!/usr/bin/env bash
# tracklet-level render with no display: every shipped level's opening view matches its gallery
# picture committed in docs/levels: after a one-pixel blur, at most 200 of its 76800 pixels more
# than 10% apart. Debian 12's Mesa redraws the gallery within 10 pixels (the palette of 128
# colours and multisampling blurred away); the turned rails of a level drawn off their tiles
# change 500 to 1100. The level after its winning script differs from its opening view where the
# track was laid; a level that does not load gives the checker's message, status 1 and no file.
source "$(dirname "$0")/common.bash"
tool="$build/tools/level/tracklet-level"
need compare convert identify
unset DISPLAY WAYLAND_DISPLAY

# Pixels of two images more than 10% apart after a one-pixel blur of each.
differing() {
    convert "$1" -blur 0x1 "$work/a.png"
    convert "$2" -blur 0x1 "$work/b.png"
    compare -metric AE -fuzz 10% "$work/a.png" "$work/b.png" null: 2>&1 || true
}

# The sanitizer build draws with Mesa's softpipe, not llvmpipe (whose JIT deadlocks under the
# sanitizer's unwinder), and softpipe samples and filters differently: 200 to 5,700 pixels away
# from the gallery, the same pixels as the normal build with GALLIUM_DRIVER=softpipe. There the
# drawing runs for its memory checks and its pixels are not compared.
sanitized=false
grep -q '^TRACKLET_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && sanitized=true

cd "$source_dir/data"
for name in $(cat levels.txt); do
    picture="$source_dir/docs/levels/${name%.txt}.png"
    [ -f "$picture" ] || fail "no gallery picture $picture for levels/$name: run tools/levels_gallery.sh"
    "$tool" render "levels/$name" --size 320x240 -o "$work/open.png" || fail "render levels/$name"
    [ "$(identify -format '%wx%h' "$work/open.png")" = 320x240 ] || fail "not 320x240: $(identify "$work/open.png")"
    changed=$(differing "$work/open.png" "$picture")
    echo "levels/$name: $changed of 76800 pixels differ from the gallery picture"
    $sanitized || [ "$changed" -le 200 ] || fail "the opening view of levels/$name differs from $picture in $changed pixels; if the change is meant, run tools/levels_gallery.sh"
done
level=levels/01_first_shot.txt
"$tool" render "$level" --size 320x240 -o "$work/open.png" || fail "render $level"

# The winning replay lays the missing piece in the gap and runs the train to the finish.
script="levels/01_first_shot.sim"
[ -f "$script" ] || script="$source_dir/tests/levels/01_first_shot.txt"
"$tool" render "$level" --size 320x240 --after "$script" -o "$work/after.png" || fail "render --after $script"
changed=$(differing "$work/open.png" "$work/after.png")
echo "after the winning script: $changed pixels differ from the opening view"
[ "$changed" -ge 500 ] || fail "the level after its winning script looks like its opening view ($changed pixels differ)"

printf 'style s\nheight 3\nwidth east\n' > "$work/bad.txt"
set +e
"$tool" render "$work/bad.txt" -o "$work/bad.png" 2> "$work/err.txt"
status=$?
set -e
[ "$status" = 1 ] || fail "render of a broken level gave status $status"
grep -qx "$work/bad.txt:3:7: error: expected an integer (width), found 'east'" "$work/err.txt" || fail "$(cat "$work/err.txt")"
[ ! -e "$work/bad.png" ] || fail "a picture was written for a broken level"
echo "ok"
