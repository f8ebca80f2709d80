#!/usr/bin/env bash
# tests/e2e/layering.sh refuses every way the folders can fall out of order: it runs on a small
# made-up tree, once as it is (it must pass) and once per fault (it must fail with that fault's
# own complaint, so that a fault is not let through because some other check happened to fail).
set -euo pipefail
check="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/layering.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/tree"
failures=0

# Two folders in order and one listed ahead of its sources. The list has comments, a blank line,
# an indented comment, and no line break after its last name.
make_tree() {
  rm -rf "$tree"
  mkdir -p "$tree/src/low" "$tree/src/high"
  printf '# from the bottom up\n\nlow\n  # still a comment\nlater\nhigh' >"$tree/src/folders.txt"
  printf '#include "low/Low.h"\n' >"$tree/src/low/Low.cpp"
  printf '#include "low/Low.h"\n#include "high/High.h"\n' >"$tree/src/high/High.cpp"
  printf '| folder | holds |\n|---|---|\n| `src/low` | a |\n| `src/later` | b |\n| `src/high` | c |\n' \
    >"$tree/README.md"
}

# fault WHAT COMPLAINT COMMAND...: on a fresh tree changed by COMMAND, the check fails and says
# COMPLAINT.
fault() {
  local what=$1 complaint=$2
  shift 2
  make_tree
  (cd "$tree" && "$@")
  if bash "$check" "$work/build" "$tree" 2>"$work/said"; then
    echo "FAIL: the check let through $what" >&2
    failures=$((failures + 1))
  elif ! grep -qF -- "$complaint" "$work/said"; then
    echo "FAIL: $what: expected \"$complaint\", the check said:" >&2
    sed 's/^/  /' "$work/said" >&2
    failures=$((failures + 1))
  fi
}

make_tree
if ! bash "$check" "$work/build" "$tree" 2>"$work/said"; then
  echo "FAIL: the check refused a tree in order:" >&2
  sed 's/^/  /' "$work/said" >&2
  failures=$((failures + 1))
fi

# Includes.
fault "an include running up" "src/low/Low.cpp:2: low includes high, which sits above it" \
  sh -c 'echo "#include \"high/High.h\"" >>src/low/Low.cpp'
fault "a third-party header outside the platform layer" "third-party header outside src/platform/" \
  sh -c 'echo "#include <SDL.h>" >>src/high/High.cpp'
# The list.
fault "a folder the list leaves out" "src/extra is not in" mkdir src/extra
fault "a folder listed twice" "low is listed twice" sh -c 'printf "\nlow\n" >>src/folders.txt'
fault "a line that is no folder name" '"two words" is not a folder name' \
  sh -c 'printf "\ntwo words\n" >>src/folders.txt'
# The README's table.
fault "a listed folder the README's table leaves out" "the layout table has no row for src/high" \
  sed -i '/src\/high/d' README.md
fault "a table row for a folder the list does not have" "the layout table names src/gone" \
  sh -c 'echo "| \`src/gone\` | d |" >>README.md'

[ "$failures" -eq 0 ] || exit 1
echo "the layering check refused each fault"
