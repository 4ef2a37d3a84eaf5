#!/usr/bin/env bash
# Installs what is missing, builds, and starts the simulator on the bundled example.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
if [ -x build/torvan ]; then
  exec build/torvan "$PWD/examples/counter.hex" "$@"
fi
echo "Built the core library, tests and benchmarks; the application is not part of this build yet."
