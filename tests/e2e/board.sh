# Reads the board off a screenshot, for the journeys that play whole games.
# Needs xvfb_session.sh. Every cell is 48 x 48; its average colour is matched
# against the average colours of the legend icons beside the board, which are
# the same stone pictures, so no colour of the art is written down here.

# icon_colours SHOT ICON_X ICON_Y1 ... : the average colours of the 48 x 48
# legend icons standing at those places, as "R G B R G B ...".
icon_colours() {
  local shot=$1 x=$2 y
  shift 2
  for y in "$@"; do
    "$IM_CONVERT" "$shot" -crop "48x48+$x+$y" +repage -scale 1x1 -depth 8 txt:- |
      sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 /p'
  done | tr -d '\n'
}

# read_board SHOT X0 COLUMNS ICONS: prints 16 lines of COLUMNS characters, one
# per row: "." an empty cell, "1" to "9" the icon of icon_colours whose colour
# the cell has, "?" anything else (a stone in the middle of its explosion, the
# pointer, a turning stone). A cell matches an icon when each channel is within
# board_tolerance on average.
board_tolerance=10
read_board() {
  local shot=$1 x0=$2 columns=$3 icons=$4
  "$IM_CONVERT" "$shot" -crop "$((columns * 48))x768+$x0+0" +repage -scale "${columns}x16" \
    -depth 8 txt:- |
    awk -v icons="$icons" -v columns="$columns" -v tolerance="$board_tolerance" '
      BEGIN { n = split(icons, v, " ") / 3 }
      /^[0-9]+,[0-9]+:/ {
        split($1, at, "[,:]"); gsub(/[()]/, "", $2); split($2, c, ",")
        best = "?"; bestd = tolerance * tolerance * 3
        if (c[1] < 24 && c[2] < 24 && c[3] < 24) best = "."
        else for (i = 1; i <= n; i++) {
          d = (c[1] - v[3*i-2])^2 + (c[2] - v[3*i-1])^2 + (c[3] - v[3*i])^2
          if (d < bestd) { bestd = d; best = i }
        }
        cell[at[2], at[1]] = best
      }
      END {
        for (r = 0; r < 16; r++) {
          line = ""
          for (x = 0; x < columns; x++) line = line cell[r, x]
          print line
        }
      }'
}

# largest_group MAX_CODE [smallest]: reads a board from read_board on standard
# input and prints "COLUMN ROW SIZE" of one cell of the largest group of equal
# neighbours whose code is at most MAX_CODE (with "smallest", of the smallest
# such group), or nothing when there is none.
largest_group() {
  awk -v max="$1" -v smallest="${2:-}" '
    { row[NR - 1] = $0; width = length($0) }
    function at(x, y) { return (x < 0 || y < 0 || x >= width || y > 15) ? "" : substr(row[y], x + 1, 1) }
    function fill(x, y, k) {
      if (seen[x, y] || at(x, y) != k) return 0
      seen[x, y] = 1
      return 1 + fill(x + 1, y, k) + fill(x - 1, y, k) + fill(x, y + 1, k) + fill(x, y - 1, k)
    }
    END {
      best = 0
      for (y = 15; y >= 0; y--) for (x = width - 1; x >= 0; x--) {
        k = at(x, y)
        if (seen[x, y] || k !~ /^[1-9]$/ || k + 0 > max) continue
        n = fill(x, y, k)
        if (n < 2) continue
        if (!best || (smallest ? n < best : n > best)) { best = n; bx = x; by = y }
      }
      if (best) print bx, by, best
    }'
}

# The game's pointer follows relative motion only, and the motion that comes
# between two of its reads is summed before it is clamped to the screen; so
# after one point_to the journeys keep track of the pointer and move it by
# differences that never leave the screen.
pointer_x=0
pointer_y=0
pointer_home() {
  point_to "$1" "$2"
  pointer_x=$1
  pointer_y=$2
}
move_pointer() {
  xdotool mousemove_relative -- $(($1 - pointer_x)) $(($2 - pointer_y))
  pointer_x=$1
  pointer_y=$2
}
# put_cursor COLUMN ROW: the right button held on a cell brings the cursor there.
put_cursor() {
  note "cursor to $1 $2"
  move_pointer $(($1 * 48 + 24)) $(($2 * 48 + 24))
  click 3 250
}
# click_at X Y: a quick left click there, as a player clicks. The match acts
# on it once, in its next update (they come every 100 ms), at the place the
# pointer has then; so the pointer rests on the cell until that update has
# come, as a player's hand does. Moved away at once, half of these clicks
# landed beside the board and each cost a journey seconds of waiting.
click_at() {
  move_pointer "$1" "$2"
  click 1 40
  sleep 0.12
}
