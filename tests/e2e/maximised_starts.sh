#!/usr/bin/env bash
# Starts the program twenty times with a settings file that says "Maximized", under a
# window manager (openbox answers late, without a compositor), and checks that the window
# comes up maximised each time; every other start also has no title bar. A window whose
# frame changes after it was mapped could be left withdrawn or normal. Then a few normal
# starts: the framed window has the stored outer size (the desktop frames it after it is
# mapped, and the size is put right then, on the native window too).
set -euo pipefail
window_manager=openbox
source "$(dirname "$0")/program_run.sh" "$@"
command -v xprop >/dev/null || fail "xprop is missing"
command -v xdotool >/dev/null || fail "xdotool is missing"
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

# The window's state as the window manager keeps it.
net_state() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | grep "\"$title\"" | awk '{print $1}'); do
    xprop -id "$id" _NET_WM_STATE 2>/dev/null | grep MAXIMIZED >/dev/null && { xprop -id "$id" _NET_WM_STATE; return; }
  done
  echo none
}

mkdir -p "$country"
for run in $(seq 1 20); do
  grep -v '^Window States=\|^Window Title Bar=' "$prog/ini/Almanorvique.ini" >"$country/Almanorvique.ini"
  echo "Window States=Maximized" >>"$country/Almanorvique.ini"
  [ $((run % 2)) -eq 0 ] && echo "Window Title Bar=No" >>"$country/Almanorvique.ini"
  start_program
  state=none
  for _ in $(seq 1 300); do
    state=$(net_state)
    [[ $state == *MAXIMIZED_VERT* && $state == *MAXIMIZED_HORZ* ]] && break
    sleep 0.1
  done
  sleep 0.3 # a late hide and show would take the state away again
  state=$(net_state)
  [[ $state == *MAXIMIZED_VERT* && $state == *MAXIMIZED_HORZ* ]] || fail "start $run: the window is not maximised ($state)"
  echo "start $run: maximised"
  end_program
done
for run in 1 2; do
  grep -v '^Window States=\|^Window Title Bar=\|^Window Width=\|^Window Height=' "$prog/ini/Almanorvique.ini" \
    >"$country/Almanorvique.ini"
  printf 'Window States=Normal\nWindow Title Bar=Yes\nWindow Width=5400\nWindow Height=7800\n' >>"$country/Almanorvique.ini"
  start_program
  sleep 1
  id=""
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -1) || true
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { describe_windows; display_report; fail "normal start $run: xdotool did not find the shown window"; }
  eval "$(xdotool getwindowgeometry --shell "$id")"
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | grep '=' | sed 's/.*= //; s/,//g') || true
  read -r l r t b <<<"${extents:-0 0 0 0}"
  [ "$((WIDTH + l + r))x$((HEIGHT + t + b))" = 360x520 ] ||
    fail "normal start $run: the window is $((WIDTH + l + r))x$((HEIGHT + t + b)) with its frame, not 360x520"
  echo "normal start $run: 360x520"
  end_program
done
echo "PASS"
