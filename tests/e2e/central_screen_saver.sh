#!/usr/bin/env bash
# Runs the built AlmanorviqueCentral with "/s" from a temporary copy of the program folder
# under a virtual display with a window manager (when one is installed) and checks that the
# frame asks for no decoration and gets none: no title bar, no border, the whole screen.
set -euo pipefail
program=AlmanorviqueCentral title="Almanorvique Central"
window_manager=""
command -v openbox >/dev/null && window_manager=openbox
source "$(dirname "$0")/program_run.sh" "$@"
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

"$prog/$program" /s >"$work/log" 2>&1 &
pid=$!
for _ in $(seq 1 600); do
  window_shown && break
  kill -0 "$pid" 2>/dev/null || { display_report; fail "the program ended before showing its frame"; }
  sleep 0.1
done
window_shown || { describe_windows; display_report; fail "the frame was not shown within 60 s"; }
sleep 1.5 # the first tick and the desktop's placing
id=$(xwininfo -name "$title" | awk '/Window id:/ {print $4}')
[ -n "$id" ] || fail "no frame window"
hints=$(xprop -id "$id" _MOTIF_WM_HINTS)
echo "motif hints: $hints"
# flags, functions, decorations, ...: the decorations field is 0 (or the hint is absent of flag 2)
decorations=$(echo "$hints" | sed -n 's/.*= *\([^,]*\), *\([^,]*\), *\([^,]*\).*/\3/p')
[ "$decorations" = "0x0" ] || fail "the frame asks for decorations ($hints)"
if [ -n "$wm" ]; then
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS)
  echo "frame extents: $extents"
  echo "$extents" | grep "= 0, 0, 0, 0" >/dev/null || fail "the window manager framed the frame ($extents)"
  geometry=$(xwininfo -id "$id" | awk '/Width:|Height:/ {print $2}' | tr '\n' ' ')
  echo "frame size: $geometry"
  [ "$geometry" = "1280 1024 " ] || fail "the frame does not fill the screen ($geometry)"
fi
kill -TERM "$pid"
for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "the program did not end on SIGTERM"; }
echo "PASS"
