#!/usr/bin/env bash
# Starts the program. On a machine without a display it runs it under a private X server
# instead, saves a screenshot of the main window next to the program and stops it.
set -euo pipefail
program=${1:?usage: run.sh path/to/vistamarq}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

source "$(dirname "$0")/headless-x.sh"
start_headless_x
"$program" &
program_pid=$!
window=$(wait_for_window Vistamarq) || { echo "The main window did not appear." >&2; exit 1; }
sleep 1
shot="$(cd "$(dirname "$program")/.." && pwd)/vistamarq-main-window.png"
import -window "$window" "$shot"
kill "$program_pid" 2>/dev/null || true
echo "No display here: the program ran under Xvfb; its main window is in $shot"
