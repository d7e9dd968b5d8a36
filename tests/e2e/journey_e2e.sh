#!/usr/bin/env bash
# From the title picture through the main menu and the mode selection into a
# one-player match and back out, and then out of the game: once by keyboard,
# once by mouse. Arguments: keyboard|mouse, the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
how=$1
begin_journey "$2" "$3"
start_game "$game" "$data"
wait_for_window "Klotzbrecher 3" >/dev/null
window=$window_id
xdotool windowfocus --sync "$window" 2>/dev/null || true
wait_for_title

if [ "$how" = keyboard ]; then
  # Short presses: a RETURN still held when the next screen has flushed the
  # keyboard would leave that screen at once, as it should.
  press Return 50
  wait_for_main_menu
  press Return 50              # "Spielen" is highlighted first
  wait_for_mode_selection
  press Return 50              # "1 Spieler"
  wait_for_match
  press Escape 50
  wait_for_mode_selection
  press Escape 50
  wait_for_main_menu
  for _ in 1 2 3 4 5 6; do menu_key Down; done
  press Return 50              # "Beenden"
else
  click 1
  wait_for_main_menu
  point_to 500 100             # "Spielen", already highlighted: one click starts it
  click 1
  wait_for_mode_selection
  point_to 500 280             # "1 Spieler"
  click 1
  wait_for_match
  point_to 940 730             # the Exit button
  click 1
  wait_for_mode_selection
  click 3                      # the right button leaves the mode selection
  wait_for_main_menu
  point_to 500 580             # "Beenden": the first click highlights it,
  menu_click
  click 1                      # the second starts it
fi
wait_for_exit 10
echo "journey by $how: title, main menu, mode selection, match and back, game ended"
