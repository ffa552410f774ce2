#!/usr/bin/env bash
# Runs a test program on a private X server with a window manager (openbox), as on a user's
# desktop: windows are activated when shown, and input arrives through the X server.
set -euo pipefail
source "$(dirname "$0")/../../tools/headless-x.sh"
start_headless_x
status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
