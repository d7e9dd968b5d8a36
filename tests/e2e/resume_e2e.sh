#!/usr/bin/env bash
# A one-player match killed outright (SIGKILL) after two removals, and
# continued at the next start by RETURN on the question after the title
# picture: the board and the panels beside it must be those the killed game
# showed after its last removal. Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
source "$(dirname "$0")/board.sh"
begin_journey "$1" "$2"
copy_data "$data"
write_options 0 0 0 0 0                     # no sparks and no rings: the board stays readable
run_game "$game"
title_to_main_menu
start_mode 0                                # "1 Spieler"
wait_for_match
screenshot "$work/board.png"
icons=$(icon_colours "$work/board.png" 780 314 362 410 458 514 562)
pointer_home 1000 100

# remove: clicks the largest group seen and waits until the board has changed
# and come to rest (two looks a second apart read the same board).
remove() {
  local board target column row now="" previous
  board=$(read_board "$work/board.png" 0 16 "$icons")
  target=$(largest_group 5 <<<"$board")
  [ -n "$target" ] || fail "no group to click"
  read -r column row _ <<<"$target"
  click_at $((column * 48 + 24)) $((row * 48 + 24))
  move_pointer 1000 100
  for _ in $(seq 1 40); do
    sleep 1
    screenshot "$work/board.png"
    previous=$now
    now=$(read_board "$work/board.png" 0 16 "$icons")
    [ "$now" != "$board" ] && [ "$now" = "$previous" ] && return 0
  done
  fail "the click on $target removed nothing"
}
remove
remove
# The cursor on an empty cell marks no group, so that no turning stone
# differs between the two pictures.
empty=$(read_board "$work/board.png" 0 16 "$icons" | awk '{ i = index($0, "."); if (i) { print i - 1, NR - 1; exit } }')
[ -n "$empty" ] || fail "no empty cell after two removals"
read -r column row <<<"$empty"
put_cursor "$column" "$row"
move_pointer 1000 100
sleep 1
screenshot "$work/killed.png"
[ -f "$work/data/Spielstand.bin" ] || fail "no Spielstand.bin after two removals"
cp "$work/data/Spielstand.bin" "$work/killed.bin"   # a real file, for the fuzzer's seeds
kill -KILL "$game_pid"
wait "$game_pid" 2>/dev/null || true

# The next start asks after the title picture, on the main menu's
# background; RETURN continues the match (on the main menu it would open the
# mode selection instead).
run_game "$game"
title_to_main_menu
press Return 50
wait_for_match
# The cursor is kept as it stood at the last removal; it is brought to the
# empty cell again.
pointer_home 1000 100
put_cursor "$column" "$row"
move_pointer 1000 100
sleep 1
screenshot "$work/continued.png"
# The board, and the panels below the frame-rate table, which counts on.
board_difference=$(shot_region_difference "$work/continued.png" 0 0 768 768 "$work/killed.png")
panel_difference=$(shot_region_difference "$work/continued.png" 770 90 254 600 "$work/killed.png")
below "$board_difference" 0.005 || fail "the continued board differs ($board_difference)"
below "$panel_difference" 0.005 || fail "the continued panels differ ($panel_difference)"

# Left by ESC, the match is over: nothing is kept.
press Escape 50
wait_for_main_menu
[ -f "$work/data/Spielstand.bin" ] && fail "Spielstand.bin kept after ESC"
echo "a match killed after two removals continued as it stood (board $board_difference, panels $panel_difference)"
