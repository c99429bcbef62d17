#!/bin/sh
# Makes the reference pictures in tests/pictures/ anew from the game as it is
# now: builds the unit tests in build-asan, as the test command does, runs them
# with TALVON_MAKE_PICTURES=1 (each check writes what it sees instead of
# comparing) and lists the pictures that changed. Look at every one of them
# before committing it: a picture is only as right as the eye that passed it.
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
SETUP_FOR=test
. scripts/setup.sh
cmake -S . -B build-asan -DCMAKE_CXX_COMPILER=clang++ -DTALVON_SANITIZE=ON -DTALVON_TESTS=ON >/dev/null
cmake --build build-asan --target unit_tests -j"$(nproc)"
(cd build-asan/tests && TALVON_MAKE_PICTURES=1 ./unit_tests --gtest_brief=1)
git status --short tests/pictures
