#!/usr/bin/env bash
# A game against the computer at strength 20: the human commits on its side
# while the computer plans, walks and commits on the left half, for a while;
# then ESC back out. Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
begin_journey "$1" "$2"
copy_data "$data"
write_options 128 20 19 0 0                # strength 20, stored as 19
run_game "$game"
title_to_main_menu
start_mode 1                               # "1 Spieler gegen den Computer"
wait_for_split_board
screenshot "$work/left_before.png"
for _ in 1 2 3 4 5 6; do press Return 300; sleep 1.2; done
screenshot "$work/left_after.png"
"$IM_CONVERT" "$work/left_before.png" -crop 384x768+0+0 +repage "$work/a.png"
"$IM_CONVERT" "$work/left_after.png" -crop 384x768+0+0 +repage "$work/b.png"
d=$(difference "$work/a.png" "$work/b.png")
awk -v d="$d" 'BEGIN { exit !(d > 0.02) }' || fail "the computer's half never changed ($d)"
kill -0 "$game_pid" || fail "the game ended during the bout"
leave_to_main_menu
echo "played against the computer at strength 20; its half changed (difference $d)"
