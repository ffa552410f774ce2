#!/usr/bin/env bash
# The design window as a user drives it, in a real X server with a window manager and a private
# home: a design made, edited, undone in part and saved; opened from the command line and its
# schedule exported; a design a killed program left restored at the next start, then discarded.
# Each run ends with status 0, and no recovery copy is left behind.
set -euo pipefail
program=${1:?usage: real_design_test.sh path/to/vistamarq}
source "$(dirname "$0")/../../tools/headless-x.sh"
# Room for the design window on either side of the main window, which the window manager centres.
HEADLESS_X_SCREEN=${HEADLESS_X_SCREEN:-2560x1440x24}
start_headless_x

dir=$(mktemp -d)
mkdir -m 700 "$dir/runtime"
export HOME=$dir XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_CACHE_HOME=$dir/cache
export XDG_RUNTIME_DIR=$dir/runtime QT_QPA_PLATFORM=xcb
recovery=$XDG_DATA_HOME/Vistamarq/recovery
untitled="Untitled — Vistamarq Design"
site="site — Vistamarq Design"
program_pid=
trap '[ -z "$program_pid" ] || kill -9 "$program_pid"; stop_headless_x; rm -rf "$dir"' EXIT
source "$(dirname "$0")/design_window_steps.sh"

copies_left() { compgen -G "$recovery/design-*.vistamarq" >/dev/null; }
copy_newer_than() { [ -n "$(find "$recovery" -name 'design-*.vistamarq' -newer "$1")" ]; }

# File > Export Schedule (CSV)… (alt+f, h) of the design window titled $1, into the file $2.
export_schedule() {
    activate "$1" >/dev/null
    keys alt+f h
    answer_file_dialog "Export Schedule" "$2"
    within 15 test -s "$2" || fail "$2 was not written"
}

# The schedule file $1 has a header and one row for each name that follows, in that order.
check_schedule() {
    local csv=$1 names
    shift
    names=$(tail -n +2 "$csv" | tr -d '\r' | cut -d, -f1 | tr -d '"')
    [ "$names" = "$(printf '%s\n' "$@")" ] || fail "$csv lists: ${names//$'\n'/, }"
    echo "ok: $(basename "$csv") has a header and $# rows, $1 to ${!#}"
}

# The windows $1 and $2 side by side: neither reaches into the other's columns.
side_by_side() {
    local a b
    a=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /^ *Width/ {print x, x + $2}')
    b=$(xwininfo -id "$2" | awk '/Absolute upper-left X/ {x = $4} /^ *Width/ {print x, x + $2}')
    [ "${b% *}" -ge "${a#* }" ] || [ "${b#* }" -le "${a% *}" ] || fail "$1 at $a covers $2 at $b"
}

echo "1. a new design: three cameras added, the last renamed, two edits undone, saved"
start
keys ctrl+k
activate "$untitled" >/dev/null
keys ctrl+shift+n ctrl+shift+n ctrl+shift+n
activate "$untitled\\*" >/dev/null
keys Tab Tab F2 ctrl+a  # from the design name, first in the window, past the notes to the schedule
xdotool type --delay 20 "Gate 1"
keys Return ctrl+z ctrl+z ctrl+s
answer_file_dialog "Save Design As" "$dir/site.vistamarq"
activate "$site" >/dev/null
[ -s "$dir/site.vistamarq" ] || fail "site.vistamarq was not written"
echo "ok: saved as site.vistamarq, the design window is titled \"$site\""
keys ctrl+w
within 10 gone "$site" || fail "Close Window left the design window open"
close_main_window
expect_end

echo "2. the design given on the command line opens beside the main window"
start "$dir/site.vistamarq"
design=$(activate "$site\\*?")
side_by_side "$(wait_for_window Vistamarq)" "$design"
echo "ok: \"$site\" is mapped beside the main window"
# Camera 1 was saved as it followed the calculator: shown with its own values, it is unchanged.
! within 3 shown "$site\\*" || fail "the design opened marked as changed"
echo "ok: the design opened unchanged"
export_schedule "$site" "$dir/schedule.csv"
check_schedule "$dir/schedule.csv" "Camera 1" "Camera 2" "Camera 3"
close_main_window
expect_end

echo "3. a design left by a killed program is restored at the next start"
start
keys ctrl+k
activate "$untitled" >/dev/null
for _ in $(seq 21); do keys ctrl+shift+n; done
# Within half a minute only the 20th change writes a copy; the minute's tick writes the rest.
within 30 copies_left || fail "no recovery copy was written at the 20th change"
echo "ok: a recovery copy was written at the 20th change: $(ls "$recovery")"
touch "$dir/first-copy"
within 90 copy_newer_than "$dir/first-copy" || fail "the copy was not written again within 90 s"
echo "ok: the copy was written again with the last change, at the minute's tick"
killed=$program_pid
kill -9 "$killed" && { wait "$killed" 2>/dev/null || true; }
# The design window opens by itself at start and asks.
"$program" &
program_pid=$!
activate "Restore Design" >/dev/null
keys Return
activate "$untitled\\*" >/dev/null
echo "ok: restored, the design window is titled \"$untitled*\""
mapfile -t names < <(printf 'Camera %s\n' $(seq 22))
export_schedule "$untitled\\*" "$dir/restored.csv"
check_schedule "$dir/restored.csv" "${names[@]}"
[ ! -e "$recovery/design-$killed.vistamarq" ] || fail "the killed program's copy is still there"
echo "ok: the killed program's copy is gone"
close_main_window "Save Changes"
discard_and_end
! copies_left || fail "a recovery copy was left: $(ls "$recovery")"
echo "ok: no recovery copy is left"
echo "3 passed, 0 failed"
