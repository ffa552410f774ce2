#!/usr/bin/env bash
# Installs the program into a scratch folder and checks what a desktop reads from it: the
# program, a valid menu entry, a software-centre description that validates strictly (any
# finding but a pedantic hint fails), the icon in each size, and the design file's type: after
# the caches are built as Debian's triggers build them, a file manager (GIO) must know a design by
# its name and by its content alone, tell it from any other SQLite database, draw it with its
# own icon and open it with the program.
set -euo pipefail
build=${1:?usage: install_test.sh build-folder}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
passed=0
failures=0
check() {
    if "$@"; then
        echo "ok: $*"
        passed=$((passed + 1))
    else
        echo "FAIL: $*"
        failures=$((failures + 1))
    fi
}

cmake --install "$build" --prefix "$root/usr" >/dev/null
check test -x "$root/usr/bin/vistamarq"
check desktop-file-validate "$root/usr/share/applications/org.vistamarq.Vistamarq.desktop"
check appstreamcli validate --pedantic --strict --no-net \
    "$root/usr/share/metainfo/org.vistamarq.Vistamarq.metainfo.xml"
for size in 16 32 48 64 128 256; do
    for icon in apps/vistamarq mimetypes/application-x-vistamarq-design; do
        file="$root/usr/share/icons/hicolor/${size}x${size}/$icon.png"
        check test "$(identify -format '%wx%h' "$file" 2>/dev/null)" = "${size}x${size}"
    done
done

# GIO as a file manager uses it, reading the installed files before the system's, and nothing of
# this machine's user.
mkdir "$root/home" "$root/files"
desktop() {
    env -i PATH="$root/usr/bin:/usr/bin:/bin" GIO_USE_VFS=local LC_ALL=C.UTF-8 HOME="$root/home" \
        XDG_DATA_HOME="$root/home" XDG_CONFIG_HOME="$root/home" \
        XDG_DATA_DIRS="$root/usr/share:/usr/share" "$@"
}
desktop update-mime-database "$root/usr/share/mime"
desktop update-desktop-database "$root/usr/share/applications"
file_type() { desktop gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
is_type() { test "$(file_type "$1")" = "$2"; }
# A design as the program writes one: SQLite with the program's application_id.
design="$root/files/gate.vistamarq"
sqlite3 "$design" 'PRAGMA application_id = 1447907652; CREATE TABLE design(json TEXT);'
cp "$design" "$root/files/gate attachment"
sqlite3 "$root/files/other.sqlite" 'CREATE TABLE design(json TEXT);'
check is_type "$design" application/x-vistamarq-design
check is_type "$root/files/gate attachment" application/x-vistamarq-design
check is_type "$root/files/other.sqlite" application/vnd.sqlite3
check test "$(desktop gio info -a standard::icon "$design" | sed -n 's/^ *standard::icon: \([^,]*\).*/\1/p')" \
    = application-x-vistamarq-design
check test "$(desktop gio mime application/x-vistamarq-design | sed -n '1s/^Default application.*: //p')" \
    = org.vistamarq.Vistamarq.desktop
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
