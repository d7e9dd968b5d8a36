#!/usr/bin/env bash
# An option changed and kept across a restart, F1 saving a screenshot in a
# match, and a close request in the middle of a match ending the game cleanly
# with every file intact. Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
begin_journey "$1" "$2"
start_game "$game" "$data"
title_to_main_menu

choose_winter_set
set_byte=$(od -An -t d4 -j 12 -N 4 "$work/data/Optionen.bin" | tr -d ' ')
[ "$set_byte" = 5 ] || fail "Optionen.bin holds graphic set '$set_byte', not 5"
menu_key Down; menu_key Down               # from "Optionen" down to "Beenden"
press Return 50
wait_for_exit 10

# The next run plays with the Winter stones: the first icon of the stone counts.
run_game "$game"
title_to_main_menu
start_mode 0
wait_for_match
"$IM_CONVERT" -size 1024x768 xc:black "$data/Grafiksets/Winter/stone1.bmp" -geometry +780+314 -composite \
  "$work/winter.png"
wait_for_region 780 314 48 48 "$work/winter.png" 0.08 "the Winter stone set"

# F1: the prompt, a name, RETURN; the file is the match as it stood. The
# match looks at F1 only in its drawing pass, ten times a second.
press F1 150
wait_for_black                             # the prompt for the file name
type_text bild
press Return 50
for _ in $(seq 1 50); do [ -f "$work/data/Screenshots/bild.bmp" ] && break; sleep 0.1; done
[ -f "$work/data/Screenshots/bild.bmp" ] || fail "F1 saved no Screenshots/bild.bmp"
size=$(/usr/bin/identify -format '%wx%h' "$work/data/Screenshots/bild.bmp")
[ "$size" = 1024x768 ] || fail "the screenshot is $size"
"$IM_CONVERT" "$work/data/Screenshots/bild.bmp" -crop 96x48+900+710 +repage "$work/shot_exit.png"
"$IM_CONVERT" "$work/match.png" -crop 96x48+900+710 +repage "$work/ref_exit.png"
d=$(difference "$work/shot_exit.png" "$work/ref_exit.png")
below "$d" 0.12 || fail "the screenshot does not show the match ($d)"
wait_for_match

# A close request (SDL turns SIGTERM into one) in the middle of the match.
before=$(md5sum "$work/data/Optionen.bin" | cut -d' ' -f1)
kill -TERM "$game_pid"
wait_for_exit 10
after=$(md5sum "$work/data/Optionen.bin" | cut -d' ' -f1)
[ "$before" = "$after" ] || fail "Optionen.bin changed on closing"
ls "$work/data" | grep -q '\.tmp$' && fail "a temporary file was left behind"
echo "option kept across a restart, screenshot saved, closed cleanly mid-match"
