#!/usr/bin/env bash
# Runs the built AlmanorviqueCentral from a temporary copy of the program folder under a
# virtual display, checks that the frame is shown with its twelve month windows, ends it
# as the desktop does at the end of a session (SIGTERM: every window closes in order) and
# checks the files written. Never touches the real home or program folder.
set -euo pipefail
program=AlmanorviqueCentral title="Almanorvique Central"
source "$(dirname "$0")/program_run.sh" "$@"

start_program
geometry=$(xwininfo -name "Almanorvique Central" | awk '/Width:|Height:/ {print $2}' | tr '\n' ' ')
echo "frame shown: $geometry"
# The first tick makes the month windows; each runs its own full load.
months_made() { for m in $(seq 1 12); do [ -f "$country/$m.ini" ] || return 1; done; }
for _ in $(seq 1 600); do months_made && break; sleep 0.1; done
for m in $(seq 1 12); do
  [ -f "$country/$m.ini" ] || fail "month window $m made no settings file within 60 s"
done
sleep 0.5 # the last month window's full load
end_program

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
