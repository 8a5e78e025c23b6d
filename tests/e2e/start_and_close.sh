#!/usr/bin/env bash
# Runs the built Almanorvique from a temporary copy of the program folder under a virtual
# display, checks that its window is shown, ends it as the desktop would (SIGTERM) and
# checks the files it wrote.
set -euo pipefail
source "$(dirname "$0")/program_run.sh" "$@"

start_program
geometry=$(xwininfo -name Almanorvique | awk '/Width:|Height:/ {print $2}' | tr '\n' ' ')
echo "window shown: $geometry"
sleep 1 # let the first timer tick run the full load
end_program

[ -d "$prog/Images/Wallpaper" ] || fail "data folders were not made"
[ -f "$user/PersonalDates" ] || fail "no personal dates file"
[ -f "$country/Almanorvique.ini" ] || fail "no settings file in the country folder"
for y in $((year - 1)) "$year" $((year + 1)); do
  [ -f "$country/$y" ] || fail "no year date file $y"
done
grep -q "Orientation=" "$country/Almanorvique.ini" || fail "the settings file lost its settings"
if grep -q $'[^\r]$' "$country/Almanorvique.ini"; then fail "a settings line does not end in CR LF"; fi
grep -q "program folder" "$work/registry.json" || fail "the program folder was not recorded"
echo "PASS"
