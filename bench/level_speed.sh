#!/usr/bin/env bash
# How fast a large level is read, against the time awk takes to count the words of the same file,
# for this build and for a build of the code before (the baseline), side by side in each run:
#   awk:   awk '{n+=NF} END{print n}' LEVEL                       (the whole process)
#   check: tracklet-level check LEVEL, run in a data folder, so names are checked against the
#          style's models                                          (the whole process)
#   load:  the game's level load, LoadLevelFromPath from the file's first byte to the level and
#          its floor grid ready to draw, timed inside tracklet-level-load (bench/level_load.cpp)
# The level is bench/make_big_level.sh's: 3.5 million objects on a 2000 by 2000 grid, 66 MB.
# Times and ratios are wall seconds, how long each takes; beside them the CPU seconds (user +
# system, of every thread: the load faults in fresh memory on a second core, so its CPU time can
# exceed its wall time) and their ratio in square brackets. Memory is the peak resident set.
# Each run also checks that both builds give the same check output, byte for byte, and load the
# same number of objects.
# Usage: bench/level_speed.sh BUILD_DIR [RUNS] [BASELINE_COMMIT]
#   The baseline (default 062be06, the code before the reader took the file in place) is checked
#   out with `git worktree` into a temporary folder and built there with this same
#   bench/level_load.cpp; BASELINE_BUILD=DIR reuses such a build instead (BASELINE_KEEP=DIR keeps
#   the one made here).
set -euo pipefail
build=$(cd "${1:?usage: level_speed.sh BUILD_DIR [RUNS] [BASELINE_COMMIT]}" && pwd)
runs=${2:-3}
commit=${3:-062be06}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
cleanup() {
  if [ -d "$work/base" ]; then git -C "$source_dir" worktree remove --force "$work/base" >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

for tool in "$build/tools/level/tracklet-level" "$build/bench/tracklet-level-load"; do
  [ -x "$tool" ] || { echo "missing $tool: build the project first" >&2; exit 1; }
done

base=${BASELINE_BUILD:-}
if [ -z "$base" ]; then
  echo "building the baseline $commit…"
  git -C "$source_dir" worktree add --detach "$work/base" "$commit" >/dev/null 2>&1
  cp "$source_dir/bench/level_load.cpp" "$work/base/bench/"
  grep -q tracklet-level-load "$work/base/bench/CMakeLists.txt" ||
    printf '\nadd_executable(tracklet-level-load level_load.cpp)\ntarget_link_libraries(tracklet-level-load PRIVATE tracklet_state)\n' \
      >>"$work/base/bench/CMakeLists.txt"
  base=${BASELINE_KEEP:-$work/base/build}
  { cmake -S "$work/base" -B "$base" -G Ninja -DBUILD_TESTING=OFF &&
      nice -n 5 cmake --build "$base" -j2 --target tracklet-level tracklet-level-load; } >"$work/base-build.log" 2>&1 ||
    { tail -n 20 "$work/base-build.log" >&2; exit 1; }
fi

# A data folder with the standard style and the big level.
mkdir -p "$work/data/levels"
cp "$source_dir/data/styles.txt" "$work/data/"
ln -s "$source_dir/data/standard" "$work/data/standard"
level=$work/data/levels/big.txt
"$source_dir/bench/make_big_level.sh" "$level"
echo big.txt >"$work/data/levels.txt"
echo "level: $(($(stat -c %s "$level") / 1000000)) MB, $(sed -n 's/^objects //p' "$level") objects"

cd "$work/data"
# "CPU_S WALL_S PEAK_KB" of a command; its output goes to $out.
out=$work/out
measure() { /usr/bin/time -f "%U %S %e %M" -o "$work/time" "$@" >"$out" 2>&1 || true; awk '{printf "%.3f %.3f %d", $1 + $2, $3, $4}' "$work/time"; }
# "CPU_S WALL_S PEAK_KB" of a load, as tracklet-level-load prints them.
load() { "$1/bench/tracklet-level-load" "$level" >"$out"; awk '{print $3, $2, $9; print $5 > "/dev/stderr"}' "$out"; }

for run in $(seq "$runs"); do
  cat "$level" >/dev/null  # every program reads from the page cache
  read -r awk_cpu awk_wall awk_kb <<<"$(measure awk '{n+=NF} END{print n}' "$level")"
  read -r check_cpu check_wall check_kb <<<"$(measure "$build/tools/level/tracklet-level" check "$level")"
  cp "$out" "$work/check.new"
  read -r bcheck_cpu bcheck_wall bcheck_kb <<<"$(measure "$base/tools/level/tracklet-level" check "$level")"
  cp "$out" "$work/check.old"
  read -r load_cpu load_wall load_kb <<<"$(load "$build" 2>"$work/objects.new")"
  read -r bload_cpu bload_wall bload_kb <<<"$(load "$base" 2>"$work/objects.old")"
  same=same
  cmp -s "$work/check.new" "$work/check.old" || same="DIFFERENT check output"
  cmp -s "$work/objects.new" "$work/objects.old" || same="$same, DIFFERENT object counts"
  awk -v r="$run" -v a="$awk_cpu" -v aw="$awk_wall" \
      -v c="$check_cpu" -v cw="$check_wall" -v ck="$check_kb" -v bc="$bcheck_cpu" -v bcw="$bcheck_wall" -v bck="$bcheck_kb" \
      -v l="$load_cpu" -v lw="$load_wall" -v lk="$load_kb" -v bl="$bload_cpu" -v blw="$bload_wall" -v blk="$bload_kb" \
      -v same="$same" 'BEGIN {
    printf "run %d  awk %.2f s (CPU %.2f s)\n", r, aw, a
    printf "  check %.2f x awk [CPU %.2f x]: %.2f s (CPU %.2f s), %.0f MB   before: %.2f x awk [%.2f x], %.2f s (%.2f s), %.0f MB\n",
           cw / aw, c / a, cw, c, ck / 1024, bcw / aw, bc / a, bcw, bc, bck / 1024
    printf "  load  %.2f x awk [CPU %.2f x]: %.2f s (CPU %.2f s), %.0f MB   before: %.2f x awk [%.2f x], %.2f s (%.2f s), %.0f MB\n",
           lw / aw, l / a, lw, l, lk / 1024, blw / aw, bl / a, blw, bl, blk / 1024
    printf "  outputs: %s\n", same }'
done
echo "check output (this build):"
head -n 5 "$work/check.new" | sed 's/^/  /'
