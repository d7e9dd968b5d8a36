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
# A one-player match shows its Exit button beside the board, a split-board
# match between the halves.
wait_for_match() { wait_for_region 900 710 96 48 "$work/match.png" 0.12 "the one-player match"; }
wait_for_split_board() {
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Exit.bmp" -geometry +464+710 -composite \
    "$work/split.png"
  wait_for_region 464 710 96 48 "$work/split.png" 0.12 "the split board"
}

# The bottom-right corner of a screen with a background holds only that.
corner_of() {
  [ -f "$work/$1.png" ] || "$IM_CONVERT" "$data/Hintergründe/$1.jpg" "$work/$1.png"
  echo "$work/$1.png"
}
wait_for_background() { wait_for_region 904 688 120 80 "$(corner_of "$1")" 0.03 "the $1 screen"; }
# The game-over picture's own middle (its corners are nearly black).
game_over_middle=(120 320 780 120)
wait_for_game_over() {
  wait_for_region "${game_over_middle[@]}" "$(corner_of Gameover)" 0.03 "the game-over picture"
}
# shows_game_over SHOT: the same test on a screenshot taken.
shows_game_over() {
  below "$(shot_region_difference "$1" "${game_over_middle[@]}" "$(corner_of Gameover)")" 0.03
}
wait_for_snake() {
  "$IM_CONVERT" -size 1024x768 xc:black "$data/balken.jpg" -geometry +770+0 -composite "$work/snake.png"
  wait_for_region 770 0 5 768 "$work/snake.png" 0.05 "the snake game"
}
wait_for_black() {
  "$IM_CONVERT" -size 1024x768 xc:black "$work/black.png"
  wait_for_region 0 0 300 300 "$work/black.png" 0.01 "a black screen"
}

# leave_to_main_menu: ESC, held long enough for a match to see it, until the
# main menu shows; ESC does nothing there. A held ESC that closes one screen
# may close the next one too, as a held key does everywhere.
leave_to_main_menu() {
  for _ in $(seq 1 30); do
    below "$(region_difference 0 650 250 118 "$work/menu.png")" 0.03 && return 0
    press Escape 150
    sleep 0.5
  done
  wait_for_main_menu
}

# title_to_main_menu: from the start of the game past the title picture.
title_to_main_menu() {
  wait_for_window "Klotzbrecher 3" >/dev/null
  wait_for_title
  press Return 50
  wait_for_main_menu
}
# start_mode N: from the main menu into entry N (0 to 2) of the mode selection.
start_mode() {
  local i
  press Return 50
  wait_for_mode_selection
  for ((i = 0; i < $1; i++)); do press Down 50; sleep 0.2; done
  press Return 50
}

# begin_journey GAME_BINARY DATA_FOLDER: sets game and data, starts the
# display and makes the reference pictures; every journey begins so.
begin_journey() {
  game=$(realpath "$1")
  data=$(realpath "$2")
  start_display 1024x768
  make_references
}
