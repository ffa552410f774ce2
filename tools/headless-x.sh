# Sourced, not run: starts a private X server (Xvfb) with a window manager (openbox), so that a
# window is activated when it is shown, as on a user's desktop. Sets DISPLAY; stops both on exit.

start_headless_x() {
    # Xvfb picks a free display itself and writes its number once it accepts connections, so
    # several of these servers can start at once (ctest -j) without racing for a display.
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${HEADLESS_X_SCREEN:-1024x768x24}" -nolisten tcp \
        3>"$number_file" >/dev/null 2>&1 &
    HEADLESS_X_PIDS="$!"
    trap stop_headless_x EXIT
    local tries
    for tries in $(seq 100); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$number_file")"
    rm -f "$number_file"
    openbox >/dev/null 2>&1 &
    HEADLESS_X_PIDS="$HEADLESS_X_PIDS $!"
    sleep 0.5
}

stop_headless_x() {
    # shellcheck disable=SC2086
    kill $HEADLESS_X_PIDS 2>/dev/null || true
    wait 2>/dev/null || true
}

# Prints the id of the first mapped window whose title is exactly $1, waiting up to 15 seconds.
wait_for_window() {
    local id
    for _ in $(seq 150); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
