#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, checks the code with
# scripts/lint.sh, builds, and runs every test: unit and screen tests and the
# end-to-end tests under their own Xvfb, once on the Release build and once
# with sanitizers, the unit and screen tests once more on a clang build, the
# browser version beside the desktop build, then a short run of each fuzzer. A lint finding fails the run at its end, after
# the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
lint=0
scripts/lint.sh || lint=1
scripts/build.sh
export SDL_AUDIODRIVER=dummy
log=$(mktemp)
trap 'rm -f "$log"' EXIT
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 900 | tee "$log"
# Every test again on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
# The end-to-end runs leave leak checking to the unit tests: the X and GL
# libraries under the real window keep memory until the process ends.
cmake --preset sanitizers >/dev/null
cmake --build --preset sanitizers -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j"$(nproc)" \
  --timeout 1800 -E '^e2e_' | tee -a "$log"
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure --timeout 1800 \
  -R '^e2e_' | tee -a "$log"
# The game builds with clang as well as with GCC; its unit and screen tests
# run on that build too.
cmake --preset clang >/dev/null
cmake --build --preset clang -j"$(nproc)"
ctest --preset clang -j"$(nproc)" --timeout 900 | tee -a "$log"
# The browser version: the same frames as the desktop build, and its page
# played in headless Chromium.
scripts/build-web.sh
ctest --preset web --timeout 900 | tee -a "$log"
scripts/fuzz.sh "${KB_FUZZ_SECONDS:-20}"
# The fuzzers print last; repeat the count of the test run for the reader.
total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log" | awk '{ s += $1 } END { print s }')
failed=$(sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' "$log" | awk '{ s += $1 } END { print s }')
echo "Tests: $((total - failed)) passed, $failed failed"
if [ "$lint" -ne 0 ]; then
  echo "scripts/lint.sh found problems; see its output at the start" >&2
  exit 1
fi
