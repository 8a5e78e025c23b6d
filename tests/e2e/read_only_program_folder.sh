#!/usr/bin/env bash
# Runs the built Almanorvique from a program folder its account cannot write (a system-wide
# install): as the account nobody when run as root (root passes every permission check),
# else from a copy made read-only. The first start says where the data lives; a caption
# given through the day menu reaches the user's own data folder (~/.local/share); the
# program ends on SIGTERM without asking about files the user never touched, also while
# that box is up; nothing is written into the program folder; the second start says nothing.
set -euo pipefail
source "$(dirname "$0")/program_run.sh" "$@"
command -v xdotool >/dev/null || fail "xdotool is missing"
command -v xprop >/dev/null || fail "xprop is missing"

unset XDG_DATA_HOME
export ALMANORVIQUE_REGISTRY="$work/config/registry.json"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || fail "setpriv is missing"
  chmod 755 "$work"
  # The display admits only holders of this run's cookie; the account gets a copy of its own.
  cp "$XAUTHORITY" "$work/home/.Xauthority"
  export XAUTHORITY="$work/home/.Xauthority"
  chown -R nobody "$work/home" "$work/config"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod -R a-w "$prog"
  trap 'chmod -R u+w "$prog"; rm -rf "$work"' EXIT
fi
data="$work/home/.local/share/Almanorvique/e2euser"
touch "$work/before"

# Starts the program; pid holds its process.
start_as_user() {
  "${as_user[@]}" "$prog/$program" >"$work/log" 2>&1 &
  pid=$!
}

# Waits for a shown window of the program whose window type is $1 (NORMAL or DIALOG); win
# holds it.
wait_window() {
  local type=$1 w
  for _ in $(seq 1 300); do
    for w in $(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null); do
      if xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep "_NET_WM_WINDOW_TYPE_$type" >/dev/null; then
        win=$w
        return
      fi
    done
    kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
    sleep 0.1
  done
  fail "no $type window titled $title appeared"
}

shown_windows() { xdotool search --onlyvisible --pid "$pid" --name '' 2>/dev/null | wc -l; }

# Right-clicks the day cell at x y of the window and picks "Birthday" of "Set Date Caption".
set_birthday() {
  local x=$1 y=$2 before
  before=$(shown_windows)
  xdotool mousemove --window "$win" "$x" "$y" click 3
  for _ in $(seq 1 50); do [ "$(shown_windows)" -gt "$before" ] && break; sleep 0.1; done
  xdotool key Down Down Right Down Return
  for _ in $(seq 1 50); do [ "$(shown_windows)" -le "$before" ] && return; sleep 0.1; done
  fail "the day menu did not close"
}

end_as_desktop() {
  kill -TERM "$pid"
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "the program did not end on SIGTERM (a question at close?)"; }
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# The end of the session while that box is up still ends the program (another user's first start).
USER=e2eother
start_as_user
wait_window DIALOG
end_as_desktop
USER=e2euser

start_as_user
wait_window DIALOG # where the data lives
xdotool windowfocus --sync "$win" key Return
wait_window NORMAL
grep "the data is kept in $data" "$work/log" >/dev/null || fail "stderr does not say where the data lives"
sleep 1 # let the first timer tick run the full load
set_birthday 124 361 # the second week's Tuesday: always a day of the shown month
end_as_desktop

grep $'^Caption:[0-9][0-9]/[0-9][0-9]=Birthday\r$' "$data/PersonalDates" >/dev/null ||
  fail "the caption did not reach the user's data folder"
[ -f "$data/United Kingdom/Almanorvique.ini" ] || fail "no settings file in the user's data folder"
for y in $((year - 1)) "$year" $((year + 1)); do
  [ -f "$data/United Kingdom/$y" ] || fail "no year date file $y in the user's data folder"
done
[ -z "$(find "$prog" -newer "$work/before" -print -quit)" ] || fail "the program folder was written: $(find "$prog" -newer "$work/before")"
[ ! -e "$user" ] || fail "a user folder was made in the program folder"

# The second start finds the folder and says nothing.
start_as_user
wait_window NORMAL
sleep 1
for w in $(xdotool search --onlyvisible --pid "$pid" --name '' 2>/dev/null); do
  if xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep _NET_WM_WINDOW_TYPE_DIALOG >/dev/null; then
    fail "the second start showed a box"
  fi
done
end_as_desktop
grep $'=Birthday\r$' "$data/PersonalDates" >/dev/null || fail "the second start lost the caption"
echo "PASS"
