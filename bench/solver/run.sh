#!/usr/bin/env bash
# The solver benchmark: builds the solver in Release, then RUNS times times
# the table generator and solves Korf's 100 boards one after another on one
# thread, then again with two plain IDA*s as yardsticks, and prints each
# figure as median (minimum–maximum) over the runs. Not part of the tests.
#
#   bench/solver/run.sh [RUNS]      RUNS defaults to 7 (some 15 s each)
#
# BENCH_BUILD names the build folder (default build/bench-solver).
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=${1:-7}
build=${BENCH_BUILD:-build/bench-solver}

dev/install_missing.sh cmake ninja-build g++

echo "building (Release) into $build ..." >&2
cmake -S bench/solver -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "$(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores; Debian $(cat /etc/debian_version);" \
    "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for run in $(seq "$runs"); do
    # The generator as the build runs it; its output must be the embedded one.
    start=$(date +%s.%N)
    "$build/solver/tembira-tables" "$work/tables.bin"
    end=$(date +%s.%N)
    cmp -s "$work/tables.bin" "$build/solver/pattern_tables.bin" ||
        { echo "the generator made other tables than the build did" >&2; exit 1; }
    awk -v a="$start" -v b="$end" 'BEGIN { printf "generation_s=%.3f\n", b - a }' >>"$work/figures"
    "$build/solver_bench" bench/solver/korf100.txt >>"$work/figures" ||
        { echo "run $run: not every length was the published one" >&2; exit 1; }
    echo "run $run of $runs done" >&2
done

# One row a figure: the median (the mean of the middle two for an even count)
# and the range; met when the median is at most the limit (at least, for a
# negative limit).
row() {
    local name=$1 key=$2 format=$3 target=${4:-} limit=${5:-}
    sed -n "s/^$key=//p" "$work/figures" | sort -g | awk -v name="$name" -v f="$format" \
        -v target="$target" -v limit="$limit" '
        { v[NR] = $1 }
        END {
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            met = limit == "" ? "" : limit < 0 ? (m >= -limit ? "yes" : "no") : (m <= limit ? "yes" : "no")
            printf "| %s | " f " (" f "–" f ") | %s | %s |\n", name, m, v[1], v[NR], target, met
        }'
}

echo
echo "Korf's 100, one thread, $runs runs:"
echo
echo "| figure | median (min–max) | target | met |"
echo "|---|---|---|---|"
row "lengths equal to the published optimum" optimal "%d" "100" -100
row "nodes generated, all 100" nodes "%.0f" "≤ 20 million" 20000000
row "total for the 100, wall (s)" total_s "%.2f"
row "total for the 100, CPU (s)" cpu_s "%.2f" "≤ 0.4 (aim)" 0.4
row "plain 6-6-3 IDA* (lean yardstick), CPU (s)" lean_cpu_s "%.2f"
row "plain 6-6-3 IDA* ranking afresh, CPU (s)" afresh_cpu_s "%.2f"
row "plain 6-6-3 IDA*, nodes" lean_nodes "%.0f"
row "CPU time over the lean yardstick's" lean_cpu_ratio "%.3f" "≤ 0.15" 0.15
row "CPU time over the search ranking afresh" afresh_cpu_ratio "%.3f" "≤ 0.15" 0.15
row "median board (ms)" median_ms "%.1f"
row "90th percentile board (ms)" p90_ms "%.1f"
row "worst board (ms)" worst_ms "%.0f"
row "nodes per second (millions)" node_rate_M_per_s "%.1f"
row "pattern tables (bytes)" table_bytes "%.0f" "≤ 6,000,000" 6000000
row "peak resident memory of the solver (MiB)" peak_rss_MiB "%.1f" "≤ 13" 13
row "table generation, wall (s)" generation_s "%.2f" "≤ 1" 1
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
