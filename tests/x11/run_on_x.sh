#!/usr/bin/env bash
# Runs a test program on a virtual X display of its own (no window manager, no
# compositing manager) instead of headless.
set -euo pipefail
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 1; }
export ALMANORVIQUE_TEST_ON_X=1 QT_QPA_PLATFORM=xcb
exec "$(dirname "$0")/../e2e/on_own_display.sh" "$@"
