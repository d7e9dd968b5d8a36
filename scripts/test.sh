#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs every test:
# unit and screen tests, the end-to-end tests under their own Xvfb, and a short
# run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh
export SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 900
scripts/fuzz.sh "${KB_FUZZ_SECONDS:-20}"
