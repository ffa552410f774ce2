#!/usr/bin/env bash
# Starts the real program in a real X server with a window manager and checks its main window:
# mapped, titled "Vistamarq", active, with a 457 x 345 client area below its menu bar, all of it
# scaled as a whole by QT_SCALE_FACTOR when that is set (a high-DPI desktop). Then closes it
# through the window manager, as a user does, and expects the program to end cleanly (in a
# sanitizer build this is also where leaks are reported).
set -euo pipefail
program=${1:?usage: real_window_test.sh path/to/vistamarq}
source "$(dirname "$0")/../../tools/headless-x.sh"
start_headless_x

"$program" &
program_pid=$!
fail() { echo "FAIL: $*"; kill "$program_pid" 2>/dev/null || true; exit 1; }

window=$(wait_for_window Vistamarq) || fail "no window titled Vistamarq was mapped"
sleep 0.5
width=$(xwininfo -id "$window" | awk '/^ *Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/^ *Height:/ {print $2}')
echo "main window: ${width} x ${height} (client area and menu bar)"
scale=${QT_SCALE_FACTOR:-1}
[ "$width" -eq $((457 * scale)) ] || fail "width $width, expected $((457 * scale))"
menu_bar=$((height / scale - 345))
[ "$menu_bar" -ge 15 ] && [ "$menu_bar" -le 40 ] || fail "height $height: not a 345-pixel client area under a menu bar"
[ "$(xdotool getactivewindow)" = "$window" ] || fail "the main window is not the active window"
kill -0 "$program_pid" || fail "the program ended by itself"

# On a loaded machine the window manager may take a while to act on the keys: ask up to three
# times, as an impatient user would.
for _ in 1 2 3; do
    xdotool key --clearmodifiers alt+F4
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || break 2
        sleep 0.1
    done
done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not end when its window was closed"
status=0
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: the program ended with status $status"; exit 1; }
echo "1 passed, 0 failed"
