# Sourced by the end-to-end scripts: a temporary copy of the program folder with a home,
# configuration folder and registry of its own, and starting and ending the program in it
# as the desktop would. Never touches the real home or program folder.
# Usage: source program_run.sh <build's program folder> "$@" (re-runs the script on a display of its own).
# A script may set program (the executable), title (its window's title) and
# window_manager (non-empty: the display runs openbox, its process then in wm) first.
bin="$1"
program="${program:-Almanorvique}"
title="${title:-Almanorvique}"
if [ "${2:-}" != "--inside" ]; then
  exec "$(dirname "${BASH_SOURCE[0]}")/on_own_display.sh" ${window_manager:+--window-manager} "$0" "$bin" --inside
fi
wm="${OWN_DISPLAY_WM:-}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prog="$work/program folder"
mkdir -p "$prog" "$work/home" "$work/config"
cp "$bin/$program" "$prog/"
for item in ini Dates Images Help Almanorvique.ini; do
  [ -e "$bin/$item" ] && cp -r "$bin/$item" "$prog/"
done
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" ALMANORVIQUE_REGISTRY="$work/registry.json"
export USER=e2euser LC_ALL=en_GB.UTF-8 LANG=en_GB.UTF-8
unset QT_QPA_PLATFORM
user="$prog/e2euser"
country="$user/United Kingdom"
year=$(date +%Y)

fail() { echo "FAIL: $*"; [ -f "$work/log" ] && cat "$work/log"; exit 1; }

# Whether a window titled $title is mapped and viewable (under a window manager: framed
# and mapped by it). A window that merely exists may never have been shown.
window_shown() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | grep "\"$title\"" | awk '{print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep "Map State: IsViewable" >/dev/null && return 0
  done
  return 1
}

# Starts the program and waits until its window is shown (up to 60 s: a loaded machine);
# pid holds its process. Arguments, when given, are a command the program is run under
# (such as prlimit and its options). (These scripts run with pipefail: a grep -q that stops reading
# early kills the command it reads with SIGPIPE, and the pipe then counts as failed.)
start_program() {
  "$@" "$prog/$program" >"$work/log" 2>&1 &
  pid=$!
  local shown=""
  for _ in $(seq 1 600); do
    if window_shown; then shown=yes; break; fi
    kill -0 "$pid" 2>/dev/null || { display_report; fail "the program ended before showing its window"; }
    sleep 0.1
  done
  [ -n "$shown" ] || { where_stuck; describe_windows; display_report; fail "no window titled $title was shown"; }
}

# Each window titled $title as the server and the window manager have it.
describe_windows() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | grep "\"$title\"" | awk '{print $1}'); do
    echo "window $id:"
    xwininfo -id "$id" 2>&1 | grep -E 'Map State|Width|Height|Absolute' || true
    xwininfo -children -id "$id" 2>&1 | grep 'Parent window' || true
    xprop -id "$id" WM_STATE _NET_WM_STATE _NET_WM_PID WM_NORMAL_HINTS 2>&1 || true
  done
  echo "the window manager's clients: $(xprop -root _NET_CLIENT_LIST 2>&1)"
  wm_report
}

# What the window manager is doing and what it said: a window it never takes in may be
# its doing.
wm_report() {
  [ -n "$wm" ] || return 0
  echo "window manager $wm: $(grep -E '^State' "/proc/$wm/status" 2>/dev/null || echo ended)"
  if command -v gdb >/dev/null; then gdb -batch -p "$wm" -ex "bt 25" 2>/dev/null | grep -E '^#' | head -30 || true; fi
  if [ -f "${OWN_DISPLAY_WM_LOG:-}" ]; then sed 's/^/window manager: /' "$OWN_DISPLAY_WM_LOG" | tail -20 || true; fi
}

# The state of the display: whether its server still runs and answers, who listens on
# its sockets, who is connected, and the server's notes of the clients it took or turned
# away (one turned away holds no cookie of this run: someone else's).
display_report() {
  echo "display $DISPLAY:"
  if kill -0 "${OWN_DISPLAY_SERVER:-0}" 2>/dev/null; then echo "its server $OWN_DISPLAY_SERVER runs"; else echo "its server has ended"; fi
  xprop -root _NET_SUPPORTING_WM_CHECK 2>&1 | head -3 || true
  ss -xlp 2>/dev/null | grep "X11-unix/X${DISPLAY#:}[^0-9]" || true
  ss -xp 2>/dev/null | awk -v d="/tmp/.X11-unix/X${DISPLAY#:}" '$5 == d || $5 == "@" d {peer[$8] = 1}
    {line[$6] = $0} END {for (p in peer) print "connected: " line[p]}' | sed 's/ *\* [0-9]* *\* [0-9]* *users:/ /' || true
  [ -n "${OWN_DISPLAY_LOG:-}" ] || return 0
  echo "clients turned away: $(grep -c rejected "$OWN_DISPLAY_LOG" || true)"
  local line p cmd
  grep -v 'CreateListener\|server already running\|Auth name' "$OWN_DISPLAY_LOG" | tail -30 | while IFS= read -r line; do
    p=$(echo "$line" | sed -n 's/.*pid=\([0-9]*\).*/\1/p')
    cmd=""
    [ -n "$p" ] && { cmd=$(ps -o args= -p "$p" 2>/dev/null | cut -c1-80) || true; }
    echo "server: ${line#AUDIT: }${cmd:+ [$cmd]}"
  done
  true
}

# What a program that never showed its window is doing: its state and, where gdb is
# installed, each thread's stack.
where_stuck() {
  grep -E '^(State|Threads)' "/proc/$pid/status" 2>/dev/null || true
  if command -v gdb >/dev/null; then
    gdb -batch -p "$pid" -ex "thread apply all bt 25" 2>/dev/null | grep -E '^(#|Thread)' | head -120 || true
  fi
  xwininfo -root -tree 2>/dev/null | head -40 || true
}

# Ends the program with SIGTERM, as the desktop does, and checks that it ended cleanly.
end_program() {
  kill -TERM "$pid"
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end on SIGTERM within 30 s"
  wait "$pid" || fail "the program ended with status $?"
}
