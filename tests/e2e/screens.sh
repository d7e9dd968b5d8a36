# Reference pictures of the screens the journeys pass, and waits for them.
# Needs xvfb_session.sh and $data (the data folder).

make_references() {
  "$IM_CONVERT" "$data/Hintergründe/Titelbild.jpg" "$work/title.png"
  "$IM_CONVERT" "$data/Hintergründe/Menue.jpg" "$work/menu.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Menüs/moduswahl01a.bmp" -geometry +315+250 -composite \
    "$work/modes.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Exit.bmp" -geometry +900+710 -composite \
    "$work/match.png"
}

wait_for_title() { wait_for_picture "$work/title.png" 0.02; }
# The bottom-left corner of the main menu holds only its background.
wait_for_main_menu() { wait_for_region 0 650 250 118 "$work/menu.png" 0.03 "the main menu"; }
# The mode selection has no background: black around its first entry, which is
# highlighted when the screen opens.
wait_for_mode_selection() { wait_for_region 0 150 1024 180 "$work/modes.png" 0.03 "the mode selection"; }
# A one-player match shows its Exit button beside the board.
wait_for_match() { wait_for_region 900 710 96 48 "$work/match.png" 0.12 "the one-player match"; }

# The bottom-right corner of a screen with a background holds only that.
corner_of() {
  "$IM_CONVERT" "$data/Hintergründe/$1.jpg" "$work/$1.png"
  echo "$work/$1.png"
}
wait_for_background() { wait_for_region 904 688 120 80 "$(corner_of "$1")" 0.03 "the $1 screen"; }
# The game-over picture's own middle (its corners are nearly black).
wait_for_game_over() { wait_for_region 120 320 780 120 "$(corner_of Gameover)" 0.03 "the game-over picture"; }
wait_for_snake() {
  "$IM_CONVERT" -size 1024x768 xc:black "$data/balken.jpg" -geometry +770+0 -composite "$work/snake.png"
  wait_for_region 770 0 5 768 "$work/snake.png" 0.05 "the snake game"
}
wait_for_black() {
  "$IM_CONVERT" -size 1024x768 xc:black "$work/black.png"
  wait_for_region 0 0 300 300 "$work/black.png" 0.01 "a black screen"
}

# leave_to_main_menu: ESC until the main menu shows. A held ESC that closes one
# screen may close the next one too, as a held key does everywhere, so the
# mode selection (black above its entries, whichever is highlighted) is left
# by a further ESC only while it still stands.
leave_to_main_menu() {
  "$IM_CONVERT" -size 1024x768 xc:black "$work/black.png"
  press Escape 50
  for _ in $(seq 1 40); do
    below "$(region_difference 0 650 250 118 "$work/menu.png")" 0.03 && return 0
    below "$(region_difference 0 0 1024 240 "$work/black.png")" 0.01 && press Escape 50
    sleep 0.25
  done
  wait_for_main_menu
}
