#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole test
# suite once in that build, LeakSanitizer included: any memory fault, undefined behaviour or leak
# of our own fails the run. Leaks inside system libraries are suppressed by name only
# (tools/lsan-system-libraries.supp).
#   tools/sanitized-test.sh [build-folder]   build-sanitize by default
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-sanitize}

cmake -S "$root" -B "$build" -G Ninja -DVISTAMARQ_SANITIZE=ON >/dev/null
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan-system-libraries.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure
