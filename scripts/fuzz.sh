#!/bin/sh
# Fuzzes the settings-file loader for the given number of seconds (default
# 30) in build-asan, the clang build with the sanitizers, starting from the
# seed files in tests/fuzz/corpus and keeping what it learns in
# build-asan/fuzz-corpus. A finding stops the run with exit code 1 and is
# left in build-asan/fuzz-findings/.
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
seconds="${1:-30}"

cmake -S . -B build-asan -DCMAKE_CXX_COMPILER=clang++ -DTALVON_SANITIZE=ON -DTALVON_TESTS=ON >/dev/null
cmake --build build-asan --target settings_fuzzer -j"$(nproc)"
mkdir -p build-asan/fuzz-corpus build-asan/fuzz-findings

# One input may take at most 10 s before it counts as a hang.
build-asan/tests/settings_fuzzer -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict=tests/fuzz/settings.dict -artifact_prefix=build-asan/fuzz-findings/ \
    build-asan/fuzz-corpus tests/fuzz/corpus
