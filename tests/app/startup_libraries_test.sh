#!/usr/bin/env bash
# The calculator starts without what only the design window uses: once its window is up, the
# process has mapped neither the design module nor Qt SQL, Qt Print Support, Qt PDF or Qt SVG.
# Tools > Coverage… (Ctrl+K) then loads the module, which shows that the check reads the map
# the program really has. A design left unsaved by a program that was killed opens the design
# window at start, with the question whether to restore it.
set -euo pipefail
program=${1:?usage: startup_libraries_test.sh path/to/vistamarq}
source "$(dirname "$0")/../../tools/headless-x.sh"
start_headless_x
home=$(mktemp -d)
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
fail() { echo "FAIL: $*"; exit 1; }

"$program" &
program_pid=$!
trap 'kill "$program_pid" 2>/dev/null || true; stop_headless_x; rm -rf "$home"' EXIT
design_only='vistamarq-design\.so|libQt6Sql|libQt6PrintSupport|libQt6Pdf|libQt6Svg'

wait_for_window Vistamarq >/dev/null || fail "no window titled Vistamarq was mapped"
sleep 0.5
mapped=$(grep -oE "$design_only" "/proc/$program_pid/maps" | sort -u || true)
# Qt's own SVG picture plugin, where it is installed, loads Qt SVG the first time any picture or
# standard icon is read, in every Qt program: that is Qt's, not the design window's.
if grep -q "imageformats/libqsvg\.so" "/proc/$program_pid/maps"; then
    mapped=$(echo "$mapped" | grep -v '^libQt6Svg$' || true)
fi
[ -z "$mapped" ] || fail "mapped at start-up: $(echo $mapped)"
echo "at start-up: none of the design window's libraries is mapped"

xdotool key --clearmodifiers ctrl+k
for _ in $(seq 100); do
    grep -q 'vistamarq-design\.so' "/proc/$program_pid/maps" && break
    sleep 0.1
done
for library in vistamarq-design.so libQt6Sql libQt6PrintSupport libQt6Pdf; do
    grep -q "$library" "/proc/$program_pid/maps" || fail "$library not mapped after Ctrl+K"
done
echo "after Ctrl+K: the design module and its libraries are mapped"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true

# A copy left by a process that no longer runs (no pid is that high on Linux).
mkdir -p "$XDG_DATA_HOME/Vistamarq/recovery"
echo "left behind" > "$XDG_DATA_HOME/Vistamarq/recovery/design-4999999999.vistamarq"
"$program" &
program_pid=$!
wait_for_window "Restore Design" >/dev/null || fail "no question to restore the design left behind"
echo "a design left behind: the design window opens at start and offers it back"
