#!/usr/bin/env bash
# data/ holds exactly what the generator writes, apart from the authored levels (levels.txt,
# sets.txt and levels/): a fresh run reproduces every committed generated file byte for byte (a changed
# generator whose output was not committed, or output that varies between runs, fails here),
# writes no file that is not committed, and writes no level.
source "$(dirname "$0")/common.bash"
"$build/tools/content/tracklet-content" "$work/data"
[ ! -e "$work/data/levels" ] && [ ! -e "$work/data/levels.txt" ] && [ ! -e "$work/data/sets.txt" ] || fail "the generator wrote levels, which are authored by hand"
diff -r -q -x camera.txt -x levels -x levels.txt -x sets.txt "$source_dir/data" "$work/data"
