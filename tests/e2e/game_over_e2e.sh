#!/usr/bin/env bash
# A one-player game played to its end: both lives and every swap point spent
# at once, then the largest group seen on the screen clicked until no equal
# neighbours are left. Whatever the random game brings on the way (the snake
# bonus, a cleared level, a life or swap points won) is waited out or spent.
# The game-over name entry takes a name, which must then stand first in
# "Highscores.bin" and in the table the game shows. The match's replay,
# played again without a window, must end with that score.
# Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
source "$(dirname "$0")/board.sh"
name=spieler
begin_journey "$1" "$2"
copy_data "$data"
rm -f "$work/data/Highscores.bin"
write_options 0 0 0 0 0                     # no sparks and no rings: the board stays readable
run_game "$game"
title_to_main_menu
start_mode 0                                # "1 Spieler"
wait_for_match

# look: a screenshot, the screen it shows and, in the match, the board read
# off it; with KB_E2E_SHOTS each look is kept.
#
# running: how many looks in a row found a new frame. The frame-rate table
# changes in every drawing burst; unchanged, the match stands in a pause (a
# message, the start of the snake bonus, or the name entry's first second
# after the last group), and a click or a key then would be taken by
# whatever reads the input next. The burst that takes a click presents
# nothing when that click ends the game, and one burst under way may still
# present after the click: only two new frames in a row after a click show
# that the game has gone on.
step=0
running=0
look() {
  step=$((step + 1))
  [ -f "$work/board.png" ] && mv "$work/board.png" "$work/previous.png"
  screenshot "$work/board.png"
  [ -n "${KB_E2E_SHOTS:-}" ] && cp "$work/board.png" "$KB_E2E_SHOTS/step-$step.png"
  if [ -f "$work/previous.png" ] && ! shot_shows "$work/board.png" 780 0 244 64 "$work/previous.png" 0; then
    running=$((running + 1))
  else
    running=0
  fi
  screen=$(screen_of "$work/board.png")
  board=""
  if [ "$screen" = match ]; then board=$(read_board "$work/board.png" 0 16 "$icons"); fi
  note "look $step: $screen, $running new frames, board $(tr -d '\n' <<<"$board" | md5sum | cut -c1-8)"
}
# look_until SECONDS TEST...: looks until the match shows and TEST holds.
look_until() {
  local until=$((SECONDS + $1))
  shift
  while [ "$SECONDS" -le "$until" ]; do
    look
    [ "$screen" = match ] && "$@" && return 0
    sleep 0.2
  done
  return 1
}

# The panel's lives and swap points; a number that changes shows that one was
# spent. Each is looked at as a picture, beside the label.
lives_region=(900 260 60 16)
points_region=(960 220 40 16)
panel_part() { "$IM_CONVERT" "$work/board.png[$3x$4+$1+$2]" "$work/$5.png"; }
panel_changed() { ! below "$(difference "$work/board.png[$3x$4+$1+$2]" "$work/$5.png")" 0.01; }
# Each number at 0, as it stands once everything is spent: a life or swap
# points won later show as a difference.
panel_zero() { below "$(difference "$work/board.png[$3x$4+$1+$2]" "$work/$5-zero.png")" 0.01; }

# shuffle: SPACE held over a drawing burst. True when a life was spent: the
# message stands for a second, then the board is shuffled.
shuffle() {
  look_until 10 true || fail "the match did not come back (the screen: $screen)"
  panel_part "${lives_region[@]}" lives
  note "space"
  press space 150
  look_until 4 panel_changed "${lives_region[@]}" lives
}

# The stone-swap button reads "aktiv" from the first stone of a swap to the
# second.
"$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Steintauschmodus aktiv.bmp" -geometry +780+710 \
  -composite "$work/swapping.png"
