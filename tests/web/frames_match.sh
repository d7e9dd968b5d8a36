#!/usr/bin/env bash
# frames_match.sh DESKTOP_PROGRAM DESKTOP_DATA BROWSER_PROGRAM BROWSER_DATA
# The scripted run of kb_frame_hashes, once as the desktop build with its
# data folder and once as WebAssembly under node with the browser version's:
# every frame must be the same.
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$2" >"$out/desktop.txt"
node --no-experimental-fetch "$3" "$4" >"$out/browser.txt"
frames=$(sed -n 's/^frames //p' "$out/desktop.txt")
if [ "${frames:-0}" -lt 300 ]; then
  echo "FAIL: the desktop run presented only ${frames:-no} frames"
  exit 1
fi
if ! cmp -s "$out/desktop.txt" "$out/browser.txt"; then
  echo "FAIL: the browser build's frames differ from the desktop build's:"
  diff "$out/desktop.txt" "$out/browser.txt" | head -n 10
  exit 1
fi
echo "the browser build presented the same $frames frames as the desktop build"
