#!/usr/bin/env bash
# Regenerates the level gallery the README shows: docs/levels/NAME.png, the opening view of every
# level in data/levels.txt; docs/levels/contact_sheet.png, all of them on one labelled sheet; and
# docs/levels/set_N.png, one labelled sheet for the levels of each set of data/sets.txt in order.
# Drawn by tracklet-level render (off screen, no display needed), then reduced to a palette of
# 128 colours with ImageMagick so that the pictures stay small in the repository.
# Usage: tools/levels_gallery.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
tool="$build/tools/level/tracklet-level"
[ -x "$tool" ] || { echo "no $tool: build first (./tracklet.sh build)" >&2; exit 1; }
command -v convert >/dev/null || { echo "missing ImageMagick's convert (see tracklet.sh's package list)" >&2; exit 1; }

out="$root/docs/levels"
mkdir -p "$out"
# The same palette reduction for every picture; the render test compares against these files.
shrink() { convert "$1" +dither -colors 128 "PNG8:$1"; }

cd "$root/data"
for name in $(cat levels.txt); do
    picture="$out/${name%.txt}.png"
    "$tool" render "levels/$name" --size 320x240 -o "$picture"
    shrink "$picture"
done
"$tool" render --sheet levels.txt --size 256x192 -o "$out/contact_sheet.png"
shrink "$out/contact_sheet.png"
# One sheet a set: the set's level lines of sets.txt become a level list of their own.
lists="$(mktemp -d)"
trap 'rm -rf "$lists"' EXIT
if [ -f sets.txt ]; then
    awk -v dir="$lists" '$1 == "set" { n++ } $1 == "level" && n { print $2 > (dir "/set_" n ".txt") }' sets.txt
    for list in "$lists"/set_*.txt; do
        [ -f "$list" ] || continue
        sheet="$out/$(basename "${list%.txt}").png"
        "$tool" render --sheet "$list" --size 256x192 -o "$sheet"
        shrink "$sheet"
    done
fi
du -ch "$out"/*.png | tail -1
