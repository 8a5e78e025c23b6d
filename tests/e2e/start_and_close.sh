#!/usr/bin/env bash
# Runs the built Almanorvique from a temporary copy of the program folder under a virtual
# display, checks that its window is shown, ends it as the desktop would (SIGTERM) and
# checks the files it wrote. Never touches the real home or program folder.
set -euo pipefail
source "$(dirname "$0")/program_copy.sh"
run_in_copy "$1" Almanorvique "$@"

"$prog/Almanorvique" >"$work/log" 2>&1 &
pid=$!
shown=""
for _ in $(seq 1 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Almanorvique"'; then shown=yes; break; fi
  kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
  sleep 0.1
done
[ -n "$shown" ] || fail "no window titled Almanorvique appeared"
geometry=$(xwininfo -name Almanorvique | awk '/Width:|Height:/ {print $2}' | tr '\n' ' ')
echo "window shown: $geometry"
sleep 1 # let the first timer tick run the full load
kill -TERM "$pid"
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end on SIGTERM"
wait "$pid" || fail "the program ended with status $?"

user="$prog/e2euser"
country="$user/United Kingdom"
year=$(date +%Y)
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
