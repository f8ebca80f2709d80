#!/usr/bin/env bash
# Runs one fuzz target for N seconds: ./fuzz/run.sh TARGET SECONDS [libFuzzer options...]
# Builds the harnesses with clang into build-fuzz/, seeds the corpus from data/ and the kept
# regressions, and keeps any input that fails in fuzz/regressions/TARGET/ (the run then fails).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target="${1:?usage: $0 TARGET SECONDS [libFuzzer options]}"
seconds="${2:?usage: $0 TARGET SECONDS [libFuzzer options]}"
shift 2
build="$here/build-fuzz"
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$build" -G Ninja -DTRACKLET_FUZZ=ON >/dev/null
fi
nice -n 10 cmake --build "$build" -j2 --target "fuzz_$target" >/dev/null

corpus="$build/corpus/$target"
regressions="$here/fuzz/regressions/$target"
mkdir -p "$corpus" "$regressions"
data="$here/data"
case "$target" in
  level) cp "$data"/levels/*.txt "$corpus"/ ;;
  lists) { sed 's/ .*/ s/' "$data/styles.txt"; printf '\0'; cat "$data/levels.txt"; printf '\0'
           cat "$data"/standard/models.txt; printf '\0'; cat "$data"/standard/textures.txt; printf '\0'
           cat "$data"/standard/sounds.txt; } > "$corpus/shipped" ;;
  xtext) for f in "$data"/standard/models/*.x; do tail -c +17 "$f" > "$corpus/$(basename "$f")"; done ;;
  xbinary) for f in "$data"/standard/models/*.x; do
             python3 "$here/fuzz/x_to_binary.py" < "$f" > "$corpus/$(basename "$f")"; done ;;
  xzip) for f in "$data"/standard/models/*.x; do
          python3 "$here/fuzz/x_to_compressed.py" --seed < "$f" > "$corpus/text-$(basename "$f")"
          { printf 'xof 0303bin 0032'; python3 "$here/fuzz/x_to_binary.py" < "$f"; } |
            python3 "$here/fuzz/x_to_compressed.py" --seed 1024 > "$corpus/binary-$(basename "$f")"; done ;;
  image) cp "$data"/standard/textures/* "$corpus"/ ;;
  wav) cp "$data"/standard/sounds/*.wav "$corpus"/ ;;
  code) ;;  # the kept inputs, the codes of shipped levels among them, seed it
  padscript) ;;  # the kept inputs (a short script of each kind of line) seed it
  *) echo "unknown target $target" >&2; exit 2 ;;
esac
# The small scene in each exporter's layout (fuzz/x_layouts.py), in the target's encoding.
for layout in plain blender max saved; do
  case "$target" in
    xtext) python3 "$here/fuzz/x_layouts.py" $layout | tail -c +17 > "$corpus/layout-$layout" ;;
    xbinary) python3 "$here/fuzz/x_layouts.py" $layout | python3 "$here/fuzz/x_to_binary.py" > "$corpus/layout-$layout" ;;
    xzip) python3 "$here/fuzz/x_layouts.py" $layout | python3 "$here/fuzz/x_to_compressed.py" --seed 512 > "$corpus/layout-$layout"
          { printf 'xof 0303bin 0032'; python3 "$here/fuzz/x_layouts.py" $layout | python3 "$here/fuzz/x_to_binary.py"; } |
            python3 "$here/fuzz/x_to_compressed.py" --seed 512 > "$corpus/layout-binary-$layout" ;;
  esac
done
find "$regressions" -type f ! -name '.*' -exec cp {} "$corpus"/ \;

cd "$build"
# Each input is written to a file for the loaders to read: in memory when possible, so that a
# busy disk does not pass for a slow loader.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
exec nice -n 10 "$build/fuzz/fuzz_$target" "$corpus" -max_total_time="$seconds" -timeout=25 -max_len=16384 \
  -rss_limit_mb=1024 -malloc_limit_mb=256 -artifact_prefix="$regressions/" -print_final_stats=1 "$@"
