#!/usr/bin/env bash
# Prints the game's frame, start-up and memory ratios against the baselines in bench/, each pair
# measured side by side in the same X session, RUNS times (default 3):
#   frame:    frames per second of the largest shipped level, paused, over the floor-only frame's
#   play:     frames per second while that level's stored run is watched (--replay: the train
#             moves, shots land and change the objects), over the floor-only frame's
#   start-up: process start to the first title frame over the bare window's start to first swap
#   memory:   peak resident memory on that level over the bare window's
# The bare window has the game's framebuffer (2x multisampling, depth and stencil); the figures in
# brackets are against the same window with SDL's default framebuffer (`--plain`).
# Usage: bench/ratios.sh BUILD_DIR [RUNS]   (needs xvfb-run; uses openbox when installed)
set -euo pipefail
build=$(cd "${1:?usage: ratios.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-3}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A data folder whose level list holds only the largest shipped level (by object count).
largest=$(for f in "$source_dir"/data/levels/*.txt; do echo "$(awk '$1=="objects"{print $2}' "$f") $(basename "$f")"; done |
          sort -n | tail -1 | cut -d' ' -f2)
mkdir -p "$work/data/levels"
cp "$source_dir/data/styles.txt" "$work/data/"
ln -s "$source_dir/data/standard" "$work/data/standard"
cp "$source_dir/data/levels/$largest" "$work/data/levels/"
echo "$largest" > "$work/data/levels.txt"
# The level's stored run as a recording: a "# level" line opens it.
{ echo "# level levels/$largest"; cat "$source_dir/data/levels/${largest%.txt}.sim"; } > "$work/data/run.txt"

cat > "$work/measure.sh" <<'INNER'
set -euo pipefail
build=$1 runs=$2 data=$3
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & wm=$!; sleep 1; fi
cd "$data"
ms() { local t0 t1; t0=$(date +%s%N); "$@" >/dev/null 2>&1; t1=$(date +%s%N); echo $(( (t1 - t0) / 1000000 )); }
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
for run in $(seq "$runs"); do
  game_fps=$(TRACKLET_BENCH_FRAMES=300 TRACKLET_BENCH_PAUSED=1 "$build/tracklet" --data "$data" 2>/dev/null | tail -1)
  floor_fps=$("$build/bench/tracklet-floor-frame" 300 2>/dev/null | tail -1)
  play_fps=$(TRACKLET_BENCH_FRAMES=300 "$build/tracklet" --data "$data" --profile "$data/profile" --replay "$data/run.txt" 2>/dev/null | tail -1)
  floor2_fps=$("$build/bench/tracklet-floor-frame" 300 2>/dev/null | tail -1)
  game_ms=$(TRACKLET_BENCH_FRAMES=1 ms "$build/tracklet" --data "$data")
  bare_ms=$(ms "$build/bench/tracklet-bare-window")
  game_kb=$(TRACKLET_BENCH_FRAMES=300 TRACKLET_BENCH_PAUSED=1 peak "$build/tracklet" --data "$data")
  bare_kb=$(peak "$build/bench/tracklet-bare-window")
  plain_ms=$(ms "$build/bench/tracklet-bare-window" --plain)
  plain_kb=$(peak "$build/bench/tracklet-bare-window" --plain)
  awk -v r="$run" -v gf="$game_fps" -v ff="$floor_fps" -v pf="$play_fps" -v f2="$floor2_fps" -v gm="$game_ms" -v bm="$bare_ms" -v gk="$game_kb" -v bk="$bare_kb" \
      -v pm="$plain_ms" -v pk="$plain_kb" 'BEGIN {
    printf "run %d  frame %.2f (%.1f / %.1f fps)  play %.2f (%.1f / %.1f fps)  start-up %.2f (%d / %d ms) [%.2f: %d ms]  memory %.2f (%.0f / %.0f MB) [%.2f: %.0f MB]\n",
           r, gf / ff, gf, ff, pf / f2, pf, f2, gm / bm, gm, bm, gm / pm, pm, gk / bk, gk / 1024, bk / 1024, gk / pk, pk / 1024 }'
done
if [ -n "${wm:-}" ]; then kill "$wm" 2>/dev/null || true; fi
INNER
echo "level: $largest"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/measure.sh" "$build" "$runs" "$work/data"
