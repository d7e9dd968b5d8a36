#!/usr/bin/env bash
# A game against the computer at strength 20: the human commits on its side
# while the computer plans, walks and commits on the left half, for a while;
# then ESC back out. Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
game=$(realpath "$1")
data=$(realpath "$2")

start_display 1024x768
make_references
cp -r "$data" "$work/data"
# Particles 128, ring width 20, strength 20 (stored as 19), stone set 0, snake set 0.
printf '\x80\x00\x00\x00\x14\x00\x00\x00\x13\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
  >"$work/data/Optionen.bin"
(cd "$work/data" && SDL_AUDIODRIVER=dummy exec "$game") >"$work/game.log" 2>&1 &
game_pid=$!
wait_for_window "Klotzbrecher 3" >/dev/null
wait_for_title
press Return 50; wait_for_main_menu
press Return 50; wait_for_mode_selection
press Down 50; sleep 0.2
press Return 50
"$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Exit.bmp" -geometry +464+710 -composite \
  "$work/versus.png"
wait_for_region 464 710 96 48 "$work/versus.png" 0.12 "the split board"
screenshot "$work/left_before.png"
for _ in 1 2 3 4 5 6; do press Return 300; sleep 1.2; done
screenshot "$work/left_after.png"
"$IM_CONVERT" "$work/left_before.png" -crop 384x768+0+0 +repage "$work/a.png"
"$IM_CONVERT" "$work/left_after.png" -crop 384x768+0+0 +repage "$work/b.png"
d=$(difference "$work/a.png" "$work/b.png")
awk -v d="$d" 'BEGIN { exit !(d > 0.02) }' || fail "the computer's half never changed ($d)"
kill -0 "$game_pid" || fail "the game ended during the bout"
press Escape 50
sleep 1                                    # the match's closing flush
press Escape 50                            # leaves the mode selection
wait_for_main_menu
echo "played against the computer at strength 20; its half changed (difference $d)"
