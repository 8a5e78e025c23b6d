#!/usr/bin/env bash
# Loads shipped styles one after another from the window's menu, under a window manager
# (openbox: no compositor, as many X11 desktops run), and checks after each load that the
# window has the style's size: the window manager answers each resize late, and a window
# left at the previous style's size shows a page laid out for another.
set -euo pipefail
window_manager=openbox
source "$(dirname "$0")/program_run.sh" "$@"
command -v xdotool >/dev/null || fail "xdotool is missing"
cp -r "$bin/Styles" "$prog/"
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

start_program
win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -1) || true
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { describe_windows; display_report; fail "xdotool did not find the shown window"; }
sleep 1 # the first timer tick runs the full load

shown_windows() { xdotool search --onlyvisible --pid "$pid" --name '' 2>/dev/null | wc -l; }

# The window's outer size (the size a style gives, in pixels) once it has stopped changing
# (the same for half a second: the program and then the window manager answer late).
outer_size() {
  local last="" now extents same=0
  for _ in $(seq 1 60); do
    eval "$(xdotool getwindowgeometry --shell "$win")"
    extents=$(xprop -id "$win" _NET_FRAME_EXTENTS | grep '=' | sed 's/.*= //; s/,//g') || true
    read -r l r t b <<<"${extents:-0 0 0 0}"
    now="$((WIDTH + l + r))x$((HEIGHT + t + b))"
    if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
    [ "$same" -ge 2 ] && break
    last=$now
    sleep 0.25
  done
  echo "$now"
}

# Waits until the program shows more than (gt) or at most (le) that many windows: a menu
# opened or closed. It fails when that never happens (keys would go astray).
wait_windows() {
  local op=$1 count=$2 what=$3
  for _ in $(seq 1 300); do
    [ "$(shown_windows)" -"$op" "$count" ] && return
    sleep 0.1
  done
  fail "load ${round:-}: $what (the program shows $(shown_windows) windows)"
}

# Chooses the n-th entry of "Window Styles" (the first entry of the window's menu).
load_style() {
  local n=$1 before
  before=$(shown_windows)
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove --window "$win" $((WIDTH - 20)) 15 click 3 # on the picture
  wait_windows gt "$before" "the window's menu did not open"
  xdotool key Down Right
  wait_windows gt $((before + 1)) "the styles submenu did not open"
  for _ in $(seq 2 "$n"); do xdotool key Down; done
  xdotool key Return
  wait_windows le "$before" "the menu did not close"
  sleep 0.5
}

# The sizes the shipped styles give (twips at 15 per pixel), but the see-through one,
# whose clear pixels let the clicks through to the desktop. The menu lists the newest
# file first: the see-through one is made the oldest, so the others come first.
declare -A wanted=()
age=0
for f in "$prog/Styles/"*.ini; do
  if grep -qi '^Window Background Colours=Transparent' "$f"; then
    touch -d '2001-01-01' "$f"
    continue
  fi
  age=$((age + 1))
  touch -d "2020-01-0$age" "$f"
  w=$(sed -n 's/^Window Width=\([0-9]*\).*/\1/p' "$f")
  h=$(sed -n 's/^Window Height=\([0-9]*\).*/\1/p' "$f")
  wanted["$(((w + 7) / 15))x$(((h + 7) / 15))"]=$(basename "$f" .ini)
done
[ "${#wanted[@]}" -ge 3 ] || fail "fewer than three shipped styles of their own size"

# The first three entries of the menu.
declare -A seen=()
for round in $(seq 0 20); do
  n=$((round % 3 + 1))
  load_style "$n"
  size=$(outer_size)
  [ -n "${wanted[$size]:-}" ] || fail "load $round (entry $n): the window is $size, the size of no style"
  if [ -n "${seen[$n]:-}" ] && [ "${seen[$n]}" != "$size" ]; then
    fail "load $round (entry $n): the window is $size, this style gave ${seen[$n]} before"
  fi
  seen[$n]=$size
  echo "load $round: ${wanted[$size]} at $size"
done
[ "${seen[1]}" != "${seen[2]}" ] && [ "${seen[2]}" != "${seen[3]}" ] && [ "${seen[1]}" != "${seen[3]}" ] ||
  fail "two styles left the window at one size"
end_program
echo "PASS"