swapping() { shot_shows "$work/board.png" 780 710 96 48 "$work/swapping.png" 0.05; }
not_swapping() { ! swapping; }
# swap COLUMN ROW COLUMN2 ROW2: exchanges two stones with NUMPAD 0, held over a
# drawing burst on each. True when a swap point was spent. A completed swap
# rests 15 bursts before the next may begin, so a first stone that is not
# taken is tried again once after that rest.
swap() {
  local try
  look_until 10 true || fail "the match did not come back (the screen: $screen)"
  for try in 1 2; do
    put_cursor "$1" "$2"
    note "numpad 0"
    press KP_0 150
    look_until 3 swapping && break
    [ "$try" = 2 ] && { move_pointer 1000 100; return 1; }
  done
  put_cursor "$3" "$4"
  press KP_0 150
  move_pointer 1000 100
  look_until 5 not_swapping || fail "a swap could not be completed"
  sleep 1.6
}

# The stone-count legend: red, green, blue, yellow, connector, multiplier.
screenshot "$work/board.png"
icons=$(icon_colours "$work/board.png" 780 314 362 410 458 514 562)
pointer_home 1000 100

# Everything spent while the board is full: the bottom row's first stones
# swapped back and forth.
lives=0
while shuffle; do lives=$((lives + 1)); done
swaps=0
while swap 0 15 1 15; do swaps=$((swaps + 1)); done
[ "$lives" = 2 ] && [ "$swaps" = 5 ] || fail "$lives shuffles and $swaps swaps instead of 2 and 5"
look
panel_part "${lives_region[@]}" lives-zero
panel_part "${points_region[@]}" points-zero

# spend_winnings: a life or swap points won on the way (a group of 70, a
# cleared level) are spent when no group is left, the swap on two stones
# side by side.
spend_winnings() {
  if ! panel_zero "${lives_region[@]}" lives; then
    shuffle && return 0
  fi
  panel_zero "${points_region[@]}" points && return 1
  local pair
  pair=$(tr '1-9?' 'xxxxxxxxxx' <<<"$board" | awk '
    { row[NR - 1] = $0 }
    END { for (y = 15; y >= 0; y--) for (x = 0; x < 15; x++)
            if (substr(row[y], x + 1, 2) == "xx") { print x, y, x + 1, y; exit } }')
  [ -n "$pair" ] || return 1
  swap $pair
}

# The play: the largest group on the screen is clicked; a click shows on the
# screen one burst later, and the last one not at all (the name entry follows
# the board as it stood), so a board once clicked is not clicked again until
# it has changed. Nothing is clicked on any other screen: a message, the
# snake bonus (which leaves the game's pointer on its control pad, so the
# pointer is brought home after it) or the end of the game.
removals=0
misses=0
unchanged=0
idle=0
clicked=""
other_since=""
pointer_lost=0
stuck() { fail "$1 after $removals removals and $misses missed clicks; the board: $(tr '\n' ' ' <<<"$board")"; }
deadline=$((SECONDS + 400))
while :; do
  [ "$SECONDS" -lt "$deadline" ] || stuck "no game over within 400 s"
  look
  case $screen in
    name_entry | game_over) break ;;
    match) other_since="" ;;
    snake)
      other_since=""
      pointer_lost=1
      sleep 0.3
      continue
      ;;
    *)
      [ -n "$other_since" ] || other_since=$SECONDS
      [ $((SECONDS - other_since)) -le "$passing_screen_seconds" ] ||
        fail "the match gave way to a screen it never leaves by itself ($screen) after $removals removals"
      sleep 0.3
      continue
      ;;
  esac
  if [ "$running" -lt 2 ]; then
    sleep 0.2
    continue
  fi
  if [ "$pointer_lost" = 1 ]; then
    pointer_home 1000 100
    pointer_lost=0
    continue
  fi
  if [ -n "$clicked" ]; then
    if [ "$board" != "$clicked" ]; then
      clicked=""                            # the last click took effect
      misses=0
    else
      unchanged=$((unchanged + 1))
      if [ "$unchanged" -ge 15 ]; then
        # That click missed its group: the pointer is brought home again.
        misses=$((misses + 1))
        [ "$misses" -ge 8 ] && stuck "eight clicks in a row changed nothing"
        pointer_home 1000 100
        clicked=""
      fi
      sleep 0.2
      continue
    fi
  fi
  target=$(largest_group 5 <<<"$board")
  if [ -z "$target" ]; then
    # No group: the turning of a marked group may hide one, so the cursor is
    # put on an empty cell; then what was won on the way is spent; then only
    # the end of the game is awaited.
    idle=$((idle + 1))
    if [ "$idle" = 3 ]; then
      empty=$(awk '{ i = index($0, "."); if (i) { print i - 1, NR - 1; exit } }' <<<"$board")
      [ -n "$empty" ] && put_cursor $empty && move_pointer 1000 100
    fi
    if [ "$idle" -ge 6 ] && spend_winnings; then idle=0; fi
    [ "$idle" -ge 40 ] && stuck "no group to click and no game over"
    sleep 0.2
    continue
  fi
  idle=0
  read -r column row _ <<<"$target"
  note "click $target"
  click_at $((column * 48 + 24)) $((row * 48 + 24))
  move_pointer 1000 100
  sleep 0.15
  screenshot "$work/board.png"             # what the next look compares with
  running=0
  clicked=$board
  unchanged=0
  removals=$((removals + 1))
