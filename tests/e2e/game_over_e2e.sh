#!/usr/bin/env bash
# A one-player game played to its end: both lives and every swap point spent
# at once, then the largest group seen on the screen clicked until no
# equal neighbours are left. The game-over name entry takes a name, which must
# then stand first in "Highscores.bin" and in the table the game shows.
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

# Two shuffles, each showing its message for a second.
press space 150; sleep 1.5
press space 150; sleep 1.5

# Swaps until the points are spent: NUMPAD 0 takes the stone under the cursor
# (the swap button then reads "aktiv"), a cursor key moves on to a neighbour
# and NUMPAD 0 again exchanges the two. A completed swap rests 15 updates;
# when NUMPAD 0 no longer begins a swap, no point is left.
"$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Steintauschmodus aktiv.bmp" -geometry +780+710 \
  -composite "$work/swapping.png"
swapping() { below "$(region_difference 780 710 96 48 "$work/swapping.png")" 0.05; }
swaps=0
for _ in $(seq 1 12); do
  press KP_0 150; sleep 0.5
  swapping || break
  for key in Up Right Down Left; do
    press "$key" 350; sleep 0.2
    press KP_0 150; sleep 0.5
    swapping || break
  done
  swapping && fail "a swap could not be completed"
  swaps=$((swaps + 1))
  sleep 1.2
done
[ "$swaps" -ge 5 ] || fail "only $swaps swaps were made"

# The stone-count legend: red, green, blue, yellow, connector, multiplier.
screenshot "$work/board.png"
icons=$(icon_colours "$work/board.png" 780 314 362 410 458 514 562)
# A commit shows on the screen one burst later, and the last one not at all:
# the game-over picture follows the board as it stood. So after a click the
# same board, or the same group, is not clicked again until the board has
# changed; every screenshot is first looked at for the game-over picture.
pointer_home 1000 100
removals=0
unchanged=0
idle=0
misses=0
clicked=""
last_target=""
step=0
stuck() {
  [ -n "${KB_E2E_SHOTS:-}" ] && cp "$work/board.png" "$KB_E2E_SHOTS/stuck.png"
  fail "$1 after $removals removals and $misses missed clicks; the board: $(tr '\n' ' ' <<<"$board")"
}
deadline=$((SECONDS + 300))
while :; do
  step=$((step + 1))
  screenshot "$work/board.png"
  [ -n "${KB_E2E_SHOTS:-}" ] && cp "$work/board.png" "$KB_E2E_SHOTS/step-$step.png"
  shows_game_over "$work/board.png" && break
  board=$(read_board "$work/board.png" 0 16 "$icons")
  [ "$SECONDS" -lt "$deadline" ] || stuck "no game over within 300 s"
  target=$(largest_group 5 <<<"$board")
  if [ -n "$clicked" ] && [ "$board" != "$clicked" ]; then
    clicked=""                              # the last click took effect
    idle=0
    misses=0
  fi
  if [ "$board" = "$clicked" ] || { [ -n "$target" ] && [ "$target" = "$last_target" ]; }; then
    unchanged=$((unchanged + 1))
    if [ "$unchanged" -ge 15 ]; then
      # That click missed. The snake bonus leaves the pointer on its control
      # pad, so the pointer is brought home again before the next try.
      misses=$((misses + 1))
      [ "$misses" -ge 8 ] && stuck "eight clicks in a row changed nothing"
      pointer_home 1000 100
      clicked=""
      last_target=""
      unchanged=0
    fi
    sleep 0.2
    continue
  fi
  if [ -z "$target" ]; then
    # Nothing to click: the game is about to show its end, or the pointer or
    # the turning of the marked group hides the last one. With the pointer out
    # of the way, two unknown cells side by side are worth a click.
    move_pointer 1000 100
    idle=$((idle + 1))
    [ "$idle" -ge 30 ] && stuck "no group to click and no game over"
    [ "$idle" = 10 ] && press space 150     # a life won by a group of 70 buys a shuffle
    [ "$idle" -ge 4 ] && target=$(tr '?' 8 <<<"$board" | largest_group 8)
    [ -z "$target" ] && { sleep 0.2; continue; }
  fi
  read -r column row _ <<<"$target"
  click_at $((column * 48 + 24)) $((row * 48 + 24))
  clicked=$board
  last_target=$target
  removals=$((removals + 1))
  unchanged=0
  sleep 0.2
done

# The name entry reads the keys once per step of 100 ms and types a key held
# in a step; a tap (down and up at once) is kept for the next step, so each
# letter is a tap, never a hold that a busy machine could stretch over two
# steps.
sleep 1.5
for ((i = 0; i < ${#name}; i++)); do xdotool key "${name:i:1}"; sleep 0.2; done
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

pointer_home 1000 100                       # off the corner where the main menu is recognised
leave_to_main_menu                          # the table, the match, the mode selection
echo "played to game over in $swaps swaps and $removals removals; '$name' stands first with $score points"
