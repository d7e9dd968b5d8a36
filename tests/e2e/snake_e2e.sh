#!/usr/bin/env bash
# The stand-alone snake game played: steered round a small square for about
# five seconds (left alone, the snake would reach the border within a
# second), then let run into the border; the game-over picture or the name
# entry follows, and the game comes back to the main menu.
# Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
begin_journey "$1" "$2"
copy_data "$data"
rm -f "$work/data/Highscores.bin"
run_game "$game"
title_to_main_menu
for _ in 1 2 3; do menu_key Down; done
press Return 50                             # "Snake"
wait_for_snake

# One step of the snake lasts 100 ms: three steps a side. A key that would
# turn the snake back on itself is ignored, and the next one turns it. The
# steering begins during the countdown of two seconds, whose keys count for
# nothing, so that the first step already sees one.
screenshot "$work/first.png"
for _ in 1 2 3 4; do
  for key in Up Right Down Left; do press "$key" 120; sleep 0.18; done
done
screenshot "$work/steered.png"
below "$(shot_region_difference "$work/steered.png" 770 0 5 768 "$work/snake.png")" 0.05 ||
  fail "the snake game ended while it was steered"
moved=$(shot_region_difference "$work/steered.png" 0 0 768 768 "$work/first.png")
below "$moved" 0.001 && fail "the field did not change while the snake was steered"

# Left alone it runs into the border; no points or a few eggs' worth.
wait_for_game_over
press Return 50                             # leaves the picture, or ends the name entry
leave_to_main_menu                          # and the table that follows a name
echo "the snake was steered for 5 s, ran into the border and the game came back to the menu"
