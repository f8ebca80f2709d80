#!/usr/bin/env bash
# How long tracklet-level generate takes to make and prove a level, per difficulty, over 20 seeds
# (median and slowest, wall seconds of the whole process), against a baseline measured in the
# same run: tracklet-level solve of the shipped grand tour, a proof of a level of that size from
# its start. The goal: a medium level in at most 2 s, median over 20 seeds, on this 2-core machine.
# Usage: bench/generate_levels.sh BUILD_DIR [SEEDS]
set -euo pipefail
build=$(cd "${1:?usage: generate_levels.sh BUILD_DIR [SEEDS]}" && pwd)
seeds=${2:-20}
tool="$build/tools/level/tracklet-level"
[ -x "$tool" ] || { echo "missing $tool: build the project first" >&2; exit 1; }
cd "$(dirname "$0")/../data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Wall seconds of one command, from /usr/bin/time.
seconds() { /usr/bin/time -f "%e" -o "$work/time" "$@" > /dev/null 2>&1; cat "$work/time"; }
# "median slowest" of the numbers on standard input.
summary() { sort -n | awk '{ a[NR] = $1 } END { m = NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; print m, a[NR] }'; }

base=$(for i in $(seq "$seeds"); do seconds "$tool" solve levels/10_grand_tour.txt; done | summary)
read -r base_median base_max <<< "$base"
printf '%-32s median %6.2f s   slowest %6.2f s\n' "baseline: solve the grand tour" "$base_median" "$base_max"
for difficulty in easy medium hard; do
  read -r median slowest <<< "$(for i in $(seq "$seeds"); do seconds "$tool" generate --seed "bench $i" --difficulty "$difficulty"; done | summary)"
  printf '%-32s median %6.2f s   slowest %6.2f s   %5.2fx the baseline\n' "generate $difficulty" "$median" "$slowest" \
    "$(awk -v a="$median" -v b="$base_median" 'BEGIN { print b > 0 ? a / b : 0 }')"
done
