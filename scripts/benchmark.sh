#!/usr/bin/env bash
# Start-up benchmark: the configurator against an empty Qt Widgets window of
# the same build, on a private X server. Prints the medians of RUNS starts of
# each (default 15) and their ratios. Not a test: nothing here fails on a
# slow figure.
# Usage: scripts/benchmark.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_TEST_PACKAGES[@]}" "${KORVEL_BENCHMARK_PACKAGES[@]}"

# Built as users get it: optimized, no checks.
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target config emptywindow

source "$root/tests/realwindow/xsession.sh"
trap x_stop EXIT
x_start
/usr/bin/python3 "$root/tests/benchmark/measure.py" "$build/config/config" "$build/tests/benchmark/emptywindow" \
    "$root/config/setup/languages" "$runs"
