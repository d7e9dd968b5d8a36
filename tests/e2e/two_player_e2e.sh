#!/usr/bin/env bash
# Two people at one machine play a bout to its end: each in turn clicks a
# group seen on the screen in their half, until a sending does not fit.
# LOSE and WIN must fall over the two halves, and the bout must be counted.
# Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
source "$(dirname "$0")/board.sh"
begin_journey "$1" "$2"
copy_data "$data"
write_options 0 0 0 0 0                     # no sparks and no rings: the board stays readable
run_game "$game"
title_to_main_menu
start_mode 2                                # "2 Spieler"
wait_for_split_board

# The letters fall and come to rest at y 500, LOSE over the loser's half and
# WIN over the winner's: LOSE from x 40 and WIN from x 720 when the right
# player has won, WIN from x 80 and LOSE from x 680 when the left one has.
# LOSE and the W rest together for the last 2.8 s of the display.
#
# letters_at X LETTER...: whether those letters stand in a row from x at y 500,
# 80 pixels apart, in the strip of the screen cut by bout_result: the strip
# must not change when they are drawn over it with their black left out, as
# the game draws them.
letters_at() {
  local x=$1 letter args=()
  shift
  for letter in "$@"; do
    args+=("(" "$data/Gameover/$letter.bmp" -transparent black ")" -geometry "+$((x - 40))+0"
      -composite)
    x=$((x + 80))
  done
  "$IM_CONVERT" "$work/strip.png" "${args[@]}" "$work/letters.png"
  below "$(difference "$work/strip.png" "$work/letters.png")" 0.005
}
bout_result() {
  "$IM_CONVERT" "$1" -crop 944x96+40+500 +repage "$work/strip.png"
  if letters_at 40 l o s e && letters_at 720 w; then
    echo right
  elif letters_at 680 l o s e && letters_at 80 w; then
    echo left
  fi
  return 0
}

screenshot "$work/start.png"
# The stone-count legend of the split board: four colours, connector,
# indestructible stone.
icons=$(icon_colours "$work/start.png" 480 164 212 260 308 364 412)
pointer_home 512 620                        # between the halves, above the Exit button
winner=""
commits=0
half=right
other_since=""
deadline=$((SECONDS + 300))
while [ "$SECONDS" -lt "$deadline" ]; do
  screenshot "$work/board.png"
  [ -n "${KB_E2E_SHOTS:-}" ] && cp "$work/board.png" "$KB_E2E_SHOTS/bout-$commits.png"
  screen=$(screen_of "$work/board.png")
  if [ "$screen" != split_board ]; then
    # A frame between two, or a screen that should not come: nothing is
    # clicked until the split board is back.
    [ -n "$other_since" ] || other_since=$SECONDS
    [ $((SECONDS - other_since)) -le "$passing_screen_seconds" ] ||
      fail "the bout gave way to a screen it never leaves by itself ($screen) after $commits clicks"
    sleep 0.3
    continue
  fi
  other_since=""
  winner=$(bout_result "$work/board.png")
  [ -n "$winner" ] && break
  # A click in the half whose player is not on turn does nothing, so the
  # halves are simply taken in turn; a click that forms no group still
  # passes the turn. The right player takes the largest group and the left
  # one the smallest, so that the left half fills up soon.
  if [ "$half" = right ]; then x0=640 pick="" half=left; else x0=0 pick=smallest half=right; fi
  target=$(read_board "$work/board.png" "$x0" 8 "$icons" | largest_group 5 $pick)
  [ -z "$target" ] && target="3 15 0"
  read -r column row _ <<<"$target"
  click_at $((x0 + column * 48 + 24)) $((row * 48 + 24))
  move_pointer 512 620
  commits=$((commits + 1))
  sleep 0.2
done
[ -n "$winner" ] || fail "no bout ended after $commits clicks"

# After the display a fresh board stands and the bout is counted: the score
# "0 : 0" beside the board changes.
counted=0
for _ in $(seq 1 80); do
  screenshot "$work/board.png"
  if [ "$(screen_of "$work/board.png")" = split_board ] &&
    ! shot_shows "$work/board.png" 515 484 50 16 "$work/start.png" 0.01; then
    counted=1
    break
  fi
  sleep 0.25
done
[ "$counted" = 1 ] || fail "the score still reads 0 : 0"
leave_to_main_menu
echo "a bout of two players ended after $commits clicks: the $winner player won"
