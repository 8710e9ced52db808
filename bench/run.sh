#!/usr/bin/env bash
# The performance benchmark: builds the game in Release and the benchmark's
# own programs, starts a private Xvfb and prints one table of start-up, peak
# memory, idle cost and timing fidelity against a bare Qt window, with the
# targets and whether each is met. Not part of the tests.
#
#   bench/run.sh [RUNS]      RUNS defaults to 7 (about a minute each)
#
# BENCH_BUILD names the build folder (default build/bench-release).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-7}
build=${BENCH_BUILD:-build/bench-release}

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-ipafont-mincho fonts-ipafont-gothic
    libx11-dev libxtst-dev libxdamage-dev xvfb)
dev/install_missing.sh "${packages[@]}"

echo "building (Release) into $build ..." >&2
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEMBIRA_TESTS=OFF >/dev/null
cmake --build "$build" -j 2 --target tembira tembira-solve >/dev/null
cmake -S bench -B "$build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/bench" -j 2 >/dev/null

work=$(mktemp -d)
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A private server on a display number of its own choosing.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

echo "$(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores; Debian $(cat /etc/debian_version);" \
    "Xvfb $DISPLAY; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/bench_driver" --game "$build/tembira" --bare "$build/bench/bare_window" \
    --runs "$runs" --log "$work"
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
