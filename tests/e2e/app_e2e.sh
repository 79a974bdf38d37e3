#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end, as a user would: the US build on the simulated keyboard in a real X server.
# Starts the window and checks its title and size; types keys and checks that the scene heard
# each state change once; opens the pages and the settings panel by clicking; checks that a
# second start exits with 1 while the UK build still starts; closes with the close button and
# with SIGTERM, both ending cleanly.
#
# Usage: app_e2e.sh <US executable> <UK executable>
set -uo pipefail
us_app=$1
uk_app=$2
title="Norvane KALVOR Keyboard 4200"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
passes=0
check() {   # check <description> <command...>
    local what=$1; shift
    if "$@"; then
        passes=$((passes + 1)); echo "PASS: $what"
    else
        failures=$((failures + 1)); echo "FAIL: $what"
    fi
}

# A display of our own.
for n in $(seq 91 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A real window in that server, whatever platform the other tests were told to use.
unset QT_QPA_PLATFORM
export HOME=$work/home XDG_DATA_HOME= XDG_RUNTIME_DIR=$work/run TARVENIX_DEVICE=simulated
export QT_LOGGING_RULES="tarvenix.shell.debug=true;tarvenix.scene.debug=true"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

start() {   # start <executable> <log>: starts it as a child of this shell; its pid in $started
    "$1" >"$2" 2>&1 &
    started=$!
}

window_of() {   # window_of <pid>: the visible top-level window with our title
    timeout 60 xdotool search --sync --all --onlyvisible --pid "$1" --name "^$title\$" 2>/dev/null | head -1
}

exits_with() {   # exits_with <pid> <seconds> <code>: the child ends within the time with that code
    local pid=$1 deadline=$((SECONDS + $2))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
    wait "$pid"
    local code=$?
    [ $code -eq "$3" ] || { echo "  (exit code $code)"; return 1; }
}

log_has() {   # log_has <log> <count> <line>: the line occurs exactly count times
    [ "$(grep -cxF -- "$3" "$1")" -eq "$2" ]
}

wait_for_line() {   # wait_for_line <log> <line>
    for _ in $(seq 100); do grep -qxF -- "$2" "$1" && return 0; sleep 0.1; done
    return 1
}

# --- the window ----------------------------------------------------------------------------
log=$work/us.log
start "$us_app" "$log"; app=$started; pids+=("$app")
window=$(window_of "$app")
check "the window appears with the configured title" test -n "$window"
geometry=$(xdotool getwindowgeometry "$window" 2>/dev/null | sed -n 's/.*Geometry: //p')
check "the window is 1000 x 600 (got $geometry)" test "$geometry" = "1000x600"

# --- keys reach the scene once per state change ---------------------------------------------
xdotool key --delay 50 a KP_Enter Pause backslash
sleep 0.5
for usage in 0x04 0x58 0x48 0x31; do
    check "key usage $usage reported down once" log_has "$log" 1 "tarvenix.shell: key down usage $usage"
    check "key usage $usage reported up once" log_has "$log" 1 "tarvenix.shell: key up usage $usage"
done

# --- a second start of the same build is refused; the other layout's build is not -----------
start "$us_app" "$work/second.log"; second=$started
check "a second US start exits with code 1" exits_with "$second" 20 1
start "$uk_app" "$work/uk.log"; uk=$started; pids+=("$uk")
check "the UK build starts beside it" test -n "$(window_of "$uk")"
kill -TERM "$uk"
check "SIGTERM ends the UK build cleanly" exits_with "$uk" 10 0

# --- the scene: pages and settings panel --------------------------------------------------
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
# The start-up animation ends with the function menu sliding in; give it time.
sleep 6
click 83 198
check "KEY opens the key definition page" wait_for_line "$log" "tarvenix.scene: page 0"
click 83 248
check "MACRO opens the macro page" wait_for_line "$log" "tarvenix.scene: page 1"
click 83 298
check "COLOR opens the lighting page" wait_for_line "$log" "tarvenix.scene: page 2"
click 19 13
check "the settings button opens the settings panel" wait_for_line "$log" "tarvenix.scene: settings open"

# --- closing -----------------------------------------------------------------------------
click 981 13
check "the close button ends the program with code 0" exits_with "$app" 10 0

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
