#!/usr/bin/env bash
# One entry point for players and maintainers:
#   ./tracklet.sh play [OPTION...]  installs what building and playing need, builds the game,
#                                   starts it on data/ (options go to the game, e.g. --window 1280x720)
#   ./tracklet.sh test              also installs the test tools, builds everything, runs every test
#   ./tracklet.sh build             installs everything the tests need and builds everything
#   ./tracklet.sh setup             only installs the packages of `test`
#   ./tracklet.sh coverage          builds into build-cov/ with coverage counting, runs every test
#                                   and prints the line and branch coverage of src/ and tools/
#   ./tracklet.sh mutants [N...]    puts each fault of tests/mutants.txt in turn into a copy of the
#                                   tree (build-mutants/) and runs the suite on it; prints the faults
#                                   the tests let through and the score (long: a maintainer's command)
#   ./tracklet.sh web               builds the game for the browser into build-web/ (Emscripten)
#   ./tracklet.sh web-test          builds that and the desktop game, then plays both in headless
#                                   Chromium and under Xvfb and compares the screens
# Each step prints one line. The full output of apt and of the build goes to setup.log in the
# build folder; when a step fails its tail and the log's path are shown.
# TRACKLET_SANITIZE=1 builds into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

build_packages=(build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libmeshoptimizer-dev libglm-dev
  libstb-dev libepoxy-dev libcli11-dev nlohmann-json3-dev zlib1g-dev)
play_packages=(libgl1-mesa-dri libglx-mesa0 libegl-mesa0 fonts-liberation)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick openbox sox desktop-file-utils appstream lintian gcovr python3 valgrind)
# The browser build: Emscripten (its Node needs acorn), the typeface and the header-only libraries.
web_packages=(emscripten node-acorn ninja-build cmake fonts-liberation libstb-dev libcli11-dev nlohmann-json3-dev)
browser_packages=(chromium chromium-driver python3-selenium)
# The fuzzers (fuzz/run.sh, CI) need clang and its libFuzzer runtime.
[ "${TRACKLET_FUZZ_PACKAGES:-0}" = 1 ] && test_packages+=(clang-14 libclang-rt-14-dev)

[ "${1:-}" = coverage ] && export TRACKLET_COVERAGE=1 TRACKLET_SANITIZE=0
[ "${1:-}" = web ] || [ "${1:-}" = web-test ] && export TRACKLET_WEB=1 TRACKLET_COVERAGE=0 TRACKLET_SANITIZE=0
build_dir() {
  if [ "${TRACKLET_WEB:-0}" = 1 ]; then echo "$here/build-web"
  elif [ "${TRACKLET_COVERAGE:-0}" = 1 ]; then echo "$here/build-cov"
  elif [ "${TRACKLET_SANITIZE:-0}" = 1 ]; then echo "$here/build-asan"
  else echo "$here/build"; fi
}
log="$(build_dir)/setup.log"

say() { echo "$*"; }
# "1 package", "2 packages".
packages() { if [ "$1" -eq 1 ]; then echo "1 package"; else echo "$1 packages"; fi; }
fail() { echo "$*" >&2; exit 1; }

# Runs a step's command with its output in the log; on failure shows the log's tail and path.
step() {
  local what=$1
  shift
  say "$what…"
  echo "=== $what: $*" >>"$log"
  if ! "$@" >>"$log" 2>&1; then
    echo "$what failed; the last lines of the log:" >&2
    tail -n 25 "$log" | sed 's/^/  /' >&2
    fail "Full log: $log"
  fi
}

# Installs the packages among the arguments that are not installed yet.
install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null ||
      fail "Tracklet needs $(packages ${#missing[@]}) from Debian and sudo is not installed: run this as root, or install them first with: apt-get install ${missing[*]}"
    sudo=(sudo)
  fi
  say "installing $(packages ${#missing[@]})…"
  echo "=== installing: ${missing[*]}" >>"$log"
  if ! { "${sudo[@]}" apt-get update -q && DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"; } >>"$log" 2>&1; then
    if grep -qE "Temporary failure resolving|Could not resolve|Failed to fetch|Network is unreachable|Could not connect|Unable to connect" "$log"; then
      fail "apt cannot reach the Debian package servers: connect this machine to the network and run this again (full log: $log)."
    fi
    echo "installing packages failed; the last lines of the log:" >&2
    tail -n 25 "$log" | sed 's/^/  /' >&2
    fail "Full log: $log"
  fi
}

# Configures and builds the given targets (everything when none is given).
compile() {
  local sanitize=OFF coverage=OFF targets=()
  [ "${TRACKLET_SANITIZE:-0}" = 1 ] && sanitize=ON
  [ "${TRACKLET_COVERAGE:-0}" = 1 ] && coverage=ON
  for t in "$@"; do targets+=(--target "$t"); done
  cmake -S "$here" -B "$(build_dir)" -G Ninja -DTRACKLET_SANITIZE=$sanitize -DTRACKLET_COVERAGE=$coverage &&
    cmake --build "$(build_dir)" -j2 "${targets[@]}"
}

