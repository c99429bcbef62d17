#!/bin/sh
# Takes the README's screenshots from the real game under Xvfb and stores
# them, compressed, in docs/screenshots/. Needs a build (scripts/test.sh).
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
out="$repo/docs/screenshots"
mkdir -p "$out"
TALVON_SCREENSHOTS="$out" "$repo/build/tests/e2e_tests" --gtest_filter='Screenshots.*'
for f in "$out"/*.png; do
    /usr/bin/python3 -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[1], optimize=True)' "$f"
done
ls -l "$out"
