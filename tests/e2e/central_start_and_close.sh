#!/usr/bin/env bash
# Runs the built AlmanorviqueCentral from a temporary copy of the program folder under a
# virtual display, checks that the frame is shown with its twelve month windows, ends it
# as the desktop does at the end of a session (SIGTERM: every window closes in order) and
# checks the files written. Never touches the real home or program folder.
set -euo pipefail
source "$(dirname "$0")/program_copy.sh"
run_in_copy "$1" AlmanorviqueCentral "$@"

"$prog/AlmanorviqueCentral" >"$work/log" 2>&1 &
pid=$!
shown=""
for _ in $(seq 1 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Almanorvique Central"'; then shown=yes; break; fi
  kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its frame"
  sleep 0.1
done
[ -n "$shown" ] || fail "no window titled Almanorvique Central appeared"
geometry=$(xwininfo -name "Almanorvique Central" | awk '/Width:|Height:/ {print $2}' | tr '\n' ' ')
echo "frame shown: $geometry"
sleep 1.5 # the first tick makes the month windows; each runs its own full load
user="$prog/e2euser"
country="$user/United Kingdom"
for m in $(seq 1 12); do
  [ -f "$country/$m.ini" ] || fail "month window $m made no settings file"
done
kill -TERM "$pid"
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end on SIGTERM"
wait "$pid" || fail "the program ended with status $?"

year=$(date +%Y)
[ -f "$user/PersonalDates" ] || fail "no personal dates file"
for y in $((year - 1)) "$year" $((year + 1)); do
  [ -f "$country/$y" ] || fail "no year date file $y"
done
[ -f "$user/OpenedForms.txt" ] || fail "no OpenedForms.txt"
ini="$user/AlmanorviqueCentral.ini"
[ -f "$ini" ] || fail "no frame settings file"
grep -q "^Window Width=[0-9]" "$ini" || fail "the frame's width was not written"
grep -q "^Tool Bar=" "$ini" || fail "the frame's settings lost their keys"
if grep -q $'[^\r]$' "$ini"; then fail "a settings line does not end in CR LF"; fi
grep -q "AlmanorviqueCentralToolbar" "$work/registry.json" || fail "the toolbar layout was not recorded"
echo "PASS"
