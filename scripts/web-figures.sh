#!/usr/bin/env bash
# The browser version's figures beside the desktop build's: download sizes,
# the time from opening the page to the title picture, the idle main menu's
# processor time and the worst explosion burst. Needs scripts/build-web.sh
# and the browser tests' driver (which the test command installs).
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== download (raw, gzip -9)"
for file in build-web/site/klotzbrecher3.{wasm,js,data}; do
  awk -v name="$(basename "$file")" -v raw="$(stat -c %s "$file")" -v packed="$(gzip -9c "$file" | wc -c)" \
    'BEGIN { printf "%-22s %7.2f MB %7.2f MB\n", name, raw / 1e6, packed / 1e6 }'
done
echo "== desktop"
build/kb_explosion_burst build/data 2>/dev/null
echo "== browser"
source tests/web/serve.sh
serve build-web
NODE_PATH=build-web/browser-test-deps/node_modules node bench/web/browser_figures.js \
  "http://127.0.0.1:$port/site/" "http://127.0.0.1:$port/bench-site/" build/web-data
