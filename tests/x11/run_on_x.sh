#!/usr/bin/env bash
# Runs a test program on a virtual X display of its own (no compositing manager) instead
# of headless; with --window-manager first, openbox frames the windows (as many X11
# desktops run, without a compositor), else no window manager runs.
# Usage: run_on_x.sh [--window-manager] program [arguments...]
set -euo pipefail
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
export ALMANORVIQUE_TEST_ON_X=1 QT_QPA_PLATFORM=xcb
here=$(dirname "$0")
if [ "${1:-}" = "--window-manager" ]; then
  shift
  command -v openbox >/dev/null || { echo "openbox is missing"; exit 1; }
  exec "$here/../e2e/on_own_display.sh" bash -c '
    openbox >/dev/null 2>&1 & wm=$!
    trap "kill $wm 2>/dev/null || true" EXIT
    # The window manager is ready once it owns the screen.
    for _ in $(seq 1 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep "window id" >/dev/null && break
      sleep 0.05
    done
    "$@"' run_on_x "$@"
fi
exec "$here/../e2e/on_own_display.sh" "$@"
