#!/usr/bin/env bash
# Takes screenshots of the four windows from the real program under a private X server, driving
# it with the keyboard as a user would, and writes them to docs/.
# Usage: tools/screenshots.sh path/to/vistamarq [output-folder]
set -euo pipefail
program=${1:?usage: screenshots.sh path/to/vistamarq [output-folder]}
out=${2:-"$(dirname "$0")/../docs"}
mkdir -p "$out"
export HEADLESS_X_SCREEN=${HEADLESS_X_SCREEN:-1280x1024x24}  # room for the Coverage window
source "$(dirname "$0")/headless-x.sh"
start_headless_x

"$program" &
program_pid=$!
trap 'kill $program_pid 2>/dev/null || true; stop_headless_x' EXIT

shoot() {  # window title, file name
    local id
    id=$(wait_for_window "$1") || { echo "no window titled '$1'" >&2; exit 1; }
    sleep 0.7
    import -frame -window "$id" "$out/$2"
    echo "$out/$2"
}
keys() { sleep 0.5; xdotool key --delay 300 "$@"; sleep 1; }

shoot Vistamarq main-window.png
keys alt+f Return                       # File > Search
shoot "Search Results" search-results.png
keys space                              # Close
keys alt+h Return                       # Help > About Vistamarq...
shoot "Vistamarq *v1.2" about.png
keys space                              # OK
keys alt+s Down Return                  # Search Mode > Search by Part Number
sleep 0.5
xdotool type --delay 120 "TG06"
shoot Vistamarq part-number.png
keys ctrl+k                             # Tools > Coverage…, beside the part-number window
keys alt+m                              # Camera mounted above the target
shoot Coverage coverage.png
