#!/usr/bin/env bash
# Installs what is missing, builds, and starts the simulator on the bundled
# example (or on the program named as the argument).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
if [ $# -gt 0 ]; then
  exec build/torvan "$*"
fi
exec build/torvan "$PWD/examples/counter.hex"
