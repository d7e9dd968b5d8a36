# serve FOLDER: serves the folder on 127.0.0.1 at a free port, which it sets
# in $port, until the shell ends. Shared by the browser journey and the
# browser figures; source this file.
serve() {
  local log
  log=$(mktemp)
  python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$1" >"$log" 2>&1 &
  server_pid=$!
  trap 'kill "$server_pid" 2>/dev/null || true' EXIT
  port=""
  for _ in $(seq 1 100); do
    port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$log" | head -n 1)
    [ -n "$port" ] && break
    sleep 0.1
  done
  rm -f "$log"
  [ -n "$port" ] || { echo "FAIL: $1 could not be served" >&2; return 1; }
}
