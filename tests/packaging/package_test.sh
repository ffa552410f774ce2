#!/usr/bin/env bash
# Builds the .deb, checks that it asks for what the program loads at run time and carries the
# design file's type and icons, unpacks it into a scratch folder as dpkg would install it, and
# starts the unpacked program under a private X server: its main window must appear.
set -euo pipefail
build=${1:?usage: package_test.sh build-folder}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/*.deb)
echo "built $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins libqt6sql6-sqlite fonts-liberation2; do
    case "$depends" in *"$needed"*) ;; *) echo "FAIL: $needed missing from Depends: $depends"; exit 1 ;; esac
done
contents=$(dpkg-deb -c "$deb")
for needed in usr/share/mime/packages/org.vistamarq.Vistamarq.xml usr/share/doc/vistamarq/design-file.md.gz \
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/mimetypes/application-x-vistamarq-design.png; do
    case "$contents" in *" ./$needed"*) ;; *) echo "FAIL: $needed missing from the package"; exit 1 ;; esac
done
dpkg -x "$deb" "$scratch/root"

source "$here/../../tools/headless-x.sh"
start_headless_x
trap 'stop_headless_x; rm -rf "$scratch"' EXIT
"$scratch/root/usr/bin/vistamarq" &
program=$!
if wait_for_window Vistamarq >/dev/null; then
    kill "$program"
    echo "1 passed, 0 failed"
else
    kill "$program" 2>/dev/null || true
    echo "FAIL: the unpacked program showed no window"
    exit 1
fi
