# Sourced by the end-to-end scripts (CTest runs only the *.sh files). Every script gets the build
# folder and the source folder as its arguments: they become `build` and `source_dir`. `work` is
# a fresh folder, removed at exit together with every process started by `background`.
set -euo pipefail
build="$(cd "$1" && pwd)"
source_dir="$(cd "$2" && pwd)"
work="$(mktemp -d)"
# A sanitizer build's leak suppressions, copied into the work folder: a script that plays as
# another user than root opens the work folder to it, but the source tree may lie where only root
# can read.
if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]*) ]] && [ -r "${BASH_REMATCH[1]}" ]; then
    cp "${BASH_REMATCH[1]}" "$work/lsan.supp"
    chmod 644 "$work/lsan.supp"
    export LSAN_OPTIONS="${LSAN_OPTIONS/suppressions=${BASH_REMATCH[1]}/suppressions=$work/lsan.supp}"
fi
pids=()
log=""  # a log worth showing when a step fails
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# What the game remembers for its player (progress, best runs, settings, a camera file that
# cannot go into the data folder) stays in this test's folder, never in the tester's home.
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME"

# Prints the message, the tail of $log and where the last screenshot was kept, and ends with 1.
fail() {
    echo "FAIL: $*" >&2
    if [ -n "$log" ] && [ -f "$log" ]; then tail -n 40 "$log" | sed 's/^/log: /' >&2; fi
    if [ -f "$work/screen.png" ]; then
        cp "$work/screen.png" "$build/$(basename "$0" .sh)_failure.png"
        echo "last screen: $build/$(basename "$0" .sh)_failure.png" >&2
    fi
    exit 1
}

need() {
    local tool
    for tool; do command -v "$tool" >/dev/null || fail "missing $tool (see tracklet.sh's package list)"; done
}

# Runs the command in the background; it is ended at exit. Its process id is ${pids[-1]}.
background() {
    "$@" &
    pids+=($!)
}

# Runs the check (the arguments after the first two) until it holds, for at most `seconds`
# seconds; fails naming `what` when it never does.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    while ((SECONDS < deadline)); do
        if "$@"; then return 0; fi
        sleep 0.2
    done
    fail "timed out waiting for $what"
}

# A private X server of the given size (WxH) on a display number of its own choosing, with
# openbox on it; DISPLAY names it.
start_x() {
    need Xvfb openbox
    background Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log"
    wait_for 10 "the X server" test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    background openbox --startup "touch $work/openbox-ready" >"$work/openbox.log" 2>&1
    wait_for 10 "the window manager" test -e "$work/openbox-ready"
}

ended() { ! kill -0 "$1" 2>/dev/null; }

# Waits for process $1 to end and fails unless it ended with status 0.
expect_status_0() {
    local status=0
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
}
