# Sourced by the end-to-end scripts: a temporary copy of the program folder with a home,
# configuration folder and registry of its own, and starting and ending the program in it
# as the desktop would. Never touches the real home or program folder.
# Usage: source program_run.sh <build's program folder> "$@" (re-runs the script on a display of its own).
# A script may set program (the executable) and title (its window's title) first.
bin="$1"
program="${program:-Almanorvique}"
title="${title:-Almanorvique}"
if [ "${2:-}" != "--inside" ]; then
  exec "$(dirname "${BASH_SOURCE[0]}")/on_own_display.sh" "$0" "$bin" --inside
fi

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

# Starts the program and waits until its window is shown (up to 30 s: a loaded machine);
# pid holds its process. Arguments, when given, are a command the program is run under
# (such as prlimit and its options). (These scripts run with pipefail: a grep -q that stops
# reading early kills the command it reads with SIGPIPE, and the pipe then counts as failed.)
start_program() {
  "$@" "$prog/$program" >"$work/log" 2>&1 &
  pid=$!
  local shown=""
  for _ in $(seq 1 300); do
    if xwininfo -root -tree 2>/dev/null | grep "\"$title\"" >/dev/null; then shown=yes; break; fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
    sleep 0.1
  done
  [ -n "$shown" ] || { where_stuck; fail "no window titled $title appeared"; }
}

# What a program that never showed its window is doing: its state and, where gdb is
# installed, each thread's stack.
where_stuck() {
  grep -E '^(State|Threads)' "/proc/$pid/status" 2>/dev/null || true
  command -v gdb >/dev/null && gdb -batch -p "$pid" -ex "thread apply all bt 25" 2>/dev/null | grep -E '^(#|Thread)' | head -120
  xwininfo -root -tree 2>/dev/null | head -40
}

# Ends the program with SIGTERM, as the desktop does, and checks that it ended cleanly.
end_program() {
  kill -TERM "$pid"
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end on SIGTERM"
  wait "$pid" || fail "the program ended with status $?"
}
