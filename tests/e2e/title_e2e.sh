#!/usr/bin/env bash
# The real game in a real window: it opens full screen, 1024 x 768, titled
# "Klotzbrecher 3", shows the title picture, and RETURN leads to the main menu.
# Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
begin_journey "$1" "$2"
start_game "$game" "$data"
wait_for_window "Klotzbrecher 3" >/dev/null
window=$window_id

geometry=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: //p' <<<"$geometry")
height=$(sed -n 's/^ *Height: //p' <<<"$geometry")
[ "$width" = 1024 ] && [ "$height" = 768 ] || fail "window is ${width}x${height}, not 1024x768"

wait_for_title
[ -n "${KB_E2E_SHOTS:-}" ] && screenshot "$KB_E2E_SHOTS/title.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
press Return 50
wait_for_main_menu
kill -0 "$game_pid" || fail "the game ended after the title picture"
echo "title picture shown in a ${width}x${height} window; RETURN led to the main menu"
