#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs every check: lint
# (scripts/lint.sh), the unit and screen tests and the end-to-end journeys on
# the Release build and on a build with sanitizers, the unit and screen tests
# on a clang build, the browser version's tests beside the desktop build, and
# a short run of each fuzzer. Any failure fails the run at its end.
#
# The work is laid out for two cores. The journeys drive the real game by its
# own timing, each on its own display, and spend most of their time waiting
# for the game; they run at normal priority in two lanes, one journey at a
# time in each: the Release build's as soon as that build is done and then the
# browser's, and beside them the sanitizer build's as soon as that build is
# done. Everything else runs beside the lanes at the lowest priority and takes
# what the journeys leave: fuzzing once the sanitizer build is done, and the
# other builds, the unit tests and lint one after another. Compilers go
# through ccache, so that a run after another compiles nothing it has compiled
# before, in this clone or in another one; lint checks again only what has
# changed.
#
# Each stage writes its output to build-logs/STAGE.log; the logs are shown
# whole when everything has ended, in a fixed order, with each stage's time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
export SDL_AUDIODRIVER=dummy
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
export CCACHE_BASEDIR="$PWD"
ccache --zero-stats >/dev/null
logs="$PWD/build-logs"
rm -rf "$logs"
mkdir -p "$logs"
begin=$SECONDS

# stage NAME COMMAND...: runs the command with its output in NAME.log and
# notes its exit status, its start and its length; it never fails itself, so
# that every stage runs and is reported. Bash does not apply `set -e` inside a
# command whose status is tested, so a function given to it chains its steps
# with && (as build_preset does).
stage() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" >"$logs/$name.log" 2>&1 </dev/null || status=$?
  echo "$status $((start - begin)) $((SECONDS - start))" >"$logs/$name.status"
}
# low COMMAND...: at the lowest priority, beside the journeys (a subshell
# lowers its own priority, so that the command may be a function).
low() { (renice -n 19 -p "$BASHPID" >/dev/null && "$@"); }

# The end-to-end journeys of one build (the sanitizer build's leave leak
# checking to the unit tests: the X and GL libraries under the real window
# keep memory until the process ends), and its other tests.
journeys() { ctest --test-dir "$1" --output-on-failure --timeout 900 -R '^e2e_'; }
units() { ctest --test-dir "$1" --output-on-failure -j2 --timeout 1800 -E '^e2e_'; }
build_preset() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j2; }

# await STAGE: until that stage has ended, however it ended.
await() { until [ -f "$logs/$1.status" ]; do sleep 2; done; }
# The journeys' lanes. A key is pressed and let go by one xdotool process
# (xvfb_session.sh): pressed and let go by two, a busy machine held it on into
# the next screen.
release_lane() {
  stage e2e_release journeys build
  await build_web
  stage web ctest --preset web --timeout 900
}
sanitizer_lane() {
  await build_sanitizers
  ASAN_OPTIONS=detect_leaks=0 stage e2e_sanitizers journeys build-asan
}

# Fuzzing needs no other stage; it waits only so as not to slow the build
# that the sanitizer lane waits for.
fuzz_beside() {
  await build_sanitizers
  stage fuzz low scripts/fuzz.sh "${KB_FUZZ_SECONDS:-20}"
}

sanitizer_lane &
background=($!)
fuzz_beside &
background+=($!)
stage build_release scripts/build.sh
release_lane &
background+=($!)
stage build_sanitizers low build_preset sanitizers
stage unit_release low units build
ASAN_OPTIONS=detect_leaks=1 stage unit_sanitizers low units build-asan
stage build_web low scripts/build-web.sh
stage build_clang low build_preset clang
stage unit_clang low ctest --preset clang -j2 --timeout 900
stage lint low scripts/lint.sh
wait "${background[@]}"

order=(build_release build_sanitizers build_clang build_web unit_release unit_sanitizers
  unit_clang web e2e_release e2e_sanitizers fuzz lint)
failed_stages=()
for name in "${order[@]}"; do
  echo "==== $name"
  cat "$logs/$name.log"
done
echo "==== stages: name, status, started after, took (seconds)"
for name in "${order[@]}"; do
  read -r status start took <"$logs/$name.status"
  printf '%-18s %3d %5d %5d\n' "$name" "$status" "$start" "$took"
  [ "$status" -eq 0 ] || failed_stages+=("$name")
done
echo "whole run: $((SECONDS - begin)) s; the compiler cache: $(ccache --print-stats | awk -F'\t' '$1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { h += $2 } $1 == "cache_miss" { m = $2 } END { print h + 0 " hits, " m + 0 " misses" }')"
# The count of every ctest run above, for the reader.
total=$(cat "$logs"/*.log | sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' | awk '{ s += $1 } END { print s + 0 }')
failed=$(cat "$logs"/*.log | sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' | awk '{ s += $1 } END { print s + 0 }')
echo "Tests: $((total - failed)) passed, $failed failed"
if [ ${#failed_stages[@]} -ne 0 ]; then
  echo "failed: ${failed_stages[*]}" >&2
  exit 1
fi
