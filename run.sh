#!/usr/bin/env bash
# Installs what is missing, builds, and starts the simulator on the bundled
# example (or on the program named as the argument).
set -euo pipefail
caller_dir=$PWD
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
if [ $# -gt 0 ]; then
  # A relative path names a file from where the script was called.
  program="$*"
  case "$program" in /*) ;; *) program="$caller_dir/$program" ;; esac
  exec build/torvan "$program"
fi
exec build/torvan "$PWD/examples/counter.hex"
