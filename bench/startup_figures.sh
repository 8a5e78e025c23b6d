#!/usr/bin/env bash
# Start-up as a user sees it: time from the process start to the mapped window and the
# resident memory, for Almanorvique (a second start, with the shipped pictures) and an
# empty Qt window, in alternating rounds; prints each round and the medians.
# Usage: bench/startup_figures.sh [rounds] (uses $DISPLAY, or starts Xvfb with openbox).
set -euo pipefail
rounds=${1:-9}
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build
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
"$probe" "$scratch/program/Almanorvique" >/dev/null # the first start makes the settings
cal_t=() cal_m=() empty_t=() empty_m=()
for ((i = 1; i <= rounds; i++)); do
  read -r t m < <("$probe" "$scratch/program/Almanorvique")
  cal_t+=("$t") cal_m+=("$m")
  read -r t m < <("$probe" "$build/bench/empty_window")
  empty_t+=("$t") empty_m+=("$m")
  echo "round $i: Almanorvique ${cal_t[-1]} ms ${cal_m[-1]} kB, empty window ${empty_t[-1]} ms ${empty_m[-1]} kB"
done
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median: Almanorvique $(median "${cal_t[@]}") ms $(median "${cal_m[@]}") kB," \
     "empty window $(median "${empty_t[@]}") ms $(median "${empty_m[@]}") kB"
