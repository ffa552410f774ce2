# What the real-window tests of the design window share: waiting, activating windows by title,
# keys, answering a file dialog, and ending the program as a user does. Sourced after
# tools/headless-x.sh, with `program_pid` the program's process id ("" before it starts).

fail() { echo "FAIL: $*" >&2; exit 1; }
keys() { xdotool key --clearmodifiers "$@"; }

# Runs `$2...` every tenth of a second for up to $1 seconds, until it succeeds: a loaded machine
# is slow, and a broken program never gets there.
within() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do if "$@"; then return 0; else sleep 0.1; fi; done
    return 1
}
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone() { ! shown "$1"; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
ended() { ! kill -0 "$program_pid" 2>/dev/null; }
ended_or_asked() { ended || { [ -n "$1" ] && shown "$1"; }; }

# The window whose title matches $1 (a regular expression), mapped and made active so that the
# keys sent next go to it; prints its id.
activate() {
    local id
    id=$(wait_for_window "$1") || fail "no window titled \"$1\" was mapped"
    for _ in 1 2 3; do
        xdotool windowactivate "$id" 2>/dev/null || true
        within 3 is_active "$id" && { echo "$id"; return 0; }
    done
    fail "the window \"$1\" did not become active"
}

start() { "$program" "$@" & program_pid=$!; activate Vistamarq >/dev/null; }

# The file dialog titled $1 has the focus in its file-name box: a full path and Return answer it.
answer_file_dialog() {
    activate "$1" >/dev/null && keys ctrl+a && xdotool type --delay 20 "$2" && keys Return
}

# Closes the main window through the window manager (alt+F4), as a user does; again only when
# the keys were not heard: the program neither ended nor asked the question titled $1.
close_main_window() {
    for _ in 1 2 3; do
        activate Vistamarq >/dev/null
        keys alt+F4
        within 5 ended_or_asked "${1:-}" && return 0
    done
    fail "the program neither ended nor asked when its main window was closed"
}

expect_end() {
    within 15 ended || fail "the program did not end"
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    echo "ok: the program ended with status 0"
}

# "Save changes to …?": Save has the focus, and Discard is the next button.
discard_and_end() { activate "Save Changes" >/dev/null && keys Tab space && expect_end; }

