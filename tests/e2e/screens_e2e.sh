#!/usr/bin/env bash
# Every main-menu entry reached and left, by keyboard or by mouse.
# Arguments: keyboard|mouse, the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
how=$1
begin_journey "$2" "$3"
start_game "$game" "$data"
wait_for_window "Klotzbrecher 3" >/dev/null
window=$window_id
xdotool windowfocus --sync "$window" 2>/dev/null || true
wait_for_title
press Return 50
wait_for_main_menu

# open ENTRY: the main-menu entry 0..6, by the chosen means.
selected=0
open() {
  if [ "$how" = keyboard ]; then
    while [ "$selected" -lt "$1" ]; do menu_key Down; selected=$((selected + 1)); done
    while [ "$selected" -gt "$1" ]; do menu_key Up; selected=$((selected - 1)); done
    press Return 50
  else
    local bands=(100 190 270 350 430 505 590)
    point_to 500 "${bands[$1]}"
    menu_click
    click 1 50
    selected=$1
  fi
}
# leave: ESC by keyboard, the right button by mouse.
leave() { if [ "$how" = keyboard ]; then press Escape 50; else click 3 50; fi; }

open 1; wait_for_background Highscores; leave; wait_for_main_menu
open 2; wait_for_background Hilfe; leave; wait_for_main_menu
open 4; wait_for_background Optionen; leave; wait_for_main_menu
# The credits read no key for their first second: left until they are gone.
open 5; wait_for_black
for _ in $(seq 1 20); do
  leave
  sleep 0.3
  on_main_menu && break
done
wait_for_main_menu
open 3; wait_for_snake; leave
wait_for_game_over                     # 0 points make no list; an egg eaten early makes one
press Return 50                        # leaves the picture, or ends the name entry
leave_to_main_menu                     # and the table that follows a name
open 6
wait_for_exit 10
[ -f "$work/data/Optionen.bin" ] || fail "the options menu left no Optionen.bin"
echo "every main-menu entry reached and left by $how"
