#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs them.
#   fuzz/run.sh [seconds]   fuzzes each target for that long, 60 s by default; what it learns is
#                           kept in the build folder, so each run goes on from the last
#   fuzz/run.sh --smoke     a few seconds each from the seed corpus, and every recorded fault
#                           input again, as `make test` runs them
# FUZZ_BUILD_DIR names the build folder (build-fuzz); CMAKE_FLAGS is passed to cmake.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
targets=(number_text part_number settings_file lens_calculator coverage design_json plan_visibility)

seconds=60
smoke=false
case "${1:-}" in
    --smoke) smoke=true ;;
    "") ;;
    *[!0-9]* | 0)
        echo "usage: $0 [seconds | --smoke]" >&2
        exit 2
        ;;
    *) seconds=$1 ;;
esac

# CC and CXX count only when a build folder is first configured.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang' "$build/CMakeCache.txt"; then
    echo "$build was configured with another compiler than clang; remove it or set FUZZ_BUILD_DIR" >&2
    exit 2
fi

# shellcheck disable=SC2086  # CMAKE_FLAGS holds several flags
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DVISTAMARQ_FUZZ=ON \
    -DVISTAMARQ_LOGIC_ONLY=ON ${CMAKE_FLAGS:-} >/dev/null
cmake --build "$build"

if $smoke; then
    exec ctest --test-dir "$build" -L fuzz --output-on-failure
fi

failed=()
for target in "${targets[@]}"; do
    echo "== fuzz_$target for $seconds s"
    found=$build/fuzz/found/$target
    mkdir -p "$found"
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/fuzz_$target-" "$found" "$root/fuzz/corpus/$target"; then
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Faults found by: ${failed[*]}; the inputs are $build/fuzz/fuzz_<target>-crash-*." >&2
    echo "Copy each into fuzz/regressions/<target>/ so that \`make test\` runs it again." >&2
    exit 1
fi
