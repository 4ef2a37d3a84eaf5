#!/usr/bin/env bash
# Builds the optimised tree and runs every benchmark: the executor and
# peripheral loops, then the Run command in the headless application.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DTORVAN_BENCH=ON
build/torvan_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
QT_QPA_PLATFORM=offscreen build/bench_run --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
