#!/usr/bin/env bash
# Runs the built Almanorvique under a virtual display, adds a line to the personal dates
# and to the year file while it runs (as another program or a second copy would), ends
# it as the desktop would (SIGTERM) and checks that both lines are still there.
set -euo pipefail
source "$(dirname "$0")/program_run.sh" "$@"

mkdir -p "$user"
printf 'Caption:01/01=Before the start\r\n' >"$user/PersonalDates"

start_program
for _ in $(seq 1 300); do [ -s "$country/$year" ] && break; sleep 0.1; done
[ -s "$country/$year" ] || fail "no year date file $year"
sleep 1 # let the first timer tick run the full load

printf 'Caption:02/01=Added while running\r\n' >>"$user/PersonalDates"
printf 'Caption:03/01=Added while running\r\n' >>"$country/$year"

end_program

grep -q $'^Caption:01/01=Before the start\r$' "$user/PersonalDates" || fail "the personal dates lost their own line"
grep -q $'^Caption:02/01=Added while running\r$' "$user/PersonalDates" || fail "the line added to the personal dates was lost"
grep -q $'^Caption:03/01=Added while running\r$' "$country/$year" || fail "the line added to the year file was lost"
grep -q "PCaption:" "$country/$year" || fail "the year file lost its holidays"
echo "PASS"
