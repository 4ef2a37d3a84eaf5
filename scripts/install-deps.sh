#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run;
# with --bench also what the benchmarks need (a virtual X server, so that the
# Run command is measured on the X11 platform users have).
# Only what is missing is installed, so a second run is quick and quiet.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev
  fonts-dejavu-core
)
BENCH_PACKAGES=(xvfb)
[ "${1:-}" = --bench ] && PACKAGES+=("${BENCH_PACKAGES[@]}")

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  SUDO=sudo
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
