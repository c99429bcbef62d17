#!/bin/sh
# The Debian package, end to end: CPack makes the .deb in BUILD_DIR (a built
# plain build of the game); lintian must report no error or warning, and its
# desktop entry and AppStream metadata must validate. Unpacked into a scratch
# prefix, its usr/games/talvon must start the game on a private Xvfb; ESC must
# end it with exit code 0, talvon.dat written in $XDG_DATA_HOME/talvon and the
# prefix unchanged. Usage: package_test.sh BUILD_DIR
set -eu
build="$(cd "${1:?usage: package_test.sh BUILD_DIR}" && pwd)"
scratch="$(mktemp -d)"
root="$scratch/root"
started="$(date +%s)"
server=""
cleanup() {
    [ ! -s "$scratch/game.pid" ] || kill "$(cat "$scratch/game.pid")" 2>/dev/null || true
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    [ ! -s "$scratch/game.pid" ] || wait_for 5 test -s "$scratch/exit" || true
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { cat "$scratch/game.log" 2>/dev/null >&2 || true; echo "package test: FAILED: $*" >&2; exit 1; }
# wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s; false after SECONDS.
wait_for() {
    polls=$(($1 * 10))
    shift
    until "$@"; do
        polls=$((polls - 1))
        [ "$polls" -gt 0 ] || return 1
        sleep 0.1
    done
}

echo "== Making the package with CPack in $build"
(cd "$build" && cpack -G DEB -B "$scratch/package") >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB"; }
deb="$(echo "$scratch"/package/talvon_*_*.deb)"
[ -f "$deb" ] || fail "no single talvon_<version>_<arch>.deb"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in liballegro4.4 x11-utils; do
    echo ", $depends," | grep -Eq ", $package( \(|,)" || fail "Depends ($depends) lacks $package"
done

echo "== lintian, desktop-file-validate, appstreamcli validate"
lintian --fail-on error,warning "$deb" || fail "lintian reports an error or a warning"
dpkg -x "$deb" "$root"
desktop="$(echo "$root"/usr/share/applications/*.desktop)"
out="$(desktop-file-validate "$desktop" 2>&1)" && [ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
(cd "$root" && find . -exec ls -ld --time-style=+%s {} +) >"$scratch/before"

echo "== Playing the unpacked usr/games/talvon on a private Xvfb"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
server=$!
wait_for 10 test -s "$scratch/display" || fail "no Xvfb display after 10 s"
DISPLAY=":$(cat "$scratch/display")" && export DISPLAY
( XDG_DATA_HOME="$scratch/data" HOME="$scratch/home" "$root/usr/games/talvon" >"$scratch/game.log" 2>&1 &
  echo $! >"$scratch/game.pid"; code=0; wait $! || code=$?; echo "$code" >"$scratch/exit" ) &
window_or_end() { [ -s "$scratch/exit" ] || xdotool search --name '^Talvon$' >/dev/null; }
wait_for 20 window_or_end || fail "no window titled Talvon after 20 s"
presses=0  # ESC pressed before the main menu runs is lost: press until it ends.
until [ -s "$scratch/exit" ]; do
    [ "$presses" -lt 10 ] || fail "the game did not end after 10 presses of ESC"
    presses=$((presses + 1))
    xdotool keydown Escape sleep 0.05 keyup Escape
    wait_for 2 test -s "$scratch/exit" || true
done
code="$(cat "$scratch/exit")"
[ "$code" -eq 0 ] || fail "the game ended with exit code $code"
[ -s "$scratch/data/talvon/talvon.dat" ] || fail "no talvon.dat in \$XDG_DATA_HOME/talvon"
(cd "$root" && find . -exec ls -ld --time-style=+%s {} +) | cmp -s - "$scratch/before" ||
    fail "the launcher or the game changed the unpacked prefix"
echo "package test: PASSED in $(($(date +%s) - started)) s ($(basename "$deb"): lintian clean, desktop entry and AppStream valid, game started and quit)"
