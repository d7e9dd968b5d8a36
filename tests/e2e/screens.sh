# Reference pictures of the screens the journeys pass, and waits for them.
# Needs xvfb_session.sh and $data (the data folder).

make_references() {
  "$IM_CONVERT" "$data/Hintergründe/Titelbild.jpg" "$work/title.png"
  "$IM_CONVERT" "$data/Hintergründe/Menue.jpg" "$work/menu.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Menüs/moduswahl01a.bmp" -geometry +315+250 -composite \
    "$work/modes.png"
  "$IM_CONVERT" -size 1024x768 xc:black "$data/Buttons/Exit.bmp" -geometry +900+710 -composite \
    "$work/match.png"
}

wait_for_title() { wait_for_picture "$work/title.png" 0.02; }
# The bottom-left corner of the main menu holds only its background.
wait_for_main_menu() { wait_for_region 0 650 250 118 "$work/menu.png" 0.03 "the main menu"; }
# The mode selection has no background: black around its first entry, which is
# highlighted when the screen opens.
wait_for_mode_selection() { wait_for_region 0 150 1024 180 "$work/modes.png" 0.03 "the mode selection"; }
# A one-player match shows its Exit button beside the board.
wait_for_match() { wait_for_region 900 710 96 48 "$work/match.png" 0.12 "the one-player match"; }
