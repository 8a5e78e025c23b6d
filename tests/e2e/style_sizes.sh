#!/usr/bin/env bash
# Loads shipped styles one after another from the window's menu, under a window manager
# (openbox: no compositor, as many X11 desktops run), and checks after each load that the
# window has the style's size: the window manager answers each resize late, and a window
# left at the previous style's size shows a page laid out for another.
set -euo pipefail
source "$(dirname "$0")/program_run.sh" "$@"
command -v xdotool >/dev/null || fail "xdotool is missing"
command -v openbox >/dev/null || fail "openbox is missing"
cp -r "$bin/Styles" "$prog/"
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$pid" "$wm" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 1 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep window >/dev/null && break; sleep 0.1; done

start_program
win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -1) || true
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { xwininfo -root -tree | grep -i almanor; fail "the window was not found"; }
sleep 1 # the first timer tick runs the full load

shown_windows() { xdotool search --onlyvisible --pid "$pid" --name '' 2>/dev/null | wc -l; }

# The window's outer size (the size a style gives, in pixels) once it has stopped changing.
outer_size() {
  local last="" now extents
  for _ in $(seq 1 30); do
    eval "$(xdotool getwindowgeometry --shell "$win")"
    extents=$(xprop -id "$win" _NET_FRAME_EXTENTS | grep '=' | sed 's/.*= //; s/,//g') || true
    read -r l r t b <<<"${extents:-0 0 0 0}"
    now="$((WIDTH + l + r))x$((HEIGHT + t + b))"
    [ "$now" = "$last" ] && break
    last=$now
    sleep 0.2
  done
  echo "$now"
}

# Chooses the n-th entry of "Window Styles" (the first entry of the window's menu).
load_style() {
  local n=$1 before
  before=$(shown_windows)
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove --window "$win" $((WIDTH - 20)) 15 click 3 # on the picture
  for _ in $(seq 1 50); do [ "$(shown_windows)" -gt "$before" ] && break; sleep 0.1; done
  xdotool key Down Right
  for _ in $(seq 1 50); do [ "$(shown_windows)" -gt $((before + 1)) ] && break; sleep 0.1; done
  for _ in $(seq 2 "$n"); do xdotool key Down; done
  xdotool key Return
  for _ in $(seq 1 50); do [ "$(shown_windows)" -le "$before" ] && break; sleep 0.1; done
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
