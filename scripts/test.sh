#!/bin/sh
# Sets everything up on a fresh Debian machine, checks the layout of the C++,
# builds the game and runs every test: the unit tests and the end-to-end tests
# (the real game in its own Xvfb) against a clang build with AddressSanitizer
# and UBSan, 30 s of fuzzing the settings file, and the Debian package linted,
# unpacked and started. Prints the time each stage took.
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
SETUP_FOR=test
. scripts/setup.sh
jobs="$(nproc)"

# Ends the stage running (printing its time) and starts the next one, if named.
stage_name=""
stage_start="$(date +%s)"
stage() {
    now="$(date +%s)"
    [ -z "$stage_name" ] || echo "-- $stage_name: $((now - stage_start)) s"
    stage_name="$1"
    stage_start="$now"
    [ -z "$1" ] || echo "== $1"
}

stage "Layout: every C++ file as .clang-format lays it out"
find src tests bench -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run --Werror

stage "Build: the game, and with clang the game and its tests under AddressSanitizer and UBSan"
cmake -S . -B build -DTALVON_TESTS=OFF >/dev/null
cmake --build build -j"$jobs"
# Clang also refuses statements joined by commas, in the game and its tests.
cmake -S . -B build-asan -DCMAKE_CXX_COMPILER=clang++ -DTALVON_SANITIZE=ON -DTALVON_TESTS=ON >/dev/null
cmake --build build-asan -j"$jobs"

stage "Unit tests"
(cd build-asan && ctest --output-on-failure -R '^unit$')

stage "End-to-end tests"
(cd build-asan && ctest --output-on-failure -R '^e2e$')

stage "Fuzzing the settings file"
sh scripts/fuzz.sh 30

stage "The Debian package: linted, unpacked and started"
sh tests/package/package_test.sh build

stage ""
echo "== All tests passed"
