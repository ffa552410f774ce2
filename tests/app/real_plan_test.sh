#!/usr/bin/env bash
# The site plan as a user draws it with the mouse, in a real X server with a window manager: a
# PNG drawing imported, its scale set by two clicks and a typed distance, a camera placed and
# dragged; then a wall drawn across the camera's view must leave the ground behind it uncoloured
# and the ground in front coloured, and undoing the wall must colour the ground behind it again.
# The drawing is white with two magenta marks 600 px apart (12 m); the test finds them on the
# screen, so it needs no knowledge of where the window lays out the plan.
set -euo pipefail
program=${1:?usage: real_plan_test.sh path/to/vistamarq}
source "$(dirname "$0")/../../tools/headless-x.sh"
HEADLESS_X_SCREEN=${HEADLESS_X_SCREEN:-1600x1000x24}
start_headless_x

dir=$(mktemp -d)
mkdir -m 700 "$dir/runtime"
export HOME=$dir XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_CACHE_HOME=$dir/cache
export XDG_RUNTIME_DIR=$dir/runtime QT_QPA_PLATFORM=xcb
untitled="Untitled — Vistamarq Design"
program_pid=
trap '[ -z "$program_pid" ] || kill -9 "$program_pid"; stop_headless_x; rm -rf "$dir"' EXIT
source "$(dirname "$0")/design_window_steps.sh"

convert -size 800x600 xc:white -fill magenta \
    -draw "rectangle 94,294 106,306" -draw "rectangle 694,294 706,306" "$dir/floor.png"

shot() { import -window root "$dir/shot.png"; }
# The colour of the screen's pixel at $1,$2 in the last shot, as "r,g,b".
pixel() {
    convert "$dir/shot.png" -format '%[fx:int(255*p{'"$1,$2"'}.r)],%[fx:int(255*p{'"$1,$2"'}.g)],%[fx:int(255*p{'"$1,$2"'}.b)]' info:
}
white() { [ "$(pixel "$1" "$2")" = "255,255,255" ]; }
# Finds the drawing's marks on the screen: sets left, row and right.
find_marks() {
    local found=
    for _ in $(seq 50); do shot; found=$(marks); [ -n "$found" ] && break; sleep 0.2; done
    [ -n "$found" ] || fail "the drawing's marks are not on the screen"
    read -r left row right <<<"$found"
}
# Where the drawing's magenta marks are on the screen: "x1 y x2" (their centres' columns, one row).
marks() {
    convert "$dir/shot.png" -fill black +opaque magenta -fill white -opaque magenta \
        -define connected-components:verbose=true -connected-components 8 null: |
        awk '/srgb\(255,255,255\)|gray\(255\)/ { split($3, c, ","); print int(c[1]), int(c[2]) }' |
        sort -n | awk 'NR == 1 { x1 = $1; y = $2 } NR == 2 { print x1, y, $1 }'
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 1 2 3 4 5; do
        xdotool mousemove $(($1 + ($3 - $1) * step / 5)) $(($2 + ($4 - $2) * step / 5))
        sleep 0.05
    done
    xdotool mouseup 1
    sleep 0.3
}
# The ground at $1,$2 is coloured by some band (or white, with "white") within a few seconds.
expect_ground() {
    local want=$1 x=$2 y=$3
    for _ in $(seq 30); do
        shot
        if [ "$want" = white ] && white "$x" "$y"; then return 0; fi
        if [ "$want" = coloured ] && ! white "$x" "$y"; then return 0; fi
        sleep 0.2
    done
    fail "the ground at $x,$y is $(pixel "$x" "$y"), not $want: $4"
}

echo "1. a drawing imported and scaled by two clicks"
"$program" & program_pid=$!
activate Vistamarq >/dev/null
keys ctrl+k
activate "$untitled" >/dev/null
keys ctrl+2 ctrl+shift+i
answer_file_dialog "Import Plan Drawing" "$dir/floor.png"
activate "$untitled\\*" >/dev/null
find_marks
echo "ok: the drawing is shown, its marks at ($left, $row) and ($right, $row)"
# Import leaves the Set Scale tool on: the marks are 12 m apart.
click "$left" "$row"
click "$right" "$row"
activate "Set Scale" >/dev/null
keys ctrl+a
xdotool type --delay 20 "12"
keys Return
activate "$untitled\\*" >/dev/null
# The drawing is fitted again at its new size.
sleep 1
find_marks
echo "ok: the scale is set, the marks now at ($left, $row) and ($right, $row)"

echo "2. a camera placed below the marks, looking up the sheet, then dragged"
middle=$(((left + right) / 2))
keys c
click "$middle" $((row + 150))
drag "$middle" $((row + 150)) "$middle" $((row + 120))
camera=$((row + 120))
expect_ground coloured "$middle" $((camera - 60)) "in front of the camera, before the wall"
expect_ground coloured "$middle" $((camera - 140)) "behind where the wall will be"
echo "ok: the camera's bands colour the ground up the sheet"

echo "3. a wall across its view hides the ground behind it; undone, it shows again"
keys w
click $((middle - 150)) $((camera - 100))
click $((middle + 150)) $((camera - 100))
keys Escape
expect_ground white "$middle" $((camera - 140)) "behind the wall"
expect_ground coloured "$middle" $((camera - 60)) "in front of the wall"
echo "ok: behind the wall the ground is not coloured, in front of it it is"
keys ctrl+z
expect_ground coloured "$middle" $((camera - 140)) "behind the wall undone"
echo "ok: the wall undone, the ground behind it is coloured again"
cp "$dir/shot.png" "${REAL_PLAN_SHOT:-/dev/null}" 2>/dev/null || true

close_main_window "Save Changes"
discard_and_end
echo "3 passed, 0 failed"