done
[ "$screen" = name_entry ] || fail "a score of several removals did not make the empty table"

type_text "$name"
press Return 50
wait_for_background Highscores
table_background=$(corner_of Highscores)
screenshot "$work/table.png"
[ -n "${KB_E2E_SHOTS:-}" ] && cp "$work/table.png" "$KB_E2E_SHOTS/table.png"
first=$(shot_region_difference "$work/table.png" 362 99 $((${#name} * 10)) 16 "$table_background")
second=$(shot_region_difference "$work/table.png" 362 114 $((${#name} * 10)) 16 "$table_background")
below "$first" 0.02 && fail "the table shows no name in its first line ($first)"
below "$second" 0.01 || fail "the table shows a name in its second line ($second)"

# The file: 20 records of a 32-bit score and a 32-byte name, masked as the
# game stores them (the lowest score byte and the name bytes).
[ -f "$work/data/Highscores.bin" ] || fail "no Highscores.bin was written"
mapfile -t bytes < <(od -An -tu1 -v -N 36 "$work/data/Highscores.bin" | tr -s ' ' '\n' | sed '/^$/d')
[ "${#bytes[@]}" = 36 ] || fail "Highscores.bin is too short"
mask=q7w3e9r1t5y8u2i6o4p0a3s7d1f9g5h
score=$(((bytes[0] ^ 0x5D) | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24))
stored=""
for ((i = 0; i < 31; i++)); do
  c=$((bytes[4 + i] ^ $(printf '%d' "'${mask:i:1}")))
  [ "$c" = 0 ] && break
  stored+=$(printf "\\$(printf '%03o' "$c")")
done
[ "$stored" = "$name" ] || fail "the first record holds '$stored', not '$name'"
[ "$score" -gt 0 ] || fail "the first record holds $score points"

replays=("$work"/data/Wiederholungen/*.kbr)
[ "${#replays[@]}" = 1 ] && [ -f "${replays[0]}" ] || fail "the match left no replay"
replayed=$("$game" --replay-check "${replays[0]}" 2>&1) || fail "the replay check failed: $replayed"
[[ "$replayed" == "score $score "* ]] || fail "the replay ends with '$replayed', not with $score points"

pointer_home 1000 100                       # off the corner where the main menu is recognised
leave_to_main_menu                          # the table, the match, the mode selection
echo "played to game over in $swaps swaps and $removals removals; '$name' stands first with $score points; its replay: $replayed ($(stat -c %s "${replays[0]}") bytes)"
