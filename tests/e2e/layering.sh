#!/usr/bin/env bash
# Every folder of src/ includes only itself and the folders below it, in the order of src/folders.txt
# (the one the CMake libraries link in); the tools may include any of them. The list names every
# folder of src/ exactly once, and the README's layout table names every folder it lists.
# Arguments: the build folder (unused) and the source folder.
set -euo pipefail
shopt -s nullglob
root="$2"
src="$root/src"
list="$src/folders.txt"
status=0
complain() {
  echo "$*" >&2
  status=1
}

# The list's grammar is the builds' (tracklet_folder_libraries): blank lines and lines starting
# with # are left out, every other line is one folder's name.
order=()
while read -r name; do
  [[ -z "$name" || "$name" == "#"* ]] && continue
  if [[ ! "$name" =~ ^[a-z]+$ ]]; then
    complain "$list: \"$name\" is not a folder name (lower-case letters only)"
  elif [[ " ${order[*]} " == *" $name "* ]]; then
    complain "$list: $name is listed twice"
  else
    order+=("$name")
  fi
done < <(sed -e '$a\' "$list")

for dir in "$src"/*/; do
  folder=$(basename "$dir")
  [[ " ${order[*]} " == *" $folder "* ]] ||
    complain "src/$folder is not in $list: add it where it sits among the folders"
done

# The README's table keeps one row per folder, `src/NAME` first; it holds no folder the list lacks.
readme="$root/README.md"
for folder in "${order[@]}"; do
  grep -qF "| \`src/$folder\` |" "$readme" ||
    complain "$readme: the layout table has no row for src/$folder"
done
while read -r folder; do
  [[ " ${order[*]} " == *" $folder "* ]] ||
    complain "$readme: the layout table names src/$folder, which $list does not list"
done < <(sed -nE 's/^\| `src\/([a-z]+)` \|.*/\1/p' "$readme")

for ((i = 0; i < ${#order[@]}; i++)); do
  folder=${order[$i]}
  # A listed folder that this tree does not have yet has nothing to check.
  [ -d "$src/$folder" ] || continue
  allowed=" ${order[*]:0:$((i + 1))} "
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
    if [[ " ${order[*]} " != *" $target "* ]]; then
      complain "$file:$line: $folder includes $target, which $list does not list"
    elif [[ "$allowed" != *" $target "* ]]; then
      complain "$file:$line: $folder includes $target, which sits above it"
    fi
  done < <(grep -rnE '^#include "[a-z]+/' "$src/$folder" || true)
done
# Only the platform layer sees the third-party headers.
if grep -rnE '^#include <(SDL|GL/|epoxy|stb_|fontconfig|zlib)' "$src" --exclude-dir=platform >&2; then
  complain "third-party header outside src/platform/"
fi
exit $status
