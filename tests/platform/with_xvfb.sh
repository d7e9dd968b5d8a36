#!/usr/bin/env bash
# with_xvfb.sh COMMAND...: runs the command on a private Xvfb display of its
# own. The server picks a free display itself and names it once it takes
# connections, so that tests started at the same moment never share one.
# -noreset: a server that starts over when its last client leaves refuses
# the clients connecting in that moment.
set -euo pipefail
numbers=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$numbers" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$numbers"' EXIT
for _ in $(seq 1 200); do
  if [ "$(wc -l <"$numbers")" -ge 1 ]; then
    DISPLAY=":$(head -n 1 "$numbers")" "$@"
    exit
  fi
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
echo "with_xvfb.sh: no Xvfb display could be started" >&2
exit 1
