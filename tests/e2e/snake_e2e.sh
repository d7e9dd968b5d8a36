#!/usr/bin/env bash
# The stand-alone snake game played: steered up from the start into the top
# border; the game-over picture or the name entry follows, and the game comes
# back to the main menu.
# Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
begin_journey "$1" "$2"
copy_data "$data"
rm -f "$work/data/Highscores.bin"
write_options 0 0 0 0 0                     # the Classic snake
run_game "$game"
title_to_main_menu
for _ in 1 2 3; do menu_key Down; done
press Return 50                             # "Snake"
wait_for_snake

# snake_cells SHOT: the field as 16 lines of 16 characters, "#" where a piece
# of the snake stands and "." elsewhere; the egg, which has a colour of its
# own, counts as empty.
egg=$("$IM_CONVERT" "$data/Snake Grafiksets/Classic/egg.bmp" -scale 1x1 -depth 8 txt:- |
  sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p')
snake_cells() {
  "$IM_CONVERT" "$1[768x768+0+0]" -scale 16x16 -depth 8 txt:- |
    awk -v egg="$egg" '
      BEGIN { split(egg, e, " ") }
      /^[0-9]+,[0-9]+:/ {
        split($1, at, "[,:]"); gsub(/[()]/, "", $2); split($2, c, ",")
        lit = c[1] > 15 || c[2] > 15 || c[3] > 15   # not the thin countdown digits
        is_egg = (c[1] - e[1])^2 + (c[2] - e[2])^2 + (c[3] - e[3])^2 < 300
        cell[at[2], at[1]] = lit && !is_egg ? "#" : "."
      }
      END { for (y = 0; y < 16; y++) { line = ""; for (x = 0; x < 16; x++) line = line cell[y, x]; print line } }'
}
# Keys are read as levels at every step, left, up, right, down in turn, and a
# turn back on itself is refused: with LEFT and UP held the snake goes up
# whatever its first direction (from right, LEFT is refused and UP taken; from
# down, LEFT is taken and then UP). So it is held from the countdown on, which
# leaves no moment to catch, and the snake must end at the top border in the
# column it stood in after its first step (6 to 8). Its last picture stays a
# second before the game's end is shown.
xdotool keydown Left keydown Up
last=""
for _ in $(seq 1 100); do
  screenshot "$work/steered.png"
  shot_shows "$work/steered.png" 770 0 5 768 "$work/snake.png" 0.05 || break
  cp "$work/steered.png" "$work/last.png"
  last=$(snake_cells "$work/last.png")
  sleep 0.1
done
xdotool keyup Left keyup Up
[ -n "$last" ] || fail "the snake game was never seen"
column=$(awk '{ i = index($0, "#"); if (i) { print i - 1; exit } }' <<<"$last")
pieces=$(tr -cd '#' <<<"$last" | wc -c)
in_column=$(cut -c$((column + 1)) <<<"$last" | tr -cd '#' | wc -c)
[ "$(head -n 1 <<<"$last" | tr -cd '#')" = "#" ] && [ "$column" -ge 6 ] && [ "$column" -le 8 ] &&
  [ "$pieces" = "$in_column" ] ||
  fail "the snake held up did not end at the top border: $(tr '\n' ' ' <<<"$last")"

# No points or a few eggs' worth.
wait_for_game_over
press Return 50                             # leaves the picture, or ends the name entry
leave_to_main_menu                          # and the table that follows a name
echo "the snake, held up, ended at the top border in column $column; the game came back to the menu"
