#!/usr/bin/env bash
# The whole program against a bare Qt Widgets window with a 50 ms timer (bench/bare_window.cpp),
# in a private X server with a window manager: start-up (exec to the main window mapped),
# resident memory one second later, and CPU used while idle over the next ten seconds. The two
# programs take turns, so a busy moment of the machine falls on both; medians of RUNS runs each.
# A third program, the bare window showing one line of text, tells how much of the difference
# any text costs; it is reported beside the ratios, not in them.
#   bench/whole_process.sh [build-folder]   build by default; RUNS=5
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${RUNS:-5}
measure=$build/bench/measure_process
for needed in "$measure" "$build/bench/bare_window" "$build/app/vistamarq"; do
    [ -x "$needed" ] || { echo "$needed is missing: build the target benchmarks first" >&2; exit 2; }
done

source "$root/tools/headless-x.sh"
start_headless_x
# The program must not read a settings file of the user's, nor write anywhere near theirs.
export XDG_CONFIG_HOME XDG_RUNTIME_DIR
XDG_CONFIG_HOME=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
trap 'stop_headless_x; rm -rf "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"' EXIT

results=$(mktemp)
echo "$runs runs each, alternating (start-up ms, resident KiB, idle CPU ms over 10 s):"
for run in $(seq "$runs"); do
    for program in vistamarq bare label; do
        case $program in
            vistamarq) line=$("$measure" Vistamarq "$build/app/vistamarq") ;;
            bare) line=$("$measure" "Bare window" "$build/bench/bare_window") ;;
            label) line=$("$measure" "Bare window" "$build/bench/bare_window" --label) ;;
        esac
        printf '  run %d  %-9s %s\n' "$run" "$program" "$line"
        echo "$program $line" >>"$results"
    done
done

median() {  # median of column $2 for program $1
    awk -v p="$1" -v c="$2" '$1 == p { print $c }' "$results" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
report() {  # label, column, goal for the ratio, unit
    local ours bare text
    ours=$(median vistamarq "$2")
    bare=$(median bare "$2")
    text=$(median label "$2")
    awk -v l="$1" -v o="$ours" -v b="$bare" -v t="$text" -v g="$3" -v u="$4" 'BEGIN {
        r = (b > 0) ? o / b : 0
        printf "%-19s vistamarq %8.1f  bare %8.1f  ratio %.2f (goal <= %.2f) %-6s  bare with a label %8.1f (%.2f) %s\n",
               l, o, b, r, g, (r <= g) ? "met" : "MISSED", t, (b > 0) ? t / b : 0, u }'
}
echo "medians (ratios to the bare window):"
report "start-up" 2 1.10 ms
report "resident memory" 3 1.15 KiB
report "idle CPU over 10 s" 4 1.00 ms
rm -f "$results"
