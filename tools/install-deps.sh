#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building, running and testing the program need.
# Quiet when everything is already there; the one list that `make run`, `make test` and CI share.
set -euo pipefail

packages=(
    cmake ninja-build g++ make
    qt6-base-dev          # Qt Widgets, Print Support, moc/rcc, offscreen and xcb platforms, JPEG
    libqt6sql6-sqlite     # Qt SQL's SQLite driver: the design file
    qt6-pdf-dev qt6-svg-dev   # a site plan's underlay: a page of a PDF, an SVG drawing
    libbenchmark-dev      # the bench/ targets
    clang libclang-rt-14-dev   # the fuzz/ targets: libFuzzer and the sanitizers' runtimes
    xvfb xauth openbox    # a real X server and window manager for the real-window tests
    xdotool x11-utils imagemagick
    fonts-liberation2     # metric-compatible stand-in for Arial
    desktop-file-utils appstream   # validate the installed menu entry and description
    shared-mime-info libglib2.0-bin sqlite3   # the design file's type as a file manager sees it
    file                  # `make package` finds the programs to strip with it
    lintian               # Debian's checker, run on the built packages
    at-spi2-core dbus-daemon python3-pyatspi   # what a screen reader reads, on a private D-Bus
    poppler-utils         # pdftotext: the design sheet's PDF test reads the figures back
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
