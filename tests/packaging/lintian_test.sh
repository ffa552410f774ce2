#!/usr/bin/env bash
# Builds the .deb and its -dbgsym package and runs Debian's own checker, lintian, on both: any
# error or warning fails. Informational notes are listed too; each one left is explained where
# the package is made (packaging/CMakeLists.txt).
set -euo pipefail
build=${1:?usage: lintian_test.sh build-folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
packages=("$scratch"/out/*.deb "$scratch"/out/*.ddeb)
echo "checking ${packages[*]##*/}"
# Lintian warns on stderr that it runs as root (the CI machine's user); that is no finding.
lintian --display-info --fail-on error,warning "${packages[@]}" 2> >(grep -v "root privileges" >&2)
echo "no error or warning"