# Configures and builds the browser build with Emscripten's toolchain. Debian's emcc runs on the
# machine's Node, which does not look in Debian's module folder for acorn by itself.
compile_web() {
  export NODE_PATH=/usr/share/nodejs
  emcmake cmake -S "$here" -B "$here/build-web" -G Ninja && cmake --build "$here/build-web" -j2
}

# Builds the desktop game into build/ (the browser test compares the two).
compile_desktop_game() {
  cmake -S "$here" -B "$here/build" -G Ninja -DTRACKLET_SANITIZE=OFF -DTRACKLET_COVERAGE=OFF &&
    cmake --build "$here/build" -j2 --target tracklet
}

run_tests() {
  if [ "${TRACKLET_SANITIZE:-0}" = 1 ]; then
    # Any error ends the test that made it. Leaks inside third-party libraries are listed in
    # .ci/lsan.supp. The runtime's __tls_get_addr interceptor (GCC 12) takes a thread-local block
    # that happens to start 16 bytes into a page for an old glibc header and reads the words
    # before it; the leak checker's tracer then dies on exit ("Tracer caught signal 11") with no
    # leak found, in a game whose Mesa and SDL threads hold such blocks. Off, it cannot.
    export ASAN_OPTIONS="detect_leaks=1:intercept_tls_get_addr=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export LSAN_OPTIONS="suppressions=$here/.ci/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
  fi
  say "running the tests…"
  local results
  results="$(build_dir)/test.log"
  if (cd "$(build_dir)" && ctest --output-on-failure --no-tests=error -j2) >"$results" 2>&1; then
    grep -E "tests passed|Total Test time" "$results"
  else
    # The failing tests' output and the summary; the passing tests' lines only in the log.
    grep -vE "^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ *Start +[0-9]+:" "$results" | tail -n 80 >&2
    fail "Full test output: $results"
  fi
}

command=${1:-}
[ $# -gt 0 ] && shift
case "$command" in
  play | test | build | setup) ;;
  coverage | web | web-test) ;;
  mutants)
    mkdir -p "$(build_dir)"
    install_packages "${build_packages[@]}" "${play_packages[@]}" "${test_packages[@]}"
    exec nice -n 5 python3 "$here/tests/mutants.py" "$@"
    ;;
  *) echo "usage: $0 play [GAME OPTION...] | test | build | coverage | mutants [N...] | setup | web | web-test" >&2; exit 2 ;;
esac
mkdir -p "$(build_dir)"
: >"$log"

case "$command" in
  play)
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] ||
      fail "No display to play on (neither DISPLAY nor WAYLAND_DISPLAY is set): run ./tracklet.sh play inside a desktop session."
    install_packages "${build_packages[@]}" "${play_packages[@]}"
    step "building" compile tracklet
    say "starting…"
    cd "$here/data" && exec "$(build_dir)/tracklet" "$@"
    ;;
  test)
    install_packages "${build_packages[@]}" "${play_packages[@]}" "${test_packages[@]}"
    step "building" compile
    run_tests
    ;;
  build)
    install_packages "${build_packages[@]}" "${play_packages[@]}" "${test_packages[@]}"
    step "building" compile
    ;;
  coverage)
    install_packages "${build_packages[@]}" "${play_packages[@]}" "${test_packages[@]}"
    step "building" compile
    find "$(build_dir)" -name '*.gcda' -delete
    # A failing test still leaves its counts: the summary is printed either way.
    (run_tests) || true
    gcovr --root "$here" --filter "$here/src/" --filter "$here/tools/" --exclude-throw-branches \
      --exclude-unreachable-branches --print-summary --output /dev/null "$(build_dir)" 2>/dev/null
    ;;
  web)
    install_packages "${web_packages[@]}"
    step "building for the browser" compile_web
    say "built build-web/tracklet.html; serve it with: python3 -m http.server -d build-web (then open http://localhost:8000/tracklet.html)"
    ;;
  web-test)
    install_packages "${build_packages[@]}" "${play_packages[@]}" "${web_packages[@]}" "${browser_packages[@]}" \
      xvfb xauth xdotool imagemagick openbox
    step "building for the browser" compile_web
    step "building the desktop game" compile_desktop_game
    say "playing in the browser and on the desktop…"
    /usr/bin/python3 "$here/tests/web/browser_play.py" "$here/build-web" "$here/build/tracklet" "$here/data"
    ;;
  setup)
    install_packages "${build_packages[@]}" "${play_packages[@]}" "${test_packages[@]}"
    ;;
esac
