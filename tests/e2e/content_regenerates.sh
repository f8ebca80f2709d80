#!/usr/bin/env bash
# data/ holds exactly what the generator writes, apart from the authored levels (levels.txt and
# levels/): a fresh run reproduces every committed generated file byte for byte (a changed
# generator whose output was not committed, or output that varies between runs, fails here),
# writes no file that is not committed, and writes no level.
set -euo pipefail
build="$1"
source="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$build/tools/content/tracklet-content" "$out/data"
if [ -e "$out/data/levels" ] || [ -e "$out/data/levels.txt" ]; then
  echo "FAIL: the generator wrote levels, which are authored by hand" >&2
  exit 1
fi
diff -r -q -x camera.txt -x levels -x levels.txt "$source/data" "$out/data"
