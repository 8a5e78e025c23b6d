#!/usr/bin/env bash
# Start-up as a user sees it: time from the process start to the mapped window, the
# resident memory and the idle share of one core, for Almanorvique (a second start, with
# the shipped pictures), AlmanorviqueCentral (its twelve month windows) and two
# yardsticks: an empty Qt window, and one that shows a line of text (an empty window
# loads no font at all). Alternating rounds; prints each round and the medians.
# Usage: bench/startup_figures.sh [rounds] [idle seconds] (uses $DISPLAY, or starts Xvfb
# with openbox).
set -euo pipefail
rounds=${1:-7}
export STARTUP_PROBE_IDLE_SECONDS=${2:-10}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
scratch=$(mktemp -d)
cleanup() {
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1600x1000x24 >/dev/null 2>&1 & x_pid=$!
  sleep 1
  openbox >/dev/null 2>&1 & wm_pid=$!
  sleep 1
fi
cp -r "$build/bin" "$scratch/program"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config
mkdir -p "$HOME"
probe=$build/bench/startup_probe
empty=$build/bench/empty_window
# The first starts make the settings.
"$probe" "$scratch/program/Almanorvique" >/dev/null
"$probe" "$scratch/program/AlmanorviqueCentral" >/dev/null
names=(calendar frame empty label)
commands=("$scratch/program/Almanorvique" "$scratch/program/AlmanorviqueCentral" "$empty" "$empty --label")
declare -A t m c
for ((i = 1; i <= rounds; i++)); do
  line="round $i:"
  for k in "${!names[@]}"; do
    # shellcheck disable=SC2086
    read -r tt mm cc < <("$probe" ${commands[$k]})
    n=${names[$k]}
    t[$n]+="$tt " m[$n]+="$mm " c[$n]+="$cc "
    line+=" $n ${tt} ms ${mm} kB ${cc} %,"
  done
  echo "${line%,}"
done
median() { printf '%s\n' $1 | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
line="median:"
for n in "${names[@]}"; do
  line+=" $n $(median "${t[$n]}") ms $(median "${m[$n]}") kB $(median "${c[$n]}") %,"
done
echo "${line%,}"
echo "(idle: the share of one core over ${STARTUP_PROBE_IDLE_SECONDS} s after the window settled)"
