#!/usr/bin/env bash
# How the real game takes quick clicks and taps, under its own Xvfb, driven
# with xdotool as a player's fingers would: clicks held 30 to 150 ms on a
# group in a one-player match, and DOWN taps of 40 and 90 ms in the main menu.
# Each click is followed by the undo key: when the click committed exactly
# once, the undo brings the score back to where it stood; when it committed
# twice, the undo takes back only the second. Prints one line per hold.
# With --web, the same in the browser version (scripts/build-web.sh first),
# in headless Chromium with Playwright's mouse and keyboard.
# Usage: scripts/measure-taps.sh [GAME_BINARY DATA_FOLDER [TRIES]]
#        scripts/measure-taps.sh --web [TRIES]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = --web ]; then
  cd "$here"
  source tests/web/serve.sh
  serve build-web
  NODE_PATH=build-web/browser-test-deps/node_modules node bench/web/tap_figures.js \
    "http://127.0.0.1:$port/site/" build/web-data "${2:-15}"
  exit
fi
source "$here/tests/e2e/xvfb_session.sh"
source "$here/tests/e2e/screens.sh"
source "$here/tests/e2e/board.sh"
tries=${3:-15}
begin_journey "${1:-$here/build/klotzbrecher3}" "${2:-$here/build/data}"
start_game "$game" "$data"
title_to_main_menu

# hold BUTTON_OR_KEY MS: one xdotool process, so that the hold is not
# lengthened by starting a second one.
hold_button() { xdotool mousedown 1 sleep "$(awk -v ms="$1" 'BEGIN { print ms / 1000 }')" mouseup 1; }
hold_key() { xdotool keydown "$1" sleep "$(awk -v ms="$2" 'BEGIN { print ms / 1000 }')" keyup "$1"; }

# The main menu as it looks with each entry highlighted, made from its
# pictures (black is transparent); the screen is matched against each.
entries=("menue01 381 60" "menue02 266 130" "menue03 388 225" "menue04 175 295" "menue05 311 385"
  "menue06 336 460" "menue07 323 530")
for k in "${!entries[@]}"; do
  layers=()
  for i in "${!entries[@]}"; do
    read -r name x y <<<"${entries[$i]}"
    look=""
    [ "$i" = "$k" ] && look=a
    layers+=(\( "$data/Menüs/$name$look.bmp" -transparent black \) -geometry "+$x+$y" -composite)
  done
  "$IM_CONVERT" "$work/menu.png" "${layers[@]}" "$work/menu-$k.png"
done
pointer_home 1000 740
highlighted() {
  local k best=0 d bestd=9
  screenshot "$work/now.png"
  for k in "${!entries[@]}"; do
    d=$(shot_region_difference "$work/now.png" 0 60 1024 580 "$work/menu-$k.png")
    if awk -v d="$d" -v b="$bestd" 'BEGIN { exit !(d < b) }'; then
      bestd=$d
      best=$k
    fi
  done
  echo "$best"
}
[ "$(highlighted)" = 0 ] || fail "the menu does not start on its first entry"
for ms in ${KB_MENU_HOLDS:-40 90}; do
  exact=0
  for _ in $(seq 1 "$tries"); do
    hold_key Down "$ms"
    sleep 0.4
    now=$(highlighted)
    if [ "$now" = 1 ]; then
      exact=$((exact + 1))
    elif [ -n "${KB_TAP_SHOTS:-}" ]; then
      cp "$work/now.png" "$KB_TAP_SHOTS/menu-$ms-$exact-at-$now.png"
    fi
    hold_key Up 700
    sleep 0.3
  done
  echo "menu tap ${ms} ms: $exact of $tries moved the highlight exactly one entry"
done

start_mode 0
wait_for_match
sleep 1.5
screenshot "$work/board.png"
icons=$(icon_colours "$work/board.png" 780 314 362 410 458 514 562)
score_region=(880 180 140 16)
for ms in ${KB_TAP_HOLDS:-30 40 60 100 150}; do
  once=0
  more=0
  lost=0
  for _ in $(seq 1 "$tries"); do
    move_pointer 1000 740
    sleep 1.5
    screenshot "$work/before.png"
    target=$(read_board "$work/before.png" 0 16 "$icons" | largest_group 4 smallest)
    [ -n "$target" ] || fail "no group left to click"
    read -r column row _ <<<"$target"
    move_pointer $((column * 48 + 24)) $((row * 48 + 24))
    sleep 0.3
    hold_button "$ms"
    sleep 1.2
    screenshot "$work/after.png"
    hold_key Control_R 150
    sleep 1.5
    screenshot "$work/undone.png"
    if shot_shows "$work/after.png" "${score_region[@]}" "$work/before.png" 0; then
      lost=$((lost + 1))
      if [ -n "${KB_TAP_SHOTS:-}" ]; then
        for shot in before after undone; do cp "$work/$shot.png" "$KB_TAP_SHOTS/$ms-lost-$lost-$shot.png"; done
        echo "$target" >"$KB_TAP_SHOTS/$ms-lost-$lost-target.txt"
      fi
    elif shot_shows "$work/undone.png" "${score_region[@]}" "$work/before.png" 0; then
      once=$((once + 1))
    else
      more=$((more + 1))
      if [ -n "${KB_TAP_SHOTS:-}" ]; then
        for shot in before after undone; do cp "$work/$shot.png" "$KB_TAP_SHOTS/$ms-$more-$shot.png"; done
      fi
    fi
  done
  echo "click ${ms} ms: $once of $tries removed their group once, $more more than once, $lost nothing"
done
