# Sourced, not run: starts a private X server (Xvfb) with a window manager (openbox), so that a
# window is activated when it is shown, as on a user's desktop. Sets DISPLAY; stops both on exit.

start_headless_x() {
    local display_number
    for display_number in $(seq 90 140); do
        [ -e "/tmp/.X${display_number}-lock" ] || break
    done
    Xvfb ":${display_number}" -screen 0 "${HEADLESS_X_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    HEADLESS_X_PIDS="$!"
    export DISPLAY=":${display_number}"
    trap stop_headless_x EXIT
    local tries
    for tries in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
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
