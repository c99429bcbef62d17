#!/bin/sh
# Sets everything up on a fresh Debian machine, builds the game and runs every
# test: the unit tests (also under AddressSanitizer and UBSan) and the
# end-to-end tests against the real game in its own Xvfb.
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
. scripts/setup.sh
jobs="$(nproc)"

echo "== Build"
cmake -S . -B build >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-asan -DTALVON_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"

echo "== Unit tests"
(cd build && ctest --output-on-failure -R _unit)
echo "== Unit tests under AddressSanitizer and UBSan"
(cd build-asan && ctest --output-on-failure -R _unit)

echo "== End-to-end tests"
(cd build && ctest --output-on-failure -R e2e)
echo "== All tests passed"
