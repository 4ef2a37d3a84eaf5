#!/usr/bin/env bash
# Builds the optimised tree and runs every benchmark: the executor and
# peripheral loops, then the Run command in the application, on the X11
# platform under a virtual X server when one is installed, headless
# otherwise (bench_run says which).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
scripts/build.sh build -DTORVAN_BENCH=ON
build/torvan_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

run_bench() { build/bench_run --benchmark_repetitions=3 --benchmark_report_aggregates_only=true; }
if command -v Xvfb >/dev/null; then
  for n in $(seq 90 140); do [ -e "/tmp/.X$n-lock" ] || { display=:$n; break; }; done
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  DISPLAY=$display QT_QPA_PLATFORM=xcb run_bench
else
  QT_QPA_PLATFORM=offscreen run_bench
fi
