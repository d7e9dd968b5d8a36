#!/usr/bin/env bash
# frames_match.sh DESKTOP_PROGRAM DESKTOP_DATA BROWSER_PROGRAM BROWSER_DATA DESKTOP_GAME
# The scripted run of kb_frame_hashes, once as the desktop build with its
# data folder and once as WebAssembly under node with the browser version's:
# every frame must be the same, and so must the replays of their matches.
# The desktop's replay played again by the desktop game (--replay-check) and
# by the browser build under node must end alike, as it was recorded.
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$2" --record "$out/desktop.kbr" >"$out/desktop.txt"
node --no-experimental-fetch "$3" "$4" --record "$out/browser.kbr" >"$out/browser.txt"
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
if ! cmp -s "$out/desktop.kbr" "$out/browser.kbr"; then
  echo "FAIL: the browser build recorded another replay than the desktop build"
  exit 1
fi
desktop_line=$("$5" --replay-check "$out/desktop.kbr")
browser_line=$(node --no-experimental-fetch "$3" "$4" --replay-check "$out/desktop.kbr")
if [ "$desktop_line" != "$browser_line" ]; then
  echo "FAIL: the replay ends as '$desktop_line' on the desktop and as '$browser_line' in the browser build"
  exit 1
fi
echo "the browser build presented the same $frames frames as the desktop build;"
echo "their replays are the same and end alike: $desktop_line"
