#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, on this machine: cpack -G DEB builds it from the build folder; lintian
# finds no error in it; dpkg -i installs it with its dependencies met, every file inside the
# layout; the installed launcher starts the US build, which copies its data tree to the user's
# data folder and opens its window; dpkg -r removes it and leaves only the user's own data. The
# package is removed again whatever happens. Needs root (skipped otherwise) and no tarvenix
# package installed before.
#
# Usage: package_test.sh <build folder>
set -uo pipefail
build=$(realpath "$1")
package=tarvenix

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing the package with dpkg -i needs root"
    exit 77
fi
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'installed$'; then
    echo "SKIP: a $package package is installed on this machine already; this test would replace it"
    exit 77
fi
# The launcher takes any running build for its own; in a PID namespace it sees only ours. The
# test is told to end (and remove the package) when unshare ends, even when it is killed.
if [ -z "${E2E_PRIVATE_PIDS:-}" ] && unshare --fork --pid --mount-proc true 2>/dev/null; then
    E2E_PRIVATE_PIDS=1 exec unshare --fork --pid --mount-proc --kill-child=TERM "$0" "$@"
fi

source "$(dirname "$0")/../e2e/lib.sh"
e2e_setup
remove_package() {
    e2e_cleanup
    case $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) in
        '' | *not-installed) ;;
        *) echo "(removing the package)"; dpkg --purge "$package" >/dev/null 2>&1 ;;
    esac
}
trap remove_package EXIT
trap 'exit 1' TERM INT HUP

quietly() {   # quietly <log> <command...>: its output only when it fails
    local log=$1; shift
    "$@" >"$log" 2>&1 || { tail -n 30 "$log"; return 1; }
}
ours() { find /usr /etc -iname '*tarvenix*' 2>/dev/null | sort; }

# --- build and lint ------------------------------------------------------------------------
check "cpack -G DEB builds the package" \
    quietly "$work/cpack.log" cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb"
deb=$(ls "$work"/deb/${package}_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { e2e_finish; exit 1; }
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
lint=$?
sed 's/^/  lintian: /' "$work/lintian.log"
check "lintian finds no error" test $lint -eq 0
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
for library in libc6 libqt5quickwidgets5 libhidapi-hidraw0 libphonon4qt5-4 qml-module-qtquick2; do
    check "it depends on $library" grep -q "\\b$library\\b" <<<"$depends"
done

# --- install ----------------------------------------------------------------------------
before=$(ours)
check "dpkg -i installs it" quietly "$work/dpkg-i.log" dpkg -i "$deb"
listed=$(dpkg -L "$package")
echo "$listed" | sed 's/^/  dpkg -L: /'
# Where its files may be: these folders, and the folders above them.
layout_roots=(/usr/lib/tarvenix /usr/lib/udev/rules.d /usr/share/applications /usr/share/icons/hicolor
              /usr/share/doc/tarvenix /usr/share/tarvenix /usr/share/man/man1 /usr/bin /etc/xdg/autostart)
outside_layout() {
    local path root inside
    while read -r path; do
        [ "$path" = /. ] && continue
        inside=
        for root in "${layout_roots[@]}"; do
            case "$root/" in "$path"/*) inside=1 ;; esac
            case "$path/" in "$root"/*) inside=1 ;; esac
        done
        [ -n "$inside" ] || echo "  outside the layout: $path"
    done <<<"$listed"
}
outside=$(outside_layout)
[ -z "$outside" ] || echo "$outside"
check "every file lies inside the layout" test -z "$outside"
for path in /usr/lib/tarvenix/Tarvenix /usr/lib/tarvenix/US/Tarvenix /usr/lib/tarvenix/UK/Tarvenix \
            /usr/lib/tarvenix/US/modules/setting/keymap.bin /usr/lib/tarvenix/UK/modules/setting/keymap.bin \
            /usr/lib/udev/rules.d/70-tarvenix.rules /usr/share/applications/tarvenix.desktop \
            /etc/xdg/autostart/tarvenix-launcher.desktop /usr/share/icons/hicolor/scalable/apps/tarvenix.svg \
            /usr/share/doc/tarvenix/copyright; do
    check "it installs $path" grep -qxF "$path" <<<"$listed"
done
check "the autostart entry starts the installed launcher" \
    grep -qxF 'Exec="/usr/lib/tarvenix/Tarvenix"' /etc/xdg/autostart/tarvenix-launcher.desktop

# --- the installed launcher -----------------------------------------------------------------
export TARVENIX_SIM_RELEASE=0x3300
start /usr/lib/tarvenix/Tarvenix "$work/launcher.log"; launcher=$started; pids+=("$launcher")
us=
for _ in $(seq 200); do
    us=$(pgrep -x -f /usr/lib/tarvenix/US/Tarvenix | head -1)
    [ -n "$us" ] && break
    sleep 0.05
done
check "the installed launcher starts the installed US build" test -n "$us"
[ -n "$us" ] && pids+=("$us")
check "its window appears" test -n "$(window_of "$us")"
check "it copied its data tree to the user's data folder" \
    diff -r /usr/lib/tarvenix/US/modules "$HOME/.local/share/usr/lib/tarvenix/US/modules"
/usr/lib/tarvenix/Tarvenix --kill
check "--kill ends the launcher" exits_with "$launcher" 10 0
kill -TERM "$us" 2>/dev/null
for _ in $(seq 100); do kill -0 "$us" 2>/dev/null || break; sleep 0.1; done

# --- remove ---------------------------------------------------------------------------------
check "dpkg -r removes it" quietly "$work/dpkg-r.log" dpkg -r "$package"
check "dpkg forgets it" test -z "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -v not-installed)"
check "nothing of it is left in /usr and /etc" test "$(ours)" = "$before"
left=$(while read -r path; do [ -e "$path" ] && [ ! -d "$path" ] && echo "$path"; done <<<"$listed")
check "none of its files is left" test -z "$left"
check "the user's data stays" test -d "$HOME/.local/share/usr/lib/tarvenix/US/modules/setting"
check "and so does the launcher's setting" test -s "$HOME/.config/Norvane/Norvane Keyboard 4200/config.ini"

e2e_finish
