#!/usr/bin/env bash
# The real game in a real window: it opens full screen, 1024 x 768, titled
# "Klotzbrecher 3", shows the title picture and ends on RETURN.
# Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
game=$(realpath "$1")
data=$(realpath "$2")

start_display 1024x768
start_game "$game" "$data"
window=$(wait_for_window "Klotzbrecher 3")

geometry=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: //p' <<<"$geometry")
height=$(sed -n 's/^ *Height: //p' <<<"$geometry")
[ "$width" = 1024 ] && [ "$height" = 768 ] || fail "window is ${width}x${height}, not 1024x768"

"$IM_CONVERT" "$data/Hintergründe/Titelbild.jpg" "$work/expected.png"
wait_for_picture "$work/expected.png" 0.02
screenshot "$work/title.png"
[ -n "${KB_E2E_SHOTS:-}" ] && cp "$work/title.png" "$KB_E2E_SHOTS/title.png"

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers Return
wait_for_exit 10
echo "title picture shown, window ${width}x${height}, ended on RETURN"
