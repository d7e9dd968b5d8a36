# Shared by the end-to-end tests: a private Xvfb display, the game started in
# a copy of the data folder, screenshots, and clean-up on every exit.
# Usage: source this file, then call start_display, start_game, ...

set -euo pipefail

IM_IMPORT=/usr/bin/import
IM_COMPARE=/usr/bin/compare
IM_CONVERT=/usr/bin/convert

work=$(mktemp -d /tmp/kb-e2e-XXXXXX)
xvfb_pid=""
game_pid=""

cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "${KB_E2E_KEEP:-0}" = 1 ] || [ -f "$work/failure.txt" ]; then
    echo "kept $work" >&2
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT

# fail MESSAGE: ends the journey (also from a command substitution); the run
# folder stays, with the message and the screen of that moment (failed.png).
fail() {
  echo "FAIL: $*" | tee "$work/failure.txt" >&2
  if [ -n "${DISPLAY:-}" ] && screenshot "$work/failed.png" 2>/dev/null; then
    echo "  the screen: $work/failed.png" >&2
  fi
  [ -f "$work/journey.log" ] && tail -n 30 "$work/journey.log" | sed 's/^/  journey: /' >&2
  [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log" >&2
  exit 1
}
# note TEXT: a line of the journey's own log, with the time, kept for a failure.
note() { echo "$(date +%T.%N | cut -c1-12) $*" >>"$work/journey.log"; }

# start_display WIDTHxHEIGHT: the server picks a free display itself and
# names it once it takes connections, so that journeys started at the same
# moment, from any checkout, never share one. Without -noreset the server
# starts over whenever its last client leaves (each xdotool call is one), and
# a client connecting in that moment, the game at its start among them, is
# refused.
start_display() {
  local n=""
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 200); do
    # The number is whole once its line has ended.
    [ "$(wc -l <"$work/display")" -ge 1 ] && n=$(head -n 1 "$work/display")
    if [ -n "$n" ]; then
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  fail "no Xvfb display could be started"
}

# start_game GAME_BINARY DATA_FOLDER: runs the game in a fresh copy of the data.
start_game() {
  copy_data "$2"
  run_game "$1"
}
# copy_data DATA_FOLDER: the fresh copy alone, to be changed before run_game.
# A match a player left unfinished in that folder would be offered first.
copy_data() {
  cp -r "$1" "$work/data"
  rm -f "$work/data/Spielstand.bin"
}
# run_game GAME_BINARY [FOLDER [ARGUMENT...]]: runs the game in the copy (or
# in FOLDER), again after it has ended, with the arguments given.
run_game() {
  local game=$1 folder=${2:-$work/data}
  shift $(($# < 2 ? $# : 2))
  (cd "$folder" && SDL_AUDIODRIVER=dummy exec "$game" "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
}
# write_options PARTICLES RING STRENGTH STONES SNAKE: "Optionen.bin" of the
# copy, five 32-bit values (the strength stored from 0).
write_options() {
  local value bytes=""
  for value in "$@"; do
    bytes+=$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((value & 255)) $((value >> 8 & 255)) \
      $((value >> 16 & 255)) $((value >> 24 & 255)))
  done
  printf "$bytes" >"$work/data/Optionen.bin"
}

# wait_for_window TITLE: sets window_id (and prints it). The game opens it in
# about a second; a machine busy with other work has been seen to take forty.
wait_for_window() {
  local id
  for _ in $(seq 1 1200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { window_id=$id; echo "$id"; return 0; }
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window appeared"
    sleep 0.1
  done
  fail "no window titled '$1' appeared"
}

# screenshot FILE
# The PNG is written with the fastest compression (zlib level 1, no filter):
# the same pixels at a fifth of the time, and a journey takes hundreds.
screenshot() { "$IM_IMPORT" -window root -quality 10 "$1"; }

# difference A B: normalised RMSE of two pictures (0 = equal, 1 = opposite).
difference() {
  { "$IM_COMPARE" -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'
}

# wait_for_picture EXPECTED MAXDIFF: until the screen shows EXPECTED.
wait_for_picture() {
  local d=""
  for _ in $(seq 1 100); do
    screenshot "$work/shot.png"
    d=$(difference "$work/shot.png" "$1")
    below "$d" "$2" && return 0
    sleep 0.2
  done
  fail "the screen never matched $(basename "$1") (last difference $d)"
}

# wait_for_exit SECONDS: the game must end by itself with status 0.
wait_for_exit() {
  local status
  for _ in $(seq 1 $(($1 * 10))); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      wait "$game_pid" && status=0 || status=$?
      game_pid=""
      [ "$status" -eq 0 ] || fail "the game ended with status $status"
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not end within $1 s"
}

# seconds MS: milliseconds as xdotool's sleep takes them.
seconds() { printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)); }

# press KEY [HOLD_MS]: a key held long enough for the game's next reads. One
# xdotool process presses, waits and releases, so that a busy machine cannot
# stretch the hold by the start of a second process (a key held on into the
# next screen is read there too).
press() { xdotool keydown "$1" sleep "$(seconds "${2:-150}")" keyup "$1"; }

# click [BUTTON] [HOLD_MS]: 1 left, 3 right; one process, as press.
click() { xdotool mousedown "${1:-1}" sleep "$(seconds "${2:-150}")" mouseup "${1:-1}"; }

# point_to X Y: the game's pointer follows relative motion only, so move far
# to the top-left (it stops at 0, 0) and then by the target's coordinates.
point_to() {
  xdotool mousemove_relative -- -3000 -3000
  sleep 0.25
  xdotool mousemove_relative -- "$1" "$2"
  sleep 0.25
}

# region_difference X Y W H EXPECTED: compares that part of the screen with
# the same part of a picture of the whole screen.
region_difference() {
  screenshot "$work/region.png"
  shot_region_difference "$work/region.png" "$@"
}

# shot_region_difference SHOT X Y W H EXPECTED: the same for a screenshot taken.
shot_region_difference() { difference "$1[$4x$5+$2+$3]" "$6[$4x$5+$2+$3]"; }

# shot_shows SHOT X Y W H EXPECTED MAXDIFF: whether that part of the
# screenshot is EXPECTED's.
shot_shows() { below "$(shot_region_difference "$@")" "$7"; }

# below DIFFERENCE MAX: whether a difference is known and at most MAX.
below() { awk -v d="$1" -v m="$2" 'BEGIN { exit !(d != "" && d <= m) }'; }

# wait_for_region X Y W H EXPECTED MAXDIFF WHAT
wait_for_region() {
  local d=""
  for _ in $(seq 1 60); do
    d=$(region_difference "$1" "$2" "$3" "$4" "$5")
    below "$d" "$6" && return 0
    sleep 0.25
  done
  fail "$7 never showed (last difference $d)"
}
