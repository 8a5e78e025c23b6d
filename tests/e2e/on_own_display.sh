#!/usr/bin/env bash
# Runs a command on a virtual X display of its own, with no window manager or, after
# --window-manager, with openbox (no compositor, as many X11 desktops run). The server
# picks a free display number itself (-displayfd), so tests started at the same moment
# never race for one number, as "xvfb-run -a" does between its check and the server's start.
# Usage: on_own_display.sh [--window-manager] command [arguments...]
#
# On a shared machine a number is soon taken again: a program or an xdotool of someone whose
# own display has ended may still name it. The server admits only clients holding this
# run's cookie (XAUTHORITY), so nobody else's clicks, keys or connections reach the test,
# and it keeps running when its last client leaves (-noreset: a reset drops the connection
# a program is just opening). It notes each client (-audit 4) for a failing script's report.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "Xvfb is missing"; exit 1; }
command -v xauth >/dev/null || { echo "xauth is missing"; exit 1; }
with_wm=""
if [ "${1:-}" = "--window-manager" ]; then
  shift
  with_wm=yes
  command -v openbox >/dev/null || { echo "openbox is missing"; exit 1; }
  command -v xev >/dev/null || { echo "xev is missing"; exit 1; }
fi
number=$(mktemp)
serverlog=$(mktemp)
cookies=$(mktemp)
wmlog=$(mktemp)
trap 'kill "${wm:-}" 2>/dev/null || true; wait "${wm:-}" 2>/dev/null || true
  kill "${server:-}" 2>/dev/null || true; wait "${server:-}" 2>/dev/null || true
  rm -f "$number" "$serverlog" "$cookies" "$wmlog"' EXIT
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
# The server takes every cookie of its file, whatever display the entry names.
xauth -q -f "$cookies" add :0 . "$cookie"
Xvfb -displayfd 3 -auth "$cookies" -noreset -audit 4 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" \
  >"$serverlog" 2>&1 &
server=$!
# The number is written once the server takes connections (a loaded machine may take
# seconds to start it).
for _ in $(seq 1 600); do
  [ -s "$number" ] && break
  kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start"; cat "$serverlog"; exit 1; }
  sleep 0.05
done
[ -s "$number" ] || { echo "Xvfb gave no display"; cat "$serverlog"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$number")"
xauth -q -f "$cookies" add "$DISPLAY" . "$cookie"
export XAUTHORITY="$cookies"
# For a script's report of what the display was doing when a check failed.
export OWN_DISPLAY_SERVER=$server OWN_DISPLAY_LOG=$serverlog

# openbox claims the screen early in its start, and a window mapped during the rest of it
# is never taken in: it stays unmapped for good. It is ready once it frames a probe window;
# a probe it dropped is replaced by another.
managed_windows() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -o '0x[0-9a-f]*' | wc -l; }
if [ -n "$with_wm" ]; then
  openbox >"$wmlog" 2>&1 &
  wm=$!
  ready=""
  for _ in $(seq 1 30); do
    xev -geometry 20x20 >/dev/null 2>&1 &
    probe=$!
    for _ in $(seq 1 20); do
      [ "$(managed_windows)" -gt 0 ] && { ready=yes; break; }
      sleep 0.1
    done
    kill "$probe" 2>/dev/null || true
    wait "$probe" 2>/dev/null || true
    [ -n "$ready" ] && break
    kill -0 "$wm" 2>/dev/null || { echo "openbox ended"; cat "$wmlog"; exit 1; }
  done
  [ -n "$ready" ] || { echo "openbox framed no window within 60 s"; cat "$wmlog"; exit 1; }
  for _ in $(seq 1 50); do [ "$(managed_windows)" -eq 0 ] && break; sleep 0.1; done
  export OWN_DISPLAY_WM=$wm OWN_DISPLAY_WM_LOG=$wmlog
fi
status=0
"$@" || status=$?
exit "$status"
