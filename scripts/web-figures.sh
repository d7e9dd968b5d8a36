#!/usr/bin/env bash
# The browser version's figures beside the desktop build's: the site's
# sizes, the bytes of a first and a repeat visit and the time from opening
# the page to the title picture on each, the idle main menu's processor time
# and the worst explosion burst. Needs scripts/build-web.sh
# and the browser tests' driver (which the test command installs).
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== site (raw, gzip -9)"
for file in build-web/site/klotzbrecher3.{wasm,js,data.gz}; do
  awk -v name="$(basename "$file")" -v raw="$(stat -c %s "$file")" -v packed="$(gzip -9c "$file" | wc -c)" \
    'BEGIN { printf "%-22s %7.2f MB %7.2f MB\n", name, raw / 1e6, packed / 1e6 }'
done
echo "== desktop"
build/kb_explosion_burst build/data 2>/dev/null
echo "== browser"
NODE_PATH=build-web/browser-test-deps/node_modules node bench/web/browser_figures.js build-web build/web-data
