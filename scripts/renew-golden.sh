#!/usr/bin/env bash
# The recorded whole games in tests/golden/: runs klotz-rules on every script and shows
# how its answers differ from the kept output. Use it when a golden_ test fails; after a
# deliberate change of the rules' course, and only then, --write renews the kept
# outputs, to be committed with the change. BUILD_DIR defaults to build.
#   scripts/renew-golden.sh [--write] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
write=0
if [[ "${1:-}" == "--write" ]]; then
  write=1
  shift
fi
driver="${1:-build}/klotz-rules"
if [[ ! -x "$driver" ]]; then
  echo "no $driver: build the klotz-rules target first" >&2
  exit 2
fi

status=0
for script in tests/golden/*.rules; do
  kept="${script%.rules}.out"
  fresh="$(mktemp)"
  "$driver" <"$script" >"$fresh"
  if diff -u "$kept" "$fresh"; then
    echo "same: $kept"
  elif ((write)); then
    cp "$fresh" "$kept"
    echo "renewed: $kept"
  else
    status=1
  fi
  rm -f "$fresh"
done
exit "$status"
