#!/usr/bin/env bash
# Installs the program into a scratch folder and checks what a desktop reads from it: the
# program, a valid menu entry, a software-centre description that validates strictly (any
# finding but a pedantic hint fails), and the icon in each size.
set -euo pipefail
build=${1:?usage: install_test.sh build-folder}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
check() { if "$@"; then echo "ok: $*"; else echo "FAIL: $*"; failures=$((failures + 1)); fi; }

cmake --install "$build" --prefix "$root/usr" >/dev/null
check test -x "$root/usr/bin/vistamarq"
check desktop-file-validate "$root/usr/share/applications/org.vistamarq.Vistamarq.desktop"
check appstreamcli validate --pedantic --strict --no-net \
    "$root/usr/share/metainfo/org.vistamarq.Vistamarq.metainfo.xml"
for size in 16 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/vistamarq.png"
    check test "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}"
done
echo "$((10 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
