#!/bin/sh
# Installs the Debian packages that are missing: those that build and run the
# game, and with SETUP_FOR=test also those the tests need (GoogleTest, Xvfb and
# XTest, libpng for the reference pictures, clang with its libFuzzer and
# clang-format, the packaging tools).
# Sourced by play.sh and test.sh.
set -e

# Building and playing; xmessage (x11-utils) shows the game's error messages.
PACKAGES="cmake g++ make pkg-config liballegro4-dev x11-utils"
if [ "${SETUP_FOR:-play}" = test ]; then
    PACKAGES="$PACKAGES libgtest-dev libpng-dev libx11-dev libxtst-dev xvfb xdotool clang clang-format libclang-rt-14-dev dpkg-dev file lintian desktop-file-utils appstream"
fi

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi
