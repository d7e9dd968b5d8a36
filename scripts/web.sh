#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds the browser version
# and serves it on this machine only: scripts/web.sh [PORT] (default 8080).
# Open the address it prints in a browser; CTRL+C ends the server.
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8080}"
scripts/setup-debian.sh
scripts/build-web.sh
echo "Klotzbrecher 3 im Browser: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
