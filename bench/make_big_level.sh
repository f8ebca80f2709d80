#!/usr/bin/env bash
# Writes a large level for the load benchmarks: OBJECTS entries (default 3,500,000) on a SIDE by
# SIDE grid (default 2000), mostly straight pieces and shields with a few curves, at pseudo-random
# tiles (some get more than one object, so the checker has hidden pieces to warn about), then a
# start, a finish and a speed: about 19 bytes an entry, 66 MB by default, under the loader's
# 64 MiB cap. The same arguments always give the same bytes: the positions come
# from the Park-Miller generator, whose products stay exact in awk's doubles.
# Usage: bench/make_big_level.sh OUT [OBJECTS] [SIDE]
set -euo pipefail
out=${1:?usage: make_big_level.sh OUT [OBJECTS] [SIDE]}
objects=${2:-3500000}
side=${3:-2000}
awk -v n="$objects" -v side="$side" 'BEGIN {
  seed = 20261206
  printf "style standard\nheight %d\nwidth %d\ncamera_data\n", side, side
  printf "%d 120.5 160.25\n0 -0.848048091 0.529919267\n0 -0.529919267 -0.848048091\n1 0 0\n", side * 5
  printf "objects %d\n", n
  for (i = 0; i < n; ++i) {
    seed = (seed * 16807) % 2147483647; x = seed % side
    seed = (seed * 16807) % 2147483647; y = seed % side
    seed = (seed * 16807) % 2147483647; kind = seed % 100
    if (kind < 55)      print x, y, "rails 1 0"
    else if (kind < 95) print x, y, "block 1 0"
    else if (kind < 98) print x, y, "rails 1 90"
    else                print x, y, "railscorner 1", (kind - 98) * 90 + 90
  }
  printf "start 0 0 e\nfinish %d %d n\nspeed 0.5\n", side - 1, side - 1
}' > "$out"
