#!/usr/bin/env bash
# scripts/play.sh [GAME OPTIONS]
# Sets up what building the game needs on a fresh Debian 12 machine, builds
# the game and its data folder into build/ (no tests, no benchmarks), and
# starts the game in that folder with the options given (--window, ...).
# Quiet unless something fails; the build's whole output is in build/play.log.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh --play
mkdir -p build
log=build/play.log
build() {
  cmake --preset play && cmake --build --preset play -j"$(nproc)"
}
if ! build >"$log" 2>&1; then
  grep -E -A8 'error:|CMake Error' "$log" | head -n 60 >&2 || tail -n 40 "$log" >&2
  echo "The build failed; its whole output is in $log" >&2
  exit 1
fi
echo "Starting Klotzbrecher 3 in build/data (options: build/klotzbrecher3 --help)"
cd build/data
exec ../klotzbrecher3 "$@"
