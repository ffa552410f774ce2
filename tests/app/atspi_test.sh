#!/usr/bin/env bash
# Starts the real program as a screen reader on a Linux desktop meets it: in a real X server
# with a window manager, with a private D-Bus session on which the AT-SPI registry starts, and
# reads and drives its windows through AT-SPI only (atspi_windows.py, run by Debian's own
# Python, which has pyatspi). Then expects the program to end cleanly by File > Exit.
set -euo pipefail
program=${1:?usage: atspi_test.sh path/to/vistamarq}
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${ATSPI_TEST_PRIVATE_BUS:-}" ] ||
    exec env ATSPI_TEST_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
source "$here/../../tools/headless-x.sh"
start_headless_x
scratch=$(mktemp -d)
program_pid=
trap 'kill "$program_pid" 2>/dev/null || true; stop_headless_x; rm -rf "$scratch"' EXIT
# Qt speaks AT-SPI once the desktop says a screen reader runs; here it is told to from the start.
# The program must not read the settings file of the user running the tests.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME=$scratch XDG_RUNTIME_DIR=$scratch

"$program" &
program_pid=$!
/usr/bin/python3 "$here/atspi_windows.py" "$program_pid"
for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
status=0
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: File > Exit ended the program with status $status"; exit 1; }
