#!/usr/bin/env bash
# One entry point for players and maintainers:
#   ./tracklet.sh play   installs missing Debian packages, builds, starts the game in data/
#   ./tracklet.sh test   installs missing Debian packages, builds, runs every test
#   ./tracklet.sh build  installs missing Debian packages and builds
# TRACKLET_SANITIZE=1 builds into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

packages=(build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libassimp-dev libmeshoptimizer-dev libglm-dev
  libstb-dev libepoxy-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0 fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  xvfb xauth xdotool imagemagick openbox sox)
# The fuzzers (fuzz/run.sh, CI) need clang and its libFuzzer runtime.
[ "${TRACKLET_FUZZ_PACKAGES:-0}" = 1 ] && packages+=(clang-14 libclang-rt-14-dev)

setup() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build_dir() {
  if [ "${TRACKLET_SANITIZE:-0}" = 1 ]; then echo "$here/build-asan"; else echo "$here/build"; fi
}

build() {
  local dir; dir="$(build_dir)"
  local sanitize=OFF
  [ "${TRACKLET_SANITIZE:-0}" = 1 ] && sanitize=ON
  cmake -S "$here" -B "$dir" -G Ninja -DTRACKLET_SANITIZE=$sanitize >/dev/null
  cmake --build "$dir" -j2
}

case "${1:-}" in
  play)
    setup; build
    cd "$here/data" && exec "$(build_dir)/tracklet"
    ;;
  test)
    setup; build
    if [ "${TRACKLET_SANITIZE:-0}" = 1 ]; then
      # Any error ends the test that made it. Leaks inside third-party libraries are listed in
      # .ci/lsan.supp.
      export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
      export LSAN_OPTIONS="suppressions=$here/.ci/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
      export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
    fi
    cd "$(build_dir)" && ctest --output-on-failure -j2
    ;;
  build)
    setup; build
    ;;
  setup)
    setup
    ;;
  *)
    echo "usage: $0 play|test|build|setup" >&2; exit 2
    ;;
esac
