#!/bin/sh
# Usage: e2e.sh E2E_PROGRAM SHARDS; CTest's e2e test runs it. Runs the end-to-end
# program as SHARDS processes at once, each with its share of the tests on an
# Xvfb of its own: the tests mostly wait for the game, so they overlap well.
# Prints each shard's summary, and the whole output of any shard that failed.
program="$1"
shards="$2"
logs="$(mktemp -d)"
pids=""
i=0
while [ "$i" -lt "$shards" ]; do
    GTEST_TOTAL_SHARDS="$shards" GTEST_SHARD_INDEX="$i" "$program" >"$logs/$i" 2>&1 &
    pids="$pids $!"
    i=$((i + 1))
done
status=0
i=0
for pid in $pids; do
    if wait "$pid"; then
        grep -E '^\[(==========|  PASSED  )\]' "$logs/$i"
    else
        cat "$logs/$i"
        status=1
    fi
    i=$((i + 1))
done
rm -rf "$logs"
exit "$status"
