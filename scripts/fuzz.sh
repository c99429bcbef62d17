#!/bin/sh
# Fuzzes the settings-file loader for the given number of seconds (default
# 30): builds build-fuzz with clang and libFuzzer, starts from the seed files
# in tests/fuzz/corpus and keeps what it learns in build-fuzz/corpus. A
# finding stops the run with exit code 1 and is left in build-fuzz/findings/.
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
seconds="${1:-30}"

cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j"$(nproc)"
mkdir -p build-fuzz/corpus build-fuzz/findings

# One input may take at most 10 s before it counts as a hang.
build-fuzz/settings_fuzzer -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict=tests/fuzz/settings.dict -artifact_prefix=build-fuzz/findings/ \
    build-fuzz/corpus tests/fuzz/corpus
