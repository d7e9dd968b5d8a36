#!/usr/bin/env bash
# Measures what the real game costs the machine, under its own Xvfb: the time
# from start to the title picture, the CPU share of one core while the main
# menu and while a one-player match sit idle, and the resident memory in a
# match. Prints the figures; asserts nothing. Run after scripts/build.sh.
# The match is board 7 with the heaviest options (4096 sparks, rings 60 wide),
# whose group under the cursor (twelve stones and a multiplier) turns and
# pulses while the match sits idle; then RETURN takes the group, and the
# memory is measured again once its explosion is over.
# Usage: measure-resources.sh [SECONDS [GAME_BINARY]]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tests/e2e/xvfb_session.sh"
data="$top/build/data"
source "$top/tests/e2e/screens.sh"
seconds=${1:-10}
# A second argument measures another build of the game, e.g. an older one.
game=$(realpath "${2:-$top/build/klotzbrecher3}")
board=7

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
# cpu_share SECONDS: percent of one core used over that long.
cpu_share() {
  local hz before after
  hz=$(getconf CLK_TCK)
  before=$(cpu_ticks)
  sleep "$1"
  after=$(cpu_ticks)
  awk -v d=$((after - before)) -v hz="$hz" -v s="$1" 'BEGIN { printf "%.1f", 100 * d / hz / s }'
}

start_display 1024x768
make_references
"$IM_CONVERT" "$work/title.png" -depth 8 "rgb:$work/title.rgb"
copy_data "$data"
write_options 4096 60 0 0 0
"$top/scripts/wait-for-picture.py" "$work/title.rgb" 1024 768 60 >"$work/title_at" &
watcher=$!
sleep 0.3 # the watcher's own start-up
started=$(date +%s.%N)
run_game "$game" "$work/data" --board "$board"
wait "$watcher" || fail "the title picture did not appear"
title_at=$(cat "$work/title_at")
wait_for_window "Klotzbrecher 3.*" >/dev/null
wait_for_title
press Return 50
wait_for_main_menu
sleep 1
menu_cpu=$(cpu_share "$seconds")
press Return 50
wait_for_mode_selection
press Return 50
wait_for_match
sleep 2
match_cpu=$(cpu_share "$seconds")
rss=$(awk '/VmRSS/ { print $2 }' "/proc/$game_pid/status")
press Return 50
sleep 5
rss_after=$(awk '/VmRSS/ { print $2 }' "/proc/$game_pid/status")
press Escape 50
wait_for_mode_selection

awk -v s="$started" -v t="$title_at" 'BEGIN { printf "start-up to the title picture: %.3f s\n", t - s }'
echo "CPU share of one core, main menu idle: ${menu_cpu} %"
echo "CPU share of one core, one-player match idle: ${match_cpu} %"
echo "resident memory in a match: $((rss / 1024)) MiB, after its heaviest explosion: $((rss_after / 1024)) MiB"
