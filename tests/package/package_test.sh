#!/bin/sh
# The Debian package, end to end: builds the game from the source tree in a
# scratch build directory as a packager would, makes the package with CPack,
# checks its name and dependencies, unpacks it into a scratch prefix (no
# root, no chroot) and plays it there the way a player would. The launcher
# must start the game on a private Xvfb in a per-user directory it makes,
# with the pictures copied in; ESC on the main menu must end the game with
# exit code 0 and its settings file written there, and nothing written under
# the prefix. After an update of an installed picture, the next start must
# copy it again, and leave alone a picture the player has replaced.
#
# Usage: package_test.sh SOURCE_DIR
set -eu

source_dir="$(cd "$1" && pwd)"
scratch="$(mktemp -d)"
build="$scratch/build"
root="$scratch/root"
player_dir="$scratch/data/talvon"
pictures="kelogo.tga napisy.tga paletka.tga talvoni.tga"
# Every wait polls every 0.1 s and gives up after this many polls.
wait_polls=300
# ESC is held this long, more than a few menu frames.
escape_hold=0.2
# After a press, the game gets this many polls to end before ESC is pressed
# again, at most escape_presses times: a press that comes before the main
# menu runs is only buffered.
exit_polls_per_press=20
escape_presses=10

server=""
game_pid_file="$scratch/game.pid"
exit_file="$scratch/game.exit"

cleanup() {
    if [ -s "$game_pid_file" ]; then kill "$(cat "$game_pid_file")" 2>/dev/null || true; fi
    if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "package test: FAILED: $*" >&2
    exit 1
}

# quietly WHAT COMMAND...: runs COMMAND with its output in a log, shown only
# when it fails.
quietly() {
    what="$1"
    shift
    "$@" >"$scratch/step.log" 2>&1 || { cat "$scratch/step.log" >&2; fail "$what failed"; }
}

# wait_for WHAT COMMAND...: polls until COMMAND succeeds.
wait_for() {
    what="$1"
    shift
    polls=0
    until "$@"; do
        polls=$((polls + 1))
        [ "$polls" -le "$wait_polls" ] || fail "no $what after $((wait_polls / 10)) s"
        sleep 0.1
    done
}

# ---------------------------------------------------------------- the package

echo "== Building the package"
quietly "cmake" cmake -S "$source_dir" -B "$build" -DTALVON_TESTS=OFF
quietly "the build" cmake --build "$build" -j"$(nproc)"
quietly "cpack -G DEB" sh -c 'cd "$1" && cpack -G DEB -B "$2"' sh "$build" "$scratch/package"
set -- "$scratch"/package/talvon_*_*.deb
if [ "$#" -ne 1 ] || [ ! -f "$1" ]; then
    fail "no single talvon_<version>_<arch>.deb in the output"
fi
deb="$1"
echo "   $(basename "$deb")"

depends="$(dpkg-deb -I "$deb" | sed -n 's/^ Depends: //p')"
echo "   Depends: $depends"
for package in liballegro4.4 x11-utils; do
    echo ", $depends," | grep -Eq ", $package( \(|,)" || fail "Depends does not name $package"
done

dpkg -x "$deb" "$root"
for file in usr/bin/talvon usr/lib/talvon/talvon; do
    [ -x "$root/$file" ] || fail "$file is not in the package or not executable"
done
for picture in $pictures; do
    [ -f "$root/usr/share/talvon/$picture" ] || fail "usr/share/talvon/$picture is missing"
done
[ -f "$root/usr/share/icons/hicolor/64x64/apps/talvon.png" ] || fail "the icon is missing"
grep -qx 'Categories=Game;ArcadeGame;' "$root/usr/share/applications/talvon.desktop" ||
    fail "the desktop entry is missing or not in Game;ArcadeGame;"
(cd "$root" && find . | sort) >"$scratch/installed-files"

# ---------------------------------------------------------------- the display

display_file="$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
server=$!
wait_for "Xvfb display" test -s "$display_file"
DISPLAY=":$(head -n 1 "$display_file")"
export DISPLAY

# ---------------------------------------------------------------- playing it

# Starts the launcher as a player with a fresh home would; its exit code
# lands in $exit_file.
start_game() {
    rm -f "$game_pid_file" "$exit_file"
    (
        HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" "$root/usr/bin/talvon" \
            >"$scratch/game.out" 2>&1 &
        echo $! >"$game_pid_file"
        code=0
        wait $! || code=$?
        echo "$code" >"$exit_file"
    ) &
    wait_for "game process" test -s "$game_pid_file"
}

game_window_shown() {
    xwininfo -root -tree 2>/dev/null | grep -q '"Talvon"'
}

pictures_copied() {
    for picture in $pictures; do
        [ -f "$player_dir/$picture" ] || return 1
    done
}

# Presses ESC, holding it for escape_hold, until the game has ended.
escape_until_game_ends() {
    presses=0
    while [ "$presses" -lt "$escape_presses" ]; do
        presses=$((presses + 1))
        xdotool keydown Escape
        sleep "$escape_hold"
        xdotool keyup Escape
        polls=0
        while [ "$polls" -lt "$exit_polls_per_press" ]; do
            [ -s "$exit_file" ] && return 0
            polls=$((polls + 1))
            sleep 0.1
        done
    done
    fail "the game did not end after $escape_presses presses of ESC"
}

# Plays one start: window, pictures, ESC; then the exit code and the file.
play_once() {
    start_game
    wait_for "game window titled Talvon" game_window_shown
    wait_for "pictures in $player_dir" pictures_copied
    escape_until_game_ends
    code="$(cat "$exit_file")"
    [ "$code" -eq 0 ] || { cat "$scratch/game.out" >&2; fail "the game ended with exit code $code"; }
    [ -s "$player_dir/talvon.dat" ] || fail "no talvon.dat in $player_dir"
}

# True when file $1 was modified after file $2.
newer() {
    [ -n "$(find "$1" -newer "$2")" ]
}

# True when both files have the same modification time.
same_time() {
    ! newer "$1" "$2" && ! newer "$2" "$1"
}

# The logo and the palette as installed by a package built long ago; an
# update later brings a logo built after that, yet before the player's first
# start, while the player puts in a palette of their own.
installed_logo="$root/usr/share/talvon/kelogo.tga"
player_logo="$player_dir/kelogo.tga"
installed_palette="$root/usr/share/talvon/paletka.tga"
player_palette="$player_dir/paletka.tga"
touch -d '2001-01-01 00:00' "$installed_logo" "$installed_palette"

echo "== First start: the launcher makes the player's directory"
play_once
(cd "$root" && find . | sort) | cmp -s - "$scratch/installed-files" ||
    fail "the game or the launcher wrote under the installed prefix"
same_time "$installed_logo" "$player_logo" || fail "the copy of kelogo.tga lost the installed time"

echo "== Second start: the updated logo is copied again, the player's palette kept"
touch -d '2002-01-01 00:00' "$installed_logo"
touch -d '2003-01-01 00:00' "$player_palette"
play_once
if ! same_time "$installed_logo" "$player_logo" || ! cmp -s "$installed_logo" "$player_logo"; then
    fail "the updated kelogo.tga was not copied again"
fi
newer "$player_palette" "$installed_palette" || fail "the player's own paletka.tga was replaced"

echo "== The package installs and plays"
