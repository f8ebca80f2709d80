#!/usr/bin/env bash
# Prints the CPU time the game takes sitting on the title screen for SECONDS (default 30) in each
# frame pacing (--pacing fast, display, rest), one after the other under one Xvfb: the game's own
# user and system seconds (/usr/bin/time -v) as a share of one core, and beside it the X server's,
# which copies every presented frame onto its screen.
# Usage: bench/pacing_cpu.sh BUILD_DIR [SECONDS]   (needs xvfb-run; uses openbox when installed)
set -euo pipefail
build=$(cd "${1:?usage: pacing_cpu.sh BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-30}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/measure.sh" <<'INNER'
set -euo pipefail
build=$1 seconds=$2 data=$3 work=$4
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & wm=$!; sleep 1; fi
# The X server's CPU seconds so far (user + system ticks of the process that owns the display).
xserver=$(pgrep -f "Xvfb ${DISPLAY} " | head -1)
xticks() { awk '{print $14 + $15}' "/proc/$xserver/stat"; }
hz=$(getconf CLK_TCK)
for pacing in fast display rest; do
  x0=$(xticks)
  SDL_AUDIODRIVER=dummy /usr/bin/time -v -o "$work/time.$pacing" timeout -s INT "$seconds" \
      "$build/tracklet" --data "$data" --profile "$work/profile.$pacing" --pacing "$pacing" >/dev/null 2>&1 || true
  x1=$(xticks)
  awk -v p="$pacing" -v s="$seconds" -v x=$(( x1 - x0 )) -v hz="$hz" -F': ' '
    /User time/ {u = $2} /System time/ {k = $2} /Elapsed/ {n = split($2, t, ":"); e = t[n] + (n > 1 ? 60 * t[n-1] : 0)}
    END { printf "%-8s game %5.1f %% of one core (user %.2f s, system %.2f s over %.1f s)   X server %5.1f %%\n",
                 p, 100 * (u + k) / e, u, k, e, 100 * x / hz / e }' "$work/time.$pacing"
done
if [ -n "${wm:-}" ]; then kill "$wm" 2>/dev/null || true; fi
INNER
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/measure.sh" "$build" "$seconds" "$source_dir/data" "$work"
