#!/bin/sh
# Takes the README's screenshots from the real game on its own Xvfb and stores
# them in docs/screenshots/: the main menu, the players and options screens
# and a match of eight worms, in English (--language en). Installs
# ImageMagick (for `import`) when missing.
# A tool, not a test: it waits fixed times for screens it does not check.
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
. scripts/setup.sh
command -v import >/dev/null && command -v xdotool >/dev/null ||
    apt-get install -y -qq imagemagick xdotool xvfb
cmake -S . -B build-play -DTALVON_TESTS=OFF >/dev/null
cmake --build build-play --target talvon -j"$(nproc)"
out="$repo/docs/screenshots"
work="$(mktemp -d)"
cp data/*.tga "$work/"
trap 'kill $game $server 2>/dev/null; rm -rf "$work"; true' EXIT

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
server=$!
while [ ! -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"

# Held for a few frames, so the game sees the press and the release.
press() { xdotool keydown "$1"; sleep 0.06; xdotool keyup "$1"; sleep 0.5; }
click() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.06; xdotool mouseup 1; sleep 0.5
}
shoot() {
    xdotool mousemove 620 460; sleep 0.3
    import -window root -crop 640x480+0+0 +repage "$out/$1.png" # the whole screen is the game
}
start_game() {
    (cd "$work" && exec "$repo/build-play/talvon" --language en) & game=$!
    until window="$(xdotool search --name '^Talvon$' 2>/dev/null | head -n 1)" && [ -n "$window" ]; do sleep 0.1; done
    sleep 1
}

start_game
shoot main-menu
click 320 245; shoot players-screen; press Escape
click 320 325; shoot options-screen; press Escape
press Escape; wait $game || true

# Every slot on and a slow turn, so the red worm circles while the rest race off.
sed -e '3s/.*/0 50 25 74523 0.150000/' -e '5,19s/^\(-\?[0-9]* -\?[0-9]* -\?[0-9]*\) 1$/\1 0/' \
    "$work/talvon.dat" >"$work/edited" && mv "$work/edited" "$work/talvon.dat"
start_game
press s; xdotool keydown Left; sleep 1.2; shoot match; xdotool keyup Left
press Escape; press Escape; wait $game || true
ls -l "$out"
