#!/usr/bin/env bash
# Runs the built Almanorvique (or, with program and title set, AlmanorviqueCentral) under a
# virtual display, resizes its window, then destroys the window from outside, as a desktop
# that goes wrong or "xdotool windowclose" does, with no close asked first. The program
# must save as at the end of a session (its dates, the window's size) and end.
set -euo pipefail
source "$(dirname "$0")/program_run.sh" "$@"

# A screen-saver run changes its window's frame, for which Qt puts a new native window in
# place of the old: that is no window destroyed from outside, and the run goes on.
"$prog/$program" /s >"$work/log" 2>&1 &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the screen-saver run ended by itself"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true

start_program
sleep 1.5 # the full load; the frame makes its month windows
mapfile -t ids < <(xdotool search --onlyvisible --name "^$title\$")
[ "${#ids[@]}" -ge 1 ] || fail "no shown window titled $title"
wid=${ids[0]}
xdotool windowsize "$wid" 500 640
sleep 1 # the re-layout after the resize
[ -f "$user/PersonalDates" ] && fail "the personal dates were written before the end"
xdotool windowclose "$wid"

for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "the program went on running without its window"; }
wait "$pid" || fail "the program ended with status $?"

[ -f "$user/PersonalDates" ] || fail "the personal dates were not saved"
for y in $((year - 1)) "$year" $((year + 1)); do
  [ -f "$country/$y" ] || fail "no year date file $y"
done
if [ "$program" = AlmanorviqueCentral ]; then
  ini="$user/AlmanorviqueCentral.ini"
  [ -f "$user/OpenedForms.txt" ] || fail "no OpenedForms.txt"
else
  ini="$country/Almanorvique.ini"
fi
grep -q $'^Window Width=7500\r$' "$ini" || fail "the window's size was not saved: $(grep '^Window Width=' "$ini" || true)"
echo "PASS"
