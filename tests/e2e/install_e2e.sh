#!/usr/bin/env bash
# The game as a player installs it: into a prefix that is then made
# read-only, started from another folder with a fresh home. An option changed
# and a screenshot taken land in the player's folder under
# ~/.local/share/klotzbrecher3 beside the shipped default options, and nothing
# under the prefix changes.
# Arguments: the build folder.
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screens.sh"
build=$(realpath "$1")
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
begin_journey "$prefix/bin/klotzbrecher3" "$prefix/share/klotzbrecher3"
listing() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }
listing >"$work/prefix.before"
chmod -R a-w "$prefix"
trap 'chmod -R u+w "$prefix" 2>/dev/null; cleanup' EXIT

export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME" "$work/elsewhere"
player="$HOME/.local/share/klotzbrecher3"
run_game "$game" "$work/elsewhere"
title_to_main_menu

choose_winter_set
[ -f "$player/Optionen.bin" ] || fail "no Optionen.bin in $player"
set_byte=$(od -An -t d4 -j 12 -N 4 "$player/Optionen.bin" | tr -d ' ')
[ "$set_byte" = 5 ] || fail "Optionen.bin holds graphic set '$set_byte', not 5"
# The other values are those the installation ships, which the game started with.
others=$(od -An -t d4 -N 12 "$player/Optionen.bin" | xargs)
[ "$others" = "128 20 9" ] || fail "the installed game started with options '$others'"

# F1 on the main menu: the prompt, a name, RETURN.
press F1 150
wait_for_black
type_text bild
press Return 50
for _ in $(seq 1 50); do [ -f "$player/Screenshots/bild.bmp" ] && break; sleep 0.1; done
[ -f "$player/Screenshots/bild.bmp" ] || fail "F1 saved no Screenshots/bild.bmp in $player"
wait_for_main_menu
menu_key Down; menu_key Down               # from "Optionen" down to "Beenden"
press Return 50
wait_for_exit 10

listing >"$work/prefix.after"
diff "$work/prefix.before" "$work/prefix.after" >"$work/prefix.diff" ||
  fail "the game changed its installation: $(head -n 5 "$work/prefix.diff")"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the game wrote into the folder it was started from"
echo "installed game kept the option and the screenshot in $player, its prefix untouched"
