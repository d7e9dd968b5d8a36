#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs every test:
# unit and screen tests, the end-to-end tests under their own Xvfb, and a short
# run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh
export SDL_AUDIODRIVER=dummy
log=$(mktemp)
trap 'rm -f "$log"' EXIT
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 900 | tee "$log"
scripts/fuzz.sh "${KB_FUZZ_SECONDS:-20}"
# The fuzzers print last; repeat the count of the test run for the reader.
total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log")
failed=$(sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' "$log")
echo "Tests: $((total - failed)) passed, $failed failed"
