#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (no window manager). The server picks
# a free display number itself (-displayfd), so tests started at the same moment never
# race for one number, as "xvfb-run -a" does between its check and the server's start.
# Usage: on_own_display.sh command [arguments...]
set -euo pipefail
command -v Xvfb >/dev/null || { echo "Xvfb is missing"; exit 1; }
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$number"' EXIT
# The number is written once the server takes connections.
for _ in $(seq 1 100); do
  [ -s "$number" ] && break
  kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start"; exit 1; }
  sleep 0.05
done
[ -s "$number" ] || { echo "Xvfb gave no display"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$number")"
unset XAUTHORITY
status=0
"$@" || status=$?
exit "$status"
