#!/usr/bin/env bash
# Gives a day a note in each program, then ends the X server under it (as a logout
# without a session manager does, or xkill): the program ends without closing its
# windows, and the note it had stored must be in the year date file all the same.
# Each program runs on a virtual display of its own, started and ended here.
set -euo pipefail
bin="$1"
command -v Xvfb >/dev/null || { echo "Xvfb is missing"; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
server=""
number=$(mktemp)
cookies=$(mktemp -u)

# A display of our own; server holds its process.
# It admits only this run's clients (a cookie of its own) and does not reset when its last
# client leaves, so a stray client of an ended display, or a reset while the program
# connects, cannot fail the run.
start_display() {
  : >"$number"
  rm -f "$cookies"
  local cookie
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  xauth -q -f "$cookies" add :0 . "$cookie"
  Xvfb -displayfd 3 -auth "$cookies" -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 100); do
    [ -s "$number" ] && break
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start"; exit 1; }
    sleep 0.05
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$number")"
  xauth -q -f "$cookies" add "$DISPLAY" . "$cookie"
  export XAUTHORITY="$cookies"
}

start_display
source "$(dirname "$0")/program_run.sh" "$bin" --inside
cp "$bin/AlmanorviqueCentral" "$prog/"
trap 'kill -KILL "${pid:-}" "$server" 2>/dev/null || true; rm -rf "$work" "$number" "$cookies"' EXIT

# Opens the note editor of the day at x y of window $1 (a double click), types a note on
# two lines and stores it by pressing the day at x2 y2, as a user does.
type_note() {
  local w=$1 x=$2 y=$3 x2=$4 y2=$5
  xdotool mousemove --window "$w" "$x" "$y" click --repeat 2 --delay 80 1
  sleep 0.5
  xdotool type --delay 10 "Dentist 9am"
  xdotool key Return
  xdotool type --delay 10 "bring card"
  xdotool mousemove --window "$w" "$x2" "$y2" click 1
}

# The visible window of the program titled $title; the window may exist a moment before
# it is mapped, so this waits for it (up to 30 s: a loaded machine).
visible_window() {
  local w=""
  for _ in $(seq 1 300); do
    w=$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -1 || true)
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || { xwininfo -root -tree 2>/dev/null | head -40; fail "the window titled $title was never mapped"; }
  echo "$w"
}

# Ends the X server and waits until the program has ended by itself.
end_display() {
  sleep 2 # the note was stored a moment ago
  kill "$server"
  wait "$server" 2>/dev/null || true
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end when its display went"
  wait "$pid" 2>/dev/null || true
}

# The note is in the year file under its day, on one line with its break, and nothing else
# of the file was lost.
check_note() {
  local file="$country/$year"
  [ -f "$file" ] || fail "no year date file $year"
  # The line break is kept in the entry as U+2028 (UTF-8 E2 80 A8).
  grep -a '^Activity:[0-9][0-9]/[0-9][0-9]=Dentist 9am'$'\xe2\x80\xa8''bring card'$'\r''$' "$file" >/dev/null || {
    cat "$work/log"
    fail "$1: the stored note is not in the year date file"
  }
  grep -a '^PCaption:25/12=' "$file" >/dev/null || fail "$1: the year date file lost its holidays"
}

# The calendar window: the second week's Tuesday (always a day of the shown month), stored
# by pressing that week's Sunday.
start_program
win=$(visible_window)
sleep 1 # the full load
type_note "$win" 124 361 50 361
end_display
check_note Almanorvique
echo "Almanorvique: the note was kept"

# The frame: "2 Months" shows the month before and this month (this month alone, on the
# left, in January); the note goes to this month's window.
rm -rf "$user"
start_display
program=AlmanorviqueCentral title="Almanorvique Central"
start_program
win=$(visible_window)
sleep 1.5 # the month windows are made and loaded
xdotool mousemove --window "$win" 35 30 click 1 # "2 Months"
sleep 1
left=902
[ "$(date +%-m)" -eq 1 ] && left=368
type_note "$win" "$left" 190 $((left - 56)) 190
end_display
check_note AlmanorviqueCentral
echo "PASS"
