#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [extra cmake args...]
# Configure warnings and errors are shown; its progress messages are not.
set -euo pipefail
dir=$1; shift
cmake -S "$(dirname "$0")/.." -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" --log-level=WARNING "$@"
cmake --build "$dir" -j "$(nproc)"
