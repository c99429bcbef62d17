#!/bin/sh
# Sets everything up on a fresh Debian machine and starts the game. It runs in
# a per-user directory that holds the pictures and the player's talvon.dat.
# Arguments go to the game; without a --scale of the player's own, the
# picture is enlarged as far as the desktop holds (--scale fit).
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
. scripts/setup.sh
cmake -S . -B build-play -DTALVON_TESTS=OFF >/dev/null
cmake --build build-play --target talvon -j"$(nproc)"
home="${XDG_DATA_HOME:-$HOME/.local/share}/talvon"
mkdir -p "$home"
cp data/*.tga "$home/"
cd "$home"
for arg in "$@"; do
    case "$arg" in
    --scale | --scale=*) exec "$repo/build-play/talvon" "$@" ;;
    esac
done
exec "$repo/build-play/talvon" --scale fit "$@"
