#!/usr/bin/env bash
# Runs two copies of the built Almanorvique at once in one program folder, gives a day in
# each a caption of its own through the day menu and has each save a setting of its own
# with "Save Current Properties", ends the second copy and then the first as the desktop
# would (SIGTERM), and checks that the personal dates hold both captions and the settings
# file both settings: a copy that saves or ends last must not write back its whole table
# over what the other saved.
set -euo pipefail
source "$(dirname "$0")/program_run.sh" "$@"
command -v xdotool >/dev/null || fail "xdotool is missing"
copies=()
# A copy still running when a check fails is ended before its folder goes.
trap 'for p in "${copies[@]}"; do kill -KILL "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

# Starts a copy and waits until its window is shown; pid and win hold its process and window.
start_copy() {
  local name=$1 p w=""
  "$prog/$program" >"$work/log.$name" 2>&1 &
  p=$!
  copies+=("$p")
  for _ in $(seq 1 600); do
    w=$(xdotool search --all --onlyvisible --pid "$p" --name "^$title\$" 2>/dev/null | head -1) || true
    [ -n "$w" ] && break
    kill -0 "$p" 2>/dev/null || { cat "$work/log.$name"; display_report; fail "copy $name ended before showing its window"; }
    sleep 0.1
  done
  [ -n "$w" ] || { describe_windows; display_report; fail "copy $name showed no window within 60 s"; }
  pid=$p win=$w
}

# How many windows of process $1 are shown (its main window, then each open menu).
shown_windows() { xdotool search --onlyvisible --pid "$1" --name '' 2>/dev/null | wc -l; }

# Waits until process $1 shows $2 windows: a menu opened, so it takes the keys.
wait_windows() {
  for _ in $(seq 1 300); do [ "$(shown_windows "$1")" -ge "$2" ] && return; sleep 0.1; done
  fail "a menu of process $1 did not open"
}

# Right-clicks a day cell of copy $1's window $2 (x y inside it) and picks the n-th offered
# caption of "Set Date Caption" (1 is "Custom", then "Birthday", "Anniversary"...).
set_caption() {
  local p=$1 w=$2 x=$3 y=$4 n=$5 before
  before=$(shown_windows "$p")
  xdotool mousemove --window "$w" "$x" "$y" click 3
  wait_windows "$p" $((before + 1))
  xdotool key Down Down Right # the day menu's second entry opens the offered captions
  wait_windows "$p" $((before + 2))
  for _ in $(seq 2 "$n"); do xdotool key Down; done
  xdotool key Return
  for _ in $(seq 1 300); do [ "$(shown_windows "$p")" -le "$before" ] && return; sleep 0.1; done
  fail "the day menu of process $p did not close"
}

# Waits until process $1 shows no more than $2 windows: its menus closed.
wait_closed() {
  for _ in $(seq 1 50); do [ "$(shown_windows "$1")" -le "$2" ] && return; sleep 0.1; done
  fail "a menu of process $1 did not close"
}

# In copy $1's window $2, picks item $4 of the window menu's entry $3 (both counted from
# 1 at the top), then "Save Current Properties" (the menu's third entry from the bottom).
save_setting() {
  local p=$1 w=$2 entry=$3 item=$4 before
  before=$(shown_windows "$p")
  xdotool windowraise "$w" # the copies' windows lie on each other
  xdotool mousemove --window "$w" 160 150 click 3 # the picture
  wait_windows "$p" $((before + 1))
  for _ in $(seq 1 "$entry"); do xdotool key Down; done
  xdotool key Right
  wait_windows "$p" $((before + 2))
  for _ in $(seq 2 "$item"); do xdotool key Down; done
  xdotool key Return
  wait_closed "$p" "$before"
  xdotool mousemove --window "$w" 160 150 click 3
  wait_windows "$p" $((before + 1))
  xdotool key Up Up Up Return
  wait_closed "$p" "$before"
}

# The settings file holds both copies' settings.
settings="$country/Almanorvique.ini"
check_settings() {
  grep $'^Window Background Colours=Blue,' "$settings" >/dev/null || fail "copy A's background colour was lost $1"
  grep $'^Calendar Image Files=.*/April\.jpg\r$' "$settings" >/dev/null || fail "copy B's picture was lost $1"
}

# Ends a copy as the desktop does and checks that it ended cleanly.
end_copy() {
  local name=$1 p=$2
  kill -TERM "$p"
  for _ in $(seq 1 300); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$p" 2>/dev/null && { cat "$work/log.$name"; fail "copy $name did not end on SIGTERM"; }
  local status=0
  wait "$p" || status=$?
  [ "$status" -eq 0 ] || { cat "$work/log.$name"; fail "copy $name ended with status $status"; }
}

mkdir -p "$user"
printf 'Caption:01/01=Before the start\r\n' >"$user/PersonalDates"

# The cells of the second week's Tuesday and Wednesday: always days of the shown month.
row2=361 tuesday=124 wednesday=161

start_copy B
pidB=$pid winB=$win
sleep 1 # let the first timer tick run the full load
set_caption "$pidB" "$winB" "$tuesday" "$row2" 2 # Birthday

# The second copy opens over the first and reads the file without the first's caption.
start_copy A
pidA=$pid winA=$win
sleep 1
set_caption "$pidA" "$winA" "$wednesday" "$row2" 3 # Anniversary

# A saves its background colour ("Blue", the second offered); then B, which read the file
# before, its picture (the first offered, "April").
save_setting "$pidA" "$winA" 4 2
grep $'^Window Background Colours=Blue,' "$settings" >/dev/null || fail "copy A did not save its colour"
save_setting "$pidB" "$winB" 5 1
check_settings "when copy B saved"

end_copy A "$pidA"
grep -q $'^Caption:[0-9][0-9]/[0-9][0-9]=Anniversary\r$' "$user/PersonalDates" ||
  fail "copy A did not save its caption"
end_copy B "$pidB"

cat "$user/PersonalDates"
grep -q $'^Caption:01/01=Before the start\r$' "$user/PersonalDates" || fail "the personal dates lost their own line"
grep -q $'^Caption:[0-9][0-9]/[0-9][0-9]=Birthday\r$' "$user/PersonalDates" || fail "copy B's caption was lost"
grep -q $'^Caption:[0-9][0-9]/[0-9][0-9]=Anniversary\r$' "$user/PersonalDates" ||
  fail "copy A's caption was lost when copy B ended"
check_settings "when the copies ended"
echo "PASS"
