#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the running US build on the simulated keyboard, in a private X server: the main
# screen with the lighting page in skin 1 and skin 2, and in Chinese and Japanese.
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

# shot <name> <skin 1|2> <language index>: an installation of its own, run in place, with the
# configuration's skin (value 1) and language (value 4) set.
shot() {
    local install=$work/$1
    cp -r "$build/US" "$install"
    touch "$install/PermissionCompatibility"
    sed -i -e "s/^1=.*/1=$2/" -e "s/^4=.*/4=$3/" "$install/modules/setting/apConfig.bin"
    (cd "$install" && exec ./Tarvenix >/dev/null 2>&1) &
    local app=$!
    local window
    window=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$app" --name "Norvane" | head -1)
    sleep 6                                            # the start-up animation
    xdotool mousemove --window "$window" 83 298 click 1 # COLOR
    sleep 2
    xdotool mousemove 990 590                          # out of the way
    import -window root "$out/$1.png"
    kill -TERM "$app"; wait "$app" || true
    echo "$out/$1.png"
}

shot main_skin1 1 0
shot main_skin2 2 0
shot main_chinese 1 1
shot main_japanese 2 7
