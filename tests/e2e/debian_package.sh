#!/usr/bin/env bash
# `cpack -G DEB` makes a Debian package whose dependencies come from the binaries (SDL2 among
# them), in the section games, holding the programs (in /usr/games), the data, the desktop entry,
# the AppStream metadata, the icon, the man pages, the copyright and the changelog under /usr, that
# lintian passes without an error or a warning.
# Arguments: the build folder and the source folder.
source "$(dirname "$0")/common.bash"
log="$work/cpack.log"
cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$log" 2>&1 || fail "cpack failed"
deb=("$work"/tracklet_*.deb)
[ -f "${deb[0]}" ] || fail "no tracklet_*.deb made"
log=""
depends="$(dpkg-deb -f "${deb[0]}" Depends)"
grep -q 'libsdl2-2.0-0' <<<"$depends" || fail "Depends lacks SDL2: $depends"
grep -q 'fonts-liberation' <<<"$depends" || fail "Depends lacks the game's font: $depends"
[ "$(dpkg-deb -f "${deb[0]}" Section)" = games ] || fail "section is $(dpkg-deb -f "${deb[0]}" Section)"
[ -n "$(dpkg-deb -f "${deb[0]}" Maintainer)" ] || fail "no maintainer"
dpkg-deb -c "${deb[0]}" | awk '{print $6}' >"$work/files"
for file in usr/games/tracklet usr/games/tracklet-level usr/games/tracklet-sim usr/share/tracklet/styles.txt \
    usr/share/tracklet/levels.txt usr/share/applications/org.example.tracklet.desktop \
    usr/share/metainfo/org.example.tracklet.metainfo.xml usr/share/icons/hicolor/256x256/apps/tracklet.png \
    usr/share/man/man6/tracklet.6.gz usr/share/man/man1/tracklet-level.1.gz usr/share/man/man1/tracklet-sim.1.gz \
    usr/share/doc/tracklet/copyright usr/share/doc/tracklet/changelog.gz; do
    grep -qx "./$file" "$work/files" || fail "the package lacks /$file"
done
# lintian says it is not meant to run as root; its checks are the same either way.
lintian --fail-on error,warning "${deb[0]}" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(grep -E '^[EW]:' "$work/lintian.log")"
echo "ok"
