#!/bin/sh
# Measures the game: builds it with its benchmark into build-bench/ and runs
# the benchmark on its own Xvfb (2560x1440x24, which holds the 640x480 picture
# enlarged 3 times), with four pads attached. Every figure is printed with its
# target and whether it is met. The figures depend on what else the machine is doing, so its load
# is printed before and after.
#
# Usage: sh scripts/bench.sh [frames|pacing|startup|cpu]   (default: all four)
set -e
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"
. scripts/setup.sh
build="build-bench"
# The server gets this long to come up, in steps of 0.1 s.
server_start_steps=200

cmake -S . -B "$build" -DTALVON_BENCH=ON -DTALVON_TESTS=OFF >/dev/null
cmake --build "$build" --target talvon talvon_bench bench_pads -j"$(nproc)"

# Xvfb picks a free display itself and writes its number once it is ready.
display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 2560x1440x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
server=$!
pads=""
cleanup() {
    kill "$server" 2>/dev/null || true
    rm -f "$display_file"
    [ -z "$pads" ] || rm -rf "$pads"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
steps=0
while [ ! -s "$display_file" ]; do
    steps=$((steps + 1))
    if [ "$steps" -gt "$server_start_steps" ] || ! kill -0 "$server" 2>/dev/null; then
        echo "bench: Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.1
done
display=":$(head -n 1 "$display_file")"

machine_load() {
    echo "-- machine load ($1): $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
    ps -eo pcpu=,comm= --sort=-pcpu | head -n 5 | sed 's/^/   %cpu /'
}

# Four pads attached: pipes that the library's joystick driver takes for
# joystick devices (the preload answers its questions as the kernel would),
# named in a configuration of the library's own. Nothing is written into
# them: pads lying still, which send nothing.
pads="$(mktemp -d)"
echo "[joystick]" >"$pads/allegro.cfg"
for n in 0 1 2 3; do
    mkfifo "$pads/js$n"
    echo "joystick_device_$n = $pads/js$n" >>"$pads/allegro.cfg"
done

machine_load "before"
DISPLAY="$display" TALVON_BENCH_SERVER_PID="$server" ALLEGRO="$pads" \
    LD_PRELOAD="$repo/$build/libbench_pads.so" "$build/talvon_bench" "$build/talvon" data "$@"
machine_load "after"
