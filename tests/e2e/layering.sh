#!/usr/bin/env bash
# Every folder of src/ includes only itself and the folders below it, in this order from the bottom;
# the tools may include any of them. The CMake targets link in the same order.
set -euo pipefail
src="$2/src"
order=(math platform camera audio resources level state rules graphics authoring profile screens editor shell)
status=0
for ((i = 0; i < ${#order[@]}; i++)); do
  folder=${order[$i]}
  # A folder of the order that this tree does not have yet has nothing to check.
  [ -d "$src/$folder" ] || continue
  allowed=" ${order[*]:0:$((i + 1))} "
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
    if [[ "$allowed" != *" $target "* ]]; then
      echo "$file:$line: $folder includes $target, which sits above it" >&2
      status=1
    fi
  done < <(grep -rnE '^#include "[a-z]+/' "$src/$folder" || true)
done
# Only the platform layer sees the third-party headers.
if grep -rnE '^#include <(SDL|GL/|epoxy|stb_|fontconfig|zlib)' "$src" --exclude-dir=platform >&2; then
  echo "third-party header outside src/platform/" >&2
  status=1
fi
exit $status
