# Reference pictures of the screens the journeys pass, and waits for them.
# Needs xvfb_session.sh and $data (the data folder).

make_references() {
  "$IM_CONVERT" "$data/Hintergründe/Titelbild.jpg" "$work/title.png"
  "$IM_CONVERT" "$data/Hintergründe/Menue.jpg" "$work/menu.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Menüs/moduswahl01a.bmp" -geometry +315+250 -composite \
    "$work/modes.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Exit.bmp" -geometry +900+710 -composite \
    "$work/match.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Exit.bmp" -geometry +464+710 -composite \
    "$work/split.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/balken.jpg" -geometry +770+0 -composite "$work/snake.png"
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
wait_for_split_board() { wait_for_region 464 710 96 48 "$work/split.png" 0.12 "the split board"; }

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
wait_for_snake() { wait_for_region 770 0 5 768 "$work/snake.png" 0.05 "the snake game"; }
# screen_of SHOT: the screen a screenshot shows, by the marks that screen
# always has: match (a whole frame of the one-player match, Exit button
# drawn), split_board, snake (also with the bonus messages over it),
# name_entry, game_over (the picture alone), table, main_menu,
# mode_selection; "other" for anything else: a message drawn on a fresh or a
# half-drawn frame, a black frame between screens, or a screen no journey
# expects.
screen_of() {
  local shot=$1 gameover
  gameover=$(corner_of Gameover)
  if shot_shows "$shot" 900 710 96 48 "$work/match.png" 0.12; then
    echo match
  elif shot_shows "$shot" 464 710 96 48 "$work/split.png" 0.12; then
    echo split_board
  elif shot_shows "$shot" 770 0 5 768 "$work/snake.png" 0.05; then
    echo snake
  elif shot_shows "$shot" "${game_over_middle[@]}" "$gameover" 0.03; then
    # The name entry writes its request at the top of the same picture.
    if shot_shows "$shot" 300 100 420 16 "$gameover" 0.03; then echo game_over; else echo name_entry; fi
  elif shot_shows "$shot" 904 688 120 80 "$(corner_of Highscores)" 0.03; then
    echo table
  elif shot_shows "$shot" 0 650 250 118 "$work/menu.png" 0.03; then
    echo main_menu
  elif shot_shows "$shot" 0 150 1024 180 "$work/modes.png" 0.03; then
    echo mode_selection
  else
    echo other
  fi
}

# Screens that show for a while in the middle of a match without being the
# match: messages (the longest, at a level's end, 4 s), the snake bonus's start.
# Longer than this, a screen the journey does not expect ends it.
passing_screen_seconds=12

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

# wait_for_change BEFORE SECONDS: until the screen differs from the picture
# BEFORE; false when it has not within SECONDS.
wait_for_change() {
  local until=$((SECONDS + $2))
  while [ "$SECONDS" -le "$until" ]; do
    screenshot "$work/now.png"
    below "$(difference "$1" "$work/now.png")" 0 || return 0
    sleep 0.1
  done
  return 1
}
# menu_key KEY: a short tap in a screen that reads the keys once a frame, and
# a wait until the screen shows its effect, so that two taps never fall into
# one frame, whatever the machine's load.
menu_key() {
  screenshot "$work/before.png"
  press "$1" 50
  wait_for_change "$work/before.png" 8 || fail "$1 changed nothing on the screen"
}
# menu_click: a left click (that highlights an entry or starts the one
# highlighted), and a short wait for its effect.
menu_click() {
  screenshot "$work/before.png"
  click 1 50
  wait_for_change "$work/before.png" 2 || true
}

# type_text TEXT: typed into the name or the file-name entry, whose text
# stands at (300, 140) with an underscore after it. Both type the keys down at
# each step of 100 ms: each letter is a tap, and the next is typed once the
# screen shows this one, so that no two letters fall into one step (which
# would type them in alphabetical order) and none is typed twice.
type_text() {
  local text=$1 i typed
  screenshot "$work/entry.png"
  for ((i = 0; i < ${#text}; i++)); do
    xdotool key "${text:i:1}"
    typed=0
    for _ in $(seq 1 40); do
      sleep 0.1
      screenshot "$work/typed.png"
      # The underscore has moved on by one place, and nothing stands after it.
      if ! shot_shows "$work/typed.png" $((310 + i * 10)) 140 10 16 "$work/entry.png" 0.01 &&
        shot_shows "$work/typed.png" $((320 + i * 10)) 140 20 16 "$work/entry.png" 0.01; then
        typed=1
        break
      fi
    done
    [ "$typed" = 1 ] || fail "the entry did not show '${text:0:i+1}'"
  done
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
  for ((i = 0; i < $1; i++)); do menu_key Down; done
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
