#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Keys from the keyboard's own keyboard interface, on the simulated keyboard: typed there while
# another X client has the focus, they reach the scene once per state change; started without
# logging rules, the application writes none of them.
#
# Usage: keyboard_interface_e2e.sh <US executable>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup

# The simulated keyboard types what this pipe says: "down 04", "up 04" (hex usages).
export TARVENIX_SIM_KEYS=$work/keys
mkfifo "$TARVENIX_SIM_KEYS"
# A pipe without a reader would hold the writer: a limit keeps a program that never started from
# holding the test.
sim_type() { timeout 5 bash -c 'printf "%s\n" "${@:1}" >"$0"' "$TARVENIX_SIM_KEYS" "$@"; }

start_app "$1"
check "the window appears" test -n "$window"

# Another X client takes the focus.
xev >/dev/null 2>&1 &
other=$!; pids+=("$other")
other_window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$other" 2>/dev/null | head -1)
xdotool windowfocus --sync "$other_window" 2>/dev/null
check "another client has the focus" test "$(xdotool getwindowfocus 2>/dev/null)" = "$other_window"

# Shift held over a letter; then a letter typed twice.
sim_type "down e1" "down 04" "up 04" "up e1" "down 05" "up 05" "down 05" "up 05"
check "the keys reached the scene" wait_for_line "$app_log" "tarvenix.shell: key up usage 0x05"
sleep 0.3
order=$(grep -o 'key [a-z]* usage 0x[0-9a-f]*' "$app_log" | tr '\n' ',')
check "each change once, in the order typed ($order)" test "$order" = \
    "key down usage 0xe1,key down usage 0x04,key up usage 0x04,key up usage 0xe1,key down usage 0x05,key up usage 0x05,key down usage 0x05,key up usage 0x05,"
check "the focus stayed with the other client" test "$(xdotool getwindowfocus 2>/dev/null)" = "$other_window"

kill -TERM "$app"
check "SIGTERM ends the program with code 0" exits_with "$app" 10 0

# Without logging rules, nothing typed on the keyboard reaches the output.
start_quiet_app "$1"
check "without logging rules the window appears" test -n "$window"
sim_type "down 13" "up 13" "down 04" "up 04" "down 16" "up 16" "down 16" "up 16"
sleep 1
kill -TERM "$app"
check "without logging rules SIGTERM still ends the program with code 0" exits_with "$app" 10 0
check "without logging rules no key is written" no_typing_written "$app_log"

e2e_finish
