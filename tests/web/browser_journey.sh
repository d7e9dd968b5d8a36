#!/usr/bin/env bash
# browser_journey.sh SITE_FOLDER DATA_FOLDER: the browser version served on 127.0.0.1 and
# played in headless Chromium by browser_journey.js. Playwright's driver comes
# from the npm registry (package-lock.json), once, beside the site.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
site=$(cd "$1" && pwd)
deps="$site/../browser-test-deps"
if [ ! -d "$deps/node_modules/playwright-core" ]; then
  mkdir -p "$deps"
  cp "$here/package.json" "$here/package-lock.json" "$deps/"
  (cd "$deps" && npm ci --no-audit --no-fund --silent)
fi
source "$here/serve.sh"
serve "$site"
NODE_PATH="$deps/node_modules" node "$here/browser_journey.js" "http://127.0.0.1:$port/" "$2"
