#!/usr/bin/env bash
# Runs a test program on a virtual X display of its own (no compositing manager) instead
# of headless; with --window-manager first, openbox frames the windows (as many X11
# desktops run, without a compositor), else no window manager runs.
# Usage: run_on_x.sh [--window-manager] program [arguments...]
set -euo pipefail
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
export ALMANORVIQUE_TEST_ON_X=1 QT_QPA_PLATFORM=xcb
here=$(dirname "$0")
# on_own_display.sh starts the window manager (--window-manager) and waits until it is ready.
exec "$here/../e2e/on_own_display.sh" "$@"
