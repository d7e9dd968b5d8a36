#!/usr/bin/env bash
# The real game on a damaged data folder: pictures and a music track missing,
# a background cut short, a sound replaced by garbage and, when not run as
# root, a working folder that cannot be written. The game must report what it
# misses, let the player into a match and out, and end cleanly.
# Arguments: the game binary, the data folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
begin_journey "$1" "$2"

damaged="$work/damaged"
cp -r "$data" "$damaged"
rm "$damaged/Maus.bmp" "$damaged/Grafiksets/Classic/stone2.bmp" "$damaged/Gameover/l.bmp"
rm "$damaged/Musik/Tonwerk3 - Klotzbrecher3.ogg"
truncate -s 600 "$damaged/Hintergründe/Highscores.jpg"
head -c 3000 /dev/urandom >"$damaged/Soundeffekte/explosion2.wav"
options_before=$(md5sum <"$damaged/Optionen.bin")

start_game "$game" "$damaged"
played="$work/data"
read_only=0
if [ "$(id -u)" != 0 ]; then
  chmod -R a-w "$played"   # the game reads everything at start-up, writes nothing yet
  read_only=1
fi

# The garbage sound is refused with a message box before the title; RETURN
# closes it and the start-up goes on. Its title is stored in a way xdotool's
# search does not match, so it is found in the window tree.
message_box() { xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "AddSound".*/\1/p' | head -n 1; }
box=""
for _ in $(seq 1 200); do
  box=$(message_box)
  [ -n "$box" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its message box appeared"
  sleep 0.1
done
[ -n "$box" ] || fail "no message box for the damaged sound appeared"
xdotool windowfocus --sync "$box" 2>/dev/null || true
press Return 50
for _ in $(seq 1 50); do
  [ -z "$(message_box)" ] && break
  sleep 0.1
done
[ -z "$(message_box)" ] || fail "the message box stayed open"

wait_for_window "Klotzbrecher 3" >/dev/null
window=$window_id
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" 2>/dev/null || true
wait_for_title
press Return 50
wait_for_main_menu
press Return 50            # "Spielen"
wait_for_mode_selection
press Return 50            # "1 Spieler": the Classic set, one stone picture missing
wait_for_match
if [ "$read_only" = 1 ]; then
  # F1 and an empty name: the screenshot cannot be written, the match goes on.
  press F1 150              # held over a drawing pass of the match
  wait_for_black            # the prompt for the file name
  press Return 50
  wait_for_match
fi
press Escape 50
wait_for_mode_selection
press Escape 50
wait_for_main_menu
for _ in 1 2 3 4 5 6; do menu_key Down; done
press Return 50            # "Beenden"
wait_for_exit 10

log="$work/game.log"
for name in Maus.bmp stone2.bmp l.bmp Highscores.jpg; do
  grep -q "$name" "$log" || fail "the game did not report $name"
done
[ "$(md5sum <"$played/Optionen.bin")" = "$options_before" ] || fail "Optionen.bin changed"
if [ "$read_only" = 1 ]; then
  grep -q "Screenshot" "$log" || fail "the failed screenshot was not reported"
  chmod -R u+w "$played"
fi
echo "damaged data folder: problems reported, message box closed, match played, game ended"
