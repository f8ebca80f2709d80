#!/usr/bin/env bash
# The shell and the screens keep their state in objects, not in file-scope variables: the built
# shell and screens libraries and the game's own shell objects hold fewer than 6 mutable objects
# (in .bss, .data and their thread-local forms), and the screens none. Not counted: what library
# headers define (CLI11's validators, the exception type references), std::__ioinit, guards and
# what coverage counting and the sanitizers add.
set -euo pipefail
build=$1
command -v objdump >/dev/null && command -v c++filt >/dev/null || { echo "SKIP: needs objdump and c++filt"; exit 0; }
# The mutable objects of the given object files or archives, one demangled name a line.
mutable_objects() {
    for file in "$@"; do objdump -t "$file"; done |
        awk '$3 == "O" || $2 == "O" { print }' |
        grep -E '[[:space:]]\.(bss|data|tbss|tdata)([.[:space:]]|$)' | grep -v '\.data\.rel\.ro' |
        awk '{ print $NF }' | c++filt |
        grep -vE '^(std::__ioinit|guard variable for |DW\.ref\.|\.hidden|__gcov|_*__asan|__sancov|__ubsan|\.L)' | grep -vE '^CLI::|[( ]CLI::' || true
}
shell_objects=("$build"/libtracklet_shell.a "$build"/CMakeFiles/tracklet.dir/src/shell/*.o)
screens=$(mutable_objects "$build"/libtracklet_screens.a)
all=$(mutable_objects "${shell_objects[@]}" "$build"/libtracklet_screens.a)
count=$(grep -c . <<<"$all" || true)
status=0
if [ -n "$screens" ]; then
    echo "src/screens/ holds file-scope state:" >&2
    sed 's/^/  /' <<<"$screens" >&2
    status=1
fi
if [ "$count" -ge 6 ]; then
    echo "the shell and the screens hold $count mutable file-scope objects (at most 5):" >&2
    sed 's/^/  /' <<<"$all" >&2
    status=1
fi
echo "mutable file-scope objects in the shell and the screens: $count"
sed 's/^/  /' <<<"$all"
exit $status
