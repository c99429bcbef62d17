#!/bin/sh
# Sets everything up on a fresh Debian machine, builds the game and runs every
# test: the unit tests (also under AddressSanitizer and UBSan), the end-to-end
# tests against the real game in its own Xvfb (once more against the sanitizer
# build, with the sweep of hand-edited settings files), 30 s of fuzzing the
# settings file, and the Debian package unpacked and started.
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
SETUP_FOR=test
. scripts/setup.sh
jobs="$(nproc)"

echo "== Build"
cmake -S . -B build -DTALVON_TESTS=ON -DTALVON_SANITIZED_GAME="$repo/build-asan/talvon" >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-asan -DTALVON_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"

echo "== Unit tests"
(cd build && ctest --output-on-failure -R _unit)
echo "== Unit tests under AddressSanitizer and UBSan"
(cd build-asan && ctest --output-on-failure -R _unit)

echo "== End-to-end tests"
(cd build && ctest --output-on-failure -R '^e2e$')
echo "== End-to-end tests against the sanitizer build, with the hand-edited settings files"
(cd build && ctest --output-on-failure -R '^e2e_sanitized$')

echo "== Fuzzing the settings file"
sh scripts/fuzz.sh 30
echo "== The Debian package, unpacked and started"
(cd build && ctest --output-on-failure -R '^package$')
echo "== All tests passed"
