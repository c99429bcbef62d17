#!/bin/sh
# Usage: package_test.sh BUILD_DIR (a plain build). The .deb made there is lint-free, and unpacked
# its usr/games/talvon plays on a private Xvfb, ends on ESC with 0 and writes only talvon.dat.
set -eu
build="$(cd "${1:?usage: package_test.sh BUILD_DIR}" && pwd)"
scratch="$(mktemp -d)"
root="$scratch/root"
server=""
trap 'kill $server $(cat "$scratch/game.pid" 2>/dev/null) 2>/dev/null || true; rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM
fail() { cat "$scratch/game.log" 2>/dev/null >&2 || true; echo "package test: FAILED: $*" >&2; exit 1; }
# wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s; false after SECONDS.
wait_for() {
    polls=$(($1 * 10)); shift
    until "$@"; do
        polls=$((polls - 1)); [ "$polls" -gt 0 ] || return 1; sleep 0.1
    done
}
listing() { (cd "$root" && find . -exec ls -ld --time-style=+%s {} +); }

(cd "$build" && cpack -G DEB -B "$scratch/package") >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB"; }
deb="$(echo "$scratch"/package/talvon_*_*.deb)"
[ -f "$deb" ] || fail "no single talvon_<version>_<arch>.deb"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in liballegro4.4 x11-utils; do
    echo ", $depends," | grep -Eq ", $package( \(|,)" || fail "Depends ($depends) lacks $package"
done
lintian --fail-on error,warning "$deb" || fail "lintian reports an error or a warning"
dpkg -x "$deb" "$root"
out="$(desktop-file-validate "$root"/usr/share/applications/*.desktop 2>&1)" && [ -z "$out" ] ||
    fail "desktop-file-validate: $out"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
listing >"$scratch/before"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
server=$!
wait_for 10 test -s "$scratch/display" || fail "no Xvfb display after 10 s"
export DISPLAY=":$(cat "$scratch/display")"
( XDG_DATA_HOME="$scratch/data" HOME="$scratch/home" "$root/usr/games/talvon" >"$scratch/game.log" 2>&1 &
  echo $! >"$scratch/game.pid"; code=0; wait $! || code=$?; echo "$code" >"$scratch/exit" ) &
window_or_end() { [ -s "$scratch/exit" ] || xdotool search --name '^Talvon$' >/dev/null; }
wait_for 20 window_or_end || fail "no window titled Talvon after 20 s"
for presses in 1 2 3 4 5 6 7 8 9 10; do # ESC pressed before the main menu runs is lost
    [ -s "$scratch/exit" ] && break
    xdotool keydown Escape sleep 0.05 keyup Escape
    wait_for 2 test -s "$scratch/exit" || true
done
[ "$(cat "$scratch/exit" 2>/dev/null)" = 0 ] || fail "the game did not end with exit code 0 on ESC"
[ -s "$scratch/data/talvon/talvon.dat" ] || fail "no talvon.dat in \$XDG_DATA_HOME/talvon"
listing | cmp -s - "$scratch/before" || fail "the launcher or the game changed the unpacked prefix"
echo "package test: PASSED ($(basename "$deb"): lintian clean, desktop entry and AppStream valid, game started and quit)"
