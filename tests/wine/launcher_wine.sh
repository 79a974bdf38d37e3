#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows launcher under Wine, in a fresh prefix and a private X server, with a stand-in
# for the configuration application as US\Tarvenix.exe and UK\Tarvenix.exe: the layout stored
# in config.ini is started when no keyboard is attached; a stale debug.txt goes from the
# launcher's folder only; a second launcher replaces the first and starts nothing while the
# right build runs; "/kill" ends it; a KB_Lang of 0 starts nothing, is stored as 1, and the
# running application is closed within a second.
#
# Usage: launcher_wine.sh <Tarvenix.exe> <app_stand_in.exe>
set -uo pipefail
launcher_exe=$1
stand_in_exe=$2
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

source "$(dirname "$0")/../e2e/lib.sh"
e2e_setup
trap '"$wineserver" -k 2>/dev/null; e2e_cleanup' EXIT

# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
t0=$SECONDS
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
echo "(a fresh Wine prefix took $((SECONDS - t0)) s)"

install=$work/install
mkdir -p "$install/US" "$install/UK" "$work/cwd"
cp "$launcher_exe" "$install/Tarvenix.exe"
cp "$stand_in_exe" "$install/US/Tarvenix.exe"
cp "$stand_in_exe" "$install/UK/Tarvenix.exe"
touch "$install/debug.txt" "$work/cwd/debug.txt"
settings=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming)/Norvane/"Norvane Keyboard 4200"
mkdir -p "$settings"
cd "$work/cwd"

launch() {   # launch [argument]: starts the launcher; its pid in $started
    "$wine" "$install/Tarvenix.exe" "$@" >/dev/null 2>&1 &
    started=$!
}

events_are() {   # events_are <build> <expected events, one per line>
    local file="$install/$1/events.txt"
    for _ in $(seq 50); do
        [ "$(tr -d '\r' <"$file" 2>/dev/null)" = "$2" ] && return 0
        sleep 0.1
    done
    echo "  ($1: $(tr '\r\n' '  ' <"$file" 2>/dev/null))"
    return 1
}

stored_layout_is() {
    for _ in $(seq 30); do
        grep -qx "KB_Lang=$1"$'\r'"\?" "$settings/config.ini" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "  (config.ini: $(tr '\r\n' '  ' <"$settings/config.ini" 2>/dev/null))"
    return 1
}

# --- no keyboard: the stored layout is started ----------------------------------------------
printf '[Setting]\r\nKB_Lang=2\r\n' >"$settings/config.ini"
launch; first=$started; pids+=("$first")
check "with KB_Lang 2 and no keyboard the UK build starts" events_are UK "started"
check "KB_Lang stays 2" stored_layout_is 2
check "debug.txt is deleted in the launcher's folder" test ! -e "$install/debug.txt"
check "but not in the working directory it was started from" test -e "$work/cwd/debug.txt"

# --- one launcher at a time ------------------------------------------------------------------
launch; second=$started; pids+=("$second")
check "a second launcher ends the first" exits_with "$first" 10 0
sleep 1.5
check "and starts nothing while the right build runs" events_are UK "started"

launch /kill; killer=$started
check "/kill ends with code 0" exits_with "$killer" 10 0
check "/kill ends the running launcher" exits_with "$second" 10 0
check "the application outlives the launcher" events_are UK "started"

# --- KB_Lang 0 -------------------------------------------------------------------------------
printf '[Setting]\r\nKB_Lang=0\r\n' >"$settings/config.ini"
launch; third=$started; pids+=("$third")
check "KB_Lang 0 is stored as 1" stored_layout_is 1
check "the running application is closed within a second" events_are UK $'started\nclosed'
sleep 1
check "and nothing is started" test ! -e "$install/US/events.txt"
launch /kill; killer=$started
check "/kill ends it" exits_with "$third" 10 0

e2e_finish
