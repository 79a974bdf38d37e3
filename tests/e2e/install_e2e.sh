#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end, as installed: `cmake --install` into a fresh prefix lays out the launcher with
# both builds and their data trees, the menu and autostart entries naming the installed
# launcher, the icon, the udev rule, the licence and the command-line tool. The prefix is then
# made read-only (its files and folders lose their write bits; as root, who ignores those, it
# is also mounted read-only) and each build, started from there, copies its data tree to the user's data
# folder, works on that copy (the keyboard answers, so the copied pictures and language passed
# their checks) and opens its window.
#
# Usage: install_e2e.sh <build folder>
set -uo pipefail
build=$(realpath "$1")

# Root: a mount namespace of our own, where the prefix can be mounted read-only for this test
# alone.
if [ "$(id -u)" -eq 0 ] && [ -z "${E2E_PRIVATE_MOUNTS:-}" ]; then
    unshare --mount --propagation private true 2>/dev/null \
        || { echo "SKIP: running as root without mount namespaces, the prefix cannot be made read-only"; exit 77; }
    E2E_PRIVATE_MOUNTS=1 exec unshare --mount --propagation private "$0" "$@"
fi

source "$(dirname "$0")/lib.sh"
e2e_setup
prefix=$work/prefix
writable_again() {
    [ "$(id -u)" -eq 0 ] && umount "$prefix" 2>/dev/null
    chmod -R u+w "$prefix" 2>/dev/null
    e2e_cleanup
}
trap writable_again EXIT

# --- the layout ------------------------------------------------------------------------------
install_into() {   # install_into <prefix>: quiet unless it fails
    cmake --install "$build" --prefix "$1" >"$work/install.log" 2>&1 || { cat "$work/install.log"; return 1; }
}
check "cmake --install succeeds" install_into "$prefix"
installed=$prefix/lib/tarvenix
launcher=$installed/Tarvenix
for path in lib/tarvenix/Tarvenix lib/tarvenix/US/Tarvenix lib/tarvenix/UK/Tarvenix; do
    check "$path is a program" test -x "$prefix/$path" -a -f "$prefix/$path"
done
for layout in US UK; do
    check "the $layout data tree is the build's" diff -r "$build/$layout/modules" "$installed/$layout/modules"
done
for path in lib/udev/rules.d/70-tarvenix.rules share/icons/hicolor/scalable/apps/tarvenix.svg \
            share/icons/hicolor/48x48/apps/tarvenix.png share/icons/hicolor/256x256/apps/tarvenix.png \
            share/doc/tarvenix/copyright; do
    check "$path is installed" test -s "$prefix/$path"
done
check "the rule hands the keyboard's hidraw nodes to the seat" grep -q 'KERNEL=="hidraw\*".*TAG+="uaccess"' \
    "$prefix/lib/udev/rules.d/70-tarvenix.rules"
check "the menu entry starts the installed launcher" \
    grep -qxF "Exec=\"$launcher\"" "$prefix/share/applications/tarvenix.desktop"
check "and shows the icon" grep -qxF "Icon=tarvenix" "$prefix/share/applications/tarvenix.desktop"
check "the autostart entry starts the installed launcher" \
    grep -qxF "Exec=\"$launcher\"" "$prefix/etc/xdg/autostart/tarvenix-launcher.desktop"
check "no marker makes a build run in place" test -z "$(find "$installed" -name PermissionCompatibility)"

# --- read-only ------------------------------------------------------------------------------
chmod -R a-w "$prefix"
if [ "$(id -u)" -eq 0 ]; then
    mount --bind "$prefix" "$prefix" && mount -o remount,bind,ro "$prefix"
fi
check "the installation is read-only" bash -c "! touch '$installed/US/modules/probe' 2>/dev/null"

for layout in US UK; do
    copy=$HOME/.local/share$installed/$layout/modules
    : >"$SIM_RECORD"
    start_app "$installed/$layout/Tarvenix"
    check "the installed $layout build opens its window" test -n "$window"
    check "it copied its data tree to the user's data folder" diff -r "$installed/$layout/modules" "$copy"
    check "the copy is the user's to change" test -z "$(find "$copy" -type f ! -perm -u+w)"
    check "it works on the copy" test "$(readlink "/proc/$app/cwd")" = "$(dirname "$copy")"
    check "the keyboard answers it" wait_record "feature"
    kill -TERM "$app"
    check "it ends cleanly" exits_with "$app" 10 0
done

# The command-line tool on the PATH finds the builds beside the launcher and opens the same gate.
check "the installed command-line tool talks to the keyboard" \
    "$prefix/bin/tarvenix-cli" --device simulated get current-profile
check "its manual page is installed" test -s "$prefix/share/man/man1/tarvenix-cli.1.gz"

e2e_finish
