#!/usr/bin/env bash
# Builds the benchmark, runs it and prints its tables (also saved to build/bench/table.txt): the
# Windows programs and the core against their floors, then the page against its floor.
# Not a test: it takes several minutes and its figures depend on the machine, so CI skips it.
#   bench/run.sh [START-UP RUNS (30)] [PRESSES (1000)]
# The Windows programs run under Wine on a virtual display of their own, in their own prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
presses=${2:-1000}
out=build/bench
results=$out/results

scripts/install-deps.sh
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# Emscripten's optimiser needs Debian's Node modules (the web preset sets this for its own builds).
export NODE_PATH=/usr/share/nodejs

# Each build is the product's preset with the benchmark added, in a directory of its own.
build() {
    local name=$1 preset=$2
    shift 2
    echo "=== build: $name" >&2
    mkdir -p "$out/logs"
    if ! { cmake --preset "$preset" -B "$out/$name" -DQUARVEL_BUILD_TESTS=OFF \
               -DQUARVEL_BUILD_BENCH=ON "$@" && cmake --build "$out/$name"; } \
         >"$out/logs/$name.log" 2>&1; then
        tail -30 "$out/logs/$name.log" >&2
        exit 1
    fi
}
build host host -DCMAKE_BUILD_TYPE=Release
build win64 win64
build win32 win32
build web web

mkdir -p "$results"
rm -f "$results"/*

# The core first, while nothing else of ours runs. Many short repetitions, interleaved at
# random, so a slow spell of the shared machine falls on every benchmark alike.
echo "=== core: Google Benchmark" >&2
"$out/host/bench/bench_core" --benchmark_repetitions=25 --benchmark_min_time=0.1 \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_format=json \
    >"$results/core.json" 2>"$out/logs/core.log"

# A display of our own, from the range kept for this kind of work, and a prefix of our own.
display=""
for candidate in $(seq 200 249); do
    [ -e "/tmp/.X11-unix/X$candidate" ] || [ -e "/tmp/.X$candidate-lock" ] && continue
    display=$candidate
    break
done
[ -n "$display" ] || { echo "no free display number in 200-249" >&2; exit 1; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
export QUARVEL_WINEPREFIX=$PWD/$out/wine-prefix
# shellcheck source=../scripts/wine-session.sh
source scripts/wine-session.sh
stop() {
    wine_session_stop
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
wine_session_start

# The driver runs beside the programs, in the directory where they were built.
(
    cd "$out/win64"
    echo "=== start-up: $runs runs of each program" >&2
    "$WINE" bench_driver.exe startup "$runs" quarvel=Quarvel.exe \
        floor_dialog=bench_floor_dialog.exe floor_resources=bench_floor_resources.exe \
        >"../results/startup.tsv"
    echo "=== response: $presses presses in each program" >&2
    "$WINE" bench_driver.exe response "$presses" quarvel=Quarvel.exe \
        floor_calculate=bench_floor_calculate.exe >"../results/response.tsv"
)

"$WINE" --version >"$results/wine-version.txt"
python3 bench/report.py "$out" | tee "$out/table.txt"

# The page against its floor, in headless Chromium.
echo "=== the page: $runs loads and $presses presses of each" >&2
{
    echo
    echo "The page (build/bench/web/quarvel.html) against its floor (floor.html), Chromium:"
    /usr/bin/python3 bench/page/page_bench.py "$PWD/$out/web/quarvel.html" \
        "$PWD/$out/web/floor.html" "$runs" "$presses"
} | tee -a "$out/table.txt"
