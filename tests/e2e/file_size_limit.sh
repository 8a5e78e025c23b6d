#!/usr/bin/env bash
# Runs the built programs under a file-size limit (prlimit --fsize), as a user's ulimit -f
# or a quota would set it, with the signal such a write raises left as the system sets it
# up: the programs must not be ended by it. A first start from an empty user folder shows
# the window and ends normally; a caption given to a day that cannot be written because
# of the limit is said when it is written (on stderr) and at the close ("Save Dates"),
# the old file is kept and the program ends normally when the user closes anyway.
set -euo pipefail
source "$(dirname "$0")/program_run.sh" "$@"
command -v prlimit >/dev/null || fail "prlimit is missing"
command -v xdotool >/dev/null || fail "xdotool is missing"
trap 'kill -KILL "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

# Ends the program as the desktop does and checks that it ended by itself with status 0
# (a process ended by the limit's signal has status 153).
end_normally() {
  kill -TERM "$pid"
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# The first start: every file it makes from the templates is larger than the limit.
start_program prlimit --fsize=1000 --
sleep 1 # the full load writes (or fails to write) the date files
kill -0 "$pid" 2>/dev/null || fail "the program was ended by the file-size limit at its first start"
grep "Almanorvique.ini" "$work/log" >/dev/null || fail "the settings file that could not be made was not said"
end_normally
echo "first start under the limit: ended normally"

# The user's files made without a limit.
start_program
sleep 1
end_normally
personal="$user/PersonalDates"
before=$(od -c "$personal")

# Under a limit the new personal dates file cannot reach (the log goes through a pipe, which
# the limit does not cover): a day gets a caption through its menu (the second week's
# Tuesday: always a day of the shown month).
prlimit --fsize=16 -- "$prog/$program" > >(cat >"$work/log") 2>&1 &
pid=$!
win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -1) || true
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
  sleep 0.1
done
[ -n "$win" ] || fail "no window titled $title appeared"
sleep 1
menus=$(xdotool search --onlyvisible --pid "$pid" --name '' | wc -l)
xdotool mousemove --window "$win" 124 361 click 3
for _ in $(seq 1 50); do [ "$(xdotool search --onlyvisible --pid "$pid" --name '' | wc -l)" -gt "$menus" ] && break; sleep 0.1; done
xdotool key Down Down Right
sleep 0.5
xdotool key Down Return # "Birthday"
sleep 2 # a change is written soon after it was made: here that write fails
kill -0 "$pid" 2>/dev/null || fail "the program was ended by the file-size limit after a change"
grep "PersonalDates: File too large" "$work/log" >/dev/null || fail "the failed write was not said with its reason"

# The close says that the dates could not be saved; the user closes without them.
kill -TERM "$pid"
box=""
for _ in $(seq 1 100); do
  box=$(xwininfo -root -tree 2>/dev/null | awk '/"Save Dates"/ {print $1; exit}')
  [ -n "$box" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended without saying that the dates could not be saved"
  sleep 0.1
done
[ -n "$box" ] || fail "no question about the dates that could not be saved"
# "No", at the box's lower right corner.
box=$((box)) # xdotool takes the number in decimal
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --window "$box" $((WIDTH - 50)) $((HEIGHT - 22)) click 1
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after the question"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ "$(od -c "$personal")" = "$before" ] || fail "the personal dates file was changed"

# The frame of month windows starts under the limit as well and ends normally.
rm -rf "$user"
cp "$bin/AlmanorviqueCentral" "$prog/"
program=AlmanorviqueCentral title="Almanorvique Central"
start_program prlimit --fsize=1000 --
sleep 1.5 # the month windows are made and loaded
kill -0 "$pid" 2>/dev/null || fail "the frame was ended by the file-size limit"
end_normally
echo "PASS"
