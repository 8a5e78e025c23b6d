#!/usr/bin/env bash
# Idle CPU as a user's desktop sees it: the single calendar in the see-through "Glass"
# style with its clock running, next to an empty Qt window and an empty Qt window with a
# 100 ms timer (the calendar's tick), all in one run; percent of one core, from the
# processes' user and system time over the same seconds, and below that from the
# scheduler's count of their time on a core over those seconds.
# Usage: bench/idle_figures.sh [seconds] (uses $DISPLAY, or starts Xvfb with openbox).
set -euo pipefail
seconds=${1:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build
scratch=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:96
  Xvfb "$DISPLAY" -screen 0 1600x1000x24 >/dev/null 2>&1 & x_pid=$!
  sleep 1
  openbox >/dev/null 2>&1 & wm_pid=$!
  sleep 1
fi
prog=$scratch/program
cp -r "$build/bin" "$prog"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config ALMANORVIQUE_REGISTRY=$scratch/registry.json
export USER=idleuser
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
# The first start writes the settings file; the Glass style's keys then go over it, as
# loading the style from its menu does.
"$prog/Almanorvique" >/dev/null 2>&1 & first=$!
ini=""
for _ in $(seq 1 100); do
  ini=$(find "$prog/$USER" -name Almanorvique.ini 2>/dev/null | head -1 || true)
  [ -n "$ini" ] && break
  sleep 0.1
done
sleep 2
kill -TERM "$first"; wait "$first" || true
[ -n "$ini" ] || { echo "no settings file was written"; exit 1; }
awk 'NR == FNR { i = index($0, "="); if (i) style[substr($0, 1, i - 1)] = $0; next }
     { i = index($0, "="); k = i ? substr($0, 1, i - 1) : ""; if (k in style) { print style[k]; seen[k] = 1 } else print }
     END { for (k in style) if (!(k in seen)) print style[k] }' \
  <(tr -d '\r' <"$prog/Styles/Glass.ini") <(tr -d '\r' <"$ini") | sed 's/$/\r/' >"$scratch/glass.ini"
cp "$scratch/glass.ini" "$ini"

"$prog/Almanorvique" >/dev/null 2>&1 & cal=$!; pids+=("$cal")
"$build/bench/empty_window" >/dev/null 2>&1 & empty=$!; pids+=("$empty")
"$build/bench/empty_window" --tick 100 >/dev/null 2>&1 & ticking=$!; pids+=("$ticking")
sleep 5 # past the full load and the first paint
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The scheduler's own count of the time on a core, in nanoseconds, of all threads: the
# clock ticks above are samples, a few of them a minute for an idle program.
ns() { cat /proc/"$1"/task/*/schedstat | awk '{ t += $1 } END { print t }'; }
c0=$(cpu "$cal") e0=$(cpu "$empty") t0=$(cpu "$ticking")
cn0=$(ns "$cal") en0=$(ns "$empty") tn0=$(ns "$ticking")
sleep "$seconds"
c1=$(cpu "$cal") e1=$(cpu "$empty") t1=$(cpu "$ticking")
cn1=$(ns "$cal") en1=$(ns "$empty") tn1=$(ns "$ticking")
hz=$(getconf CLK_TCK)
pct() { awk -v a="$1" -v b="$2" -v s="$seconds" -v hz="$hz" 'BEGIN { printf "%.2f", (b - a) / hz / s * 100 }'; }
pctns() { awk -v a="$1" -v b="$2" -v s="$seconds" 'BEGIN { printf "%.3f", (b - a) / 1e9 / s * 100 }'; }
echo "idle over ${seconds} s, % of one core: Glass calendar $(pct "$c0" "$c1")," \
     "empty window $(pct "$e0" "$e1"), empty window with a 100 ms timer $(pct "$t0" "$t1")"
echo "  scheduler's count: Glass calendar $(pctns "$cn0" "$cn1")," \
     "empty window $(pctns "$en0" "$en1"), empty window with a 100 ms timer $(pctns "$tn0" "$tn1")"
