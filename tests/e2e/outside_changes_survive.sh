#!/usr/bin/env bash
# Runs the built Almanorvique under a virtual display, adds a line to the personal dates
# and to the year file while it runs (as another program or a second copy would), ends
# it as the desktop would (SIGTERM) and checks that both lines are still there.
set -euo pipefail
bin="$1"
if [ "${2:-}" != "--inside" ]; then
  command -v xvfb-run >/dev/null || { echo "xvfb-run is missing"; exit 1; }
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$bin" --inside
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prog="$work/program folder"
mkdir -p "$prog" "$work/home" "$work/config"
cp "$bin/Almanorvique" "$prog/"
for item in ini Dates Images Help Almanorvique.ini; do
  [ -e "$bin/$item" ] && cp -r "$bin/$item" "$prog/"
done
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" ALMANORVIQUE_REGISTRY="$work/registry.json"
export USER=e2euser LC_ALL=en_GB.UTF-8 LANG=en_GB.UTF-8
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*"; [ -f "$work/log" ] && cat "$work/log"; exit 1; }

user="$prog/e2euser"
country="$user/United Kingdom"
year=$(date +%Y)
mkdir -p "$user"
printf 'Caption:01/01=Before the start\r\n' >"$user/PersonalDates"

"$prog/Almanorvique" >"$work/log" 2>&1 &
pid=$!
shown=""
for _ in $(seq 1 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Almanorvique"'; then shown=yes; break; fi
  kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
  sleep 0.1
done
[ -n "$shown" ] || fail "no window titled Almanorvique appeared"
for _ in $(seq 1 50); do [ -s "$country/$year" ] && break; sleep 0.1; done
[ -s "$country/$year" ] || fail "no year date file $year"
sleep 1 # let the first timer tick run the full load

printf 'Caption:02/01=Added while running\r\n' >>"$user/PersonalDates"
printf 'Caption:03/01=Added while running\r\n' >>"$country/$year"

kill -TERM "$pid"
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end on SIGTERM"
wait "$pid" || fail "the program ended with status $?"

grep -q $'^Caption:01/01=Before the start\r$' "$user/PersonalDates" || fail "the personal dates lost their own line"
grep -q $'^Caption:02/01=Added while running\r$' "$user/PersonalDates" || fail "the line added to the personal dates was lost"
grep -q $'^Caption:03/01=Added while running\r$' "$country/$year" || fail "the line added to the year file was lost"
grep -q "PCaption:" "$country/$year" || fail "the year file lost its holidays"
echo "PASS"
