#!/usr/bin/env bash
# Screenshots of the whole screen with the Coverage window opened beside the calculator, mounted,
# as a designer sees it: at 1366×768 and 1600×1000 (the pictures, and the lenses), at twice the
# scale on 1920×1080, and with the DORI table in a German number format. Writes
# docs/coverage-*.png and docs/coverage.png.
# Usage: tools/coverage-screenshots.sh path/to/vistamarq [output-folder]
set -euo pipefail
program=${1:?usage: coverage-screenshots.sh path/to/vistamarq [output-folder]}
out=${2:-"$(dirname "$0")/../docs"}
mkdir -p "$out"
here=$(dirname "$0")

shoot() {  # screen, file name, keys after mounting, then the environment to run the program in
    local screen=$1 name=$2 keys=$3
    shift 3
    (
        export HEADLESS_X_SCREEN=$screen
        source "$here/headless-x.sh"
        start_headless_x
        env "$@" "$program" &
        local pid=$!
        trap 'kill $pid 2>/dev/null || true; stop_headless_x' EXIT
        wait_for_window Vistamarq >/dev/null || exit 1
        sleep 1
        xdotool key --delay 300 ctrl+k
        wait_for_window Coverage >/dev/null || exit 1
        sleep 1
        xdotool key --delay 300 alt+m $keys
        sleep 1.5
        import -window root "$out/$name"
        echo "$out/$name"
    )
}

shoot 1366x768x24 coverage-1366.png "" LANG=C.UTF-8
shoot 1600x1000x24 coverage-1600.png "" LANG=C.UTF-8
shoot 1600x1000x24 coverage-lenses.png alt+n LANG=C.UTF-8
shoot 1920x1080x24 coverage-2x.png "" LANG=C.UTF-8 QT_SCALE_FACTOR=2
shoot 1366x768x24 coverage-de.png alt+t LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
cp "$out/coverage-1600.png" "$out/coverage.png"
