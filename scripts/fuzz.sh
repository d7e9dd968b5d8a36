#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz (the fuzzing preset)
# and runs each of them for a while: scripts/fuzz.sh [seconds per fuzzer,
# default 30]
# A fuzzer that finds a crash, a leak or a hang ends the script with an error;
# its input is left in build-fuzz/artifacts/. New inputs the fuzzers find go to
# build-fuzz/corpus/<name>/; the committed seeds in fuzz/corpus/<name>/ and the
# dictionary fuzz/<name>.dict, where there is one, stay as they are.
set -euo pipefail

seconds="${1:-30}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"

cd "$root"
cmake --preset fuzzing >/dev/null
cmake --build --preset fuzzing --target kb_fuzzers -j2

mkdir -p "$build/artifacts"
status=0
for fuzzer in "$build"/fuzz/kb_*_fuzzer; do
  name="$(basename "$fuzzer")"
  short="${name#kb_}"
  short="${short%_fuzzer}"
  corpus="$build/corpus/$short"
  seeds="$root/fuzz/corpus/$short"
  mkdir -p "$corpus"
  inputs=("$corpus")
  [[ -d "$seeds" ]] && inputs+=("$seeds")
  options=()
  [[ -f "$root/fuzz/$short.dict" ]] && options+=("-dict=$root/fuzz/$short.dict")
  echo "== $name for $seconds s"
  if ! "$fuzzer" "${inputs[@]}" "${options[@]}" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -timeout=20 -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
      2>"$build/$name.log"; then
    echo "!! $name failed; see $build/$name.log and $build/artifacts/" >&2
    tail -n 40 "$build/$name.log" >&2
    status=1
  else
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/$name.log" || true
  fi
done
exit "$status"
