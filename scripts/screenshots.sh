#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the running US build on the simulated keyboard, in a private X server: the main
# screen with the lighting page in skin 1 and skin 2, and in Chinese and Japanese; the profile
# menu's context menu over the key definition page, the Save File and Open File dialogs it opens,
# and the warning box of an unreadable background picture.
# Usage: scripts/screenshots.sh [build dir] [output dir]   (defaults: build, docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshots}
mkdir -p "$out"

work=$(mktemp -d)
xvfb=
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

for n in $(seq 91 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1000x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
unset QT_QPA_PLATFORM
export DISPLAY=$display HOME=$work/home TARVENIX_DEVICE=simulated
mkdir -p "$HOME"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# start <name> <skin 1|2> <language index> [program and arguments]: an installation of its own,
# run in place, with the configuration's skin (value 1) and language (value 4) set, started
# (the application unless a program is given) and through its start-up animation. Sets $app
# and $window.
start() {
    local install=$work/$1
    cp -r "$build/US" "$install"
    touch "$install/PermissionCompatibility"
    sed -i -e "s/^1=.*/1=$2/" -e "s/^4=.*/4=$3/" "$install/modules/setting/apConfig.bin"
    shift 3
    [ $# -gt 0 ] || set -- ./Tarvenix
    (cd "$install" && exec "$@" >/dev/null 2>&1) &
    app=$!
    window=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$app" --name "Norvane" | head -1)
    sleep 6
}

# save <name>: the whole screen, with the pointer out of the way unless told to stay.
save() {
    [ "${2:-}" = keep-pointer ] || xdotool mousemove 1270 790
    import -window root "$out/$1.png"
    kill -TERM "$app"; wait "$app" || true
    echo "$out/$1.png"
}

shot() {   # shot <name> <skin> <language>: the lighting page
    start "$@"
    xdotool mousemove --window "$window" 83 298 click 1
    sleep 2
    save "$1"
}

# profile_shot <name> [entry 0 LOAD | 1 SAVE]: the context menu of profile P05 over the key
# definition page, or the dialog its entry opens.
profile_shot() {
    start "$1" 1 0
    xdotool mousemove --window "$window" 83 198 click 1
    sleep 2
    xdotool mousemove --window "$window" 960 309 click 3
    sleep 2
    if [ $# -gt 1 ]; then
        xdotool mousemove --window "$window" 905 $((307 + 20 * $2)) click 1
        sleep 2
        save "$1"
    else
        save "$1" keep-pointer
    fi
}

mkdir -p "$HOME/Desktop"
cp "$build/US/modules/setting/p1.bin" "$HOME/Desktop/evening.pf"

shot main_skin1 1 0
shot main_skin2 2 0
shot main_chinese 1 1
shot main_japanese 2 7
profile_shot profile_menu_key
profile_shot dialog_open 0
profile_shot dialog_save 1
start warning 1 0 "$(cd "$build" && pwd)/tests/helpers/warning_window" "$HOME/Desktop" 1000
sleep 2
save warning
