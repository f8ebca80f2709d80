#!/usr/bin/env bash
# Frame time of the level editor on the largest shipped level while the solver searches (an edit
# every 30 frames, placing an object and then undoing it, checks the level and restarts it), against the same frames with the solver stopped, RUNS
# times (default 3), each pair side by side in one X session. Prints each run's mean and worst
# frame time and the ratio of the means.
# Usage: bench/editor_frames.sh BUILD_DIR [RUNS] [FRAMES]   (needs xvfb-run)
set -euo pipefail
build=$(cd "${1:?usage: editor_frames.sh BUILD_DIR [RUNS] [FRAMES]}" && pwd)
runs=${2:-3}
frames=${3:-600}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
largest=$(for f in "$source_dir"/data/levels/*.txt; do echo "$(awk '$1=="objects"{print $2}' "$f") $(basename "$f")"; done |
          sort -n | tail -1 | cut -d' ' -f2)
cp -r "$source_dir/data" "$work/data"
cat > "$work/measure.sh" <<'INNER'
set -euo pipefail
build=$1 runs=$2 frames=$3 level=$4
cd "$5"
for ((i = 1; i <= runs; i++)); do
  for solver in 1 0; do
    line=$(TRACKLET_BENCH_FRAMES=$frames TRACKLET_BENCH_SOLVER=$solver SDL_AUDIODRIVER=dummy \
           "$build/tracklet" --window 1024x768 --edit "levels/$level" | grep '^frames ')
    echo "run $i solver $solver: $line"
  done
done
INNER
echo "level: $largest"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/measure.sh" "$build" "$runs" "$frames" "$largest" "$work/data" |
  tee "$work/out"
awk '/solver 1/ { on += $8; n1++; if ($11 > w) w = $11 } /solver 0/ { off += $8; n0++ }
     END { printf "mean frame with the solver searching / without: %.2f (%.2f ms / %.2f ms); worst with it %.2f ms\n",
           (on / n1) / (off / n0), on / n1, off / n0, w }' "$work/out"
