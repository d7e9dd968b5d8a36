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

# The bottom-right corner of a screen with a background holds only that.
corner_of() {
  [ -f "$work/$1.png" ] || "$IM_CONVERT" "$data/Hintergründe/$1.jpg" "$work/$1.png"
  echo "$work/$1.png"
}

# mark_of SCREEN: the part of the screen that always shows the same on that
# screen, as "X Y WIDTH HEIGHT PICTURE MAXDIFF".
mark_of() {
  case $1 in
    # The bottom-left corner of the main menu holds only its background.
    main_menu) echo "0 650 250 118 $work/menu.png 0.03" ;;
    # The mode selection has no background: black around its first entry,
    # which is highlighted when the screen opens.
    mode_selection) echo "0 150 1024 180 $work/modes.png 0.03" ;;
    # A whole frame of a one-player match has its Exit button beside the
    # board, one of a split-board match between the halves.
    match) echo "900 710 96 48 $work/match.png 0.12" ;;
    split_board) echo "464 710 96 48 $work/split.png 0.12" ;;
    snake) echo "770 0 5 768 $work/snake.png 0.05" ;;
    # The game-over picture's own middle (its corners are nearly black).
    game_over) echo "120 320 780 120 $(corner_of Gameover) 0.03" ;;
    # Any other screen with a background, by its bottom-right corner.
    *) echo "904 688 120 80 $(corner_of "$1") 0.03" ;;
  esac
}
# shows SHOT SCREEN: whether a screenshot shows that screen's mark.
shows() {
  local x y w h picture max
  read -r x y w h picture max <<<"$(mark_of "$2")"
  shot_shows "$1" "$x" "$y" "$w" "$h" "$picture" "$max"
}
# wait_for SCREEN WHAT: until the screen shows that screen's mark.
wait_for() {
  local x y w h picture max
  read -r x y w h picture max <<<"$(mark_of "$1")"
  wait_for_region "$x" "$y" "$w" "$h" "$picture" "$max" "$2"
}
wait_for_main_menu() { wait_for main_menu "the main menu"; }
wait_for_mode_selection() { wait_for mode_selection "the mode selection"; }
wait_for_match() { wait_for match "the one-player match"; }
wait_for_split_board() { wait_for split_board "the split board"; }
wait_for_snake() { wait_for snake "the snake game"; }
# Also the name entry, which writes its request on the same picture.
wait_for_game_over() { wait_for game_over "the game-over picture"; }
wait_for_background() { wait_for "$1" "the $1 screen"; }
# on_main_menu: whether the screen shows the main menu now.
on_main_menu() {
  screenshot "$work/region.png"
  shows "$work/region.png" main_menu
}

# screen_of SHOT: the screen a screenshot shows, by its mark: match (a whole
# frame of the one-player match), split_board, snake (also with the bonus
# messages over it), name_entry, game_over (the picture alone), table,
# main_menu, mode_selection; "other" for anything else: a message drawn on a
# fresh or a half-drawn frame, a black frame between screens, or a screen no
# journey expects.
screen_of() {
  local screen
  for screen in match split_board snake game_over Highscores main_menu mode_selection; do
    shows "$1" "$screen" || continue
    case $screen in
      # The name entry writes its request at the top of the game-over picture.
      game_over) shot_shows "$1" 300 100 420 16 "$(corner_of Gameover)" 0.03 || screen=name_entry ;;
      Highscores) screen=table ;;
    esac
    echo "$screen"
    return 0
  done
  echo other
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
    on_main_menu && return 0
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
# menu_key KEY: a tap in a screen that reads the keys once a frame, and a
# wait until the screen shows its effect, so that two taps never fall into one
# frame. The key goes down and up at once: the game counts such a tap once, at
# its next read, however late a busy machine makes that read, where a key held
# for a while could be read twice.
menu_key() {
  screenshot "$work/before.png"
  xdotool key "$1"
  wait_for_change "$work/before.png" 30 || fail "$1 changed nothing on the screen"
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

# choose_winter_set: from the main menu, Optionen -> Grafikset -> "Winter"
# (row 5) -> RETURN stores -> ESC back to the main menu writes the file.
choose_winter_set() {
  for _ in 1 2 3 4; do menu_key Down; done
  press Return 50
  wait_for_background Optionen
  for _ in 1 2 3; do menu_key Down; done
  menu_key Return                            # the value screen shows after its flush of a second
  for _ in 1 2 3 4 5; do menu_key Down; done
  menu_key Return                            # stored, back in the options menu
  leave_to_main_menu
}
