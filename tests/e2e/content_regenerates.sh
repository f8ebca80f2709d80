#!/usr/bin/env bash
# data/ is exactly what the generator writes: a fresh run reproduces every committed file byte for
# byte (a changed generator whose output was not committed, or output that varies between runs,
# fails here), and writes no file that is not committed.
set -euo pipefail
build="$1"
source="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$build/tools/content/tracklet-content" "$out/data"
diff -r -q -x camera.txt "$source/data" "$out/data"
