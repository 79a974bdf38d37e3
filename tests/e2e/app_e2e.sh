#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end, as a user would: the US build on the simulated keyboard in a real X server.
# Starts the window and checks its title and size; types keys and checks that the scene heard
# each state change once; opens the pages and the settings panel by clicking; checks that a
# second start exits with 1 while the UK build still starts; closes with the close button and
# with SIGTERM, both ending cleanly; started without logging rules, writes no key usage and no
# pointer position.
#
# Usage: app_e2e.sh <US executable> <UK executable>
set -uo pipefail
us_app=$1
uk_app=$2
source "$(dirname "$0")/lib.sh"
e2e_setup

# --- the window ----------------------------------------------------------------------------
start_app "$us_app"; log=$app_log
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
# The start-up animation ends with the function menu sliding in; give it time.
wait_for_entry
click_window 83 198
check "KEY opens the key definition page" wait_for_line "$log" "tarvenix.scene: page 0"
click_window 83 248
check "MACRO opens the macro page" wait_for_line "$log" "tarvenix.scene: page 1"
click_window 83 298
check "COLOR opens the lighting page" wait_for_line "$log" "tarvenix.scene: page 2"
click_window 19 13
check "the settings button opens the settings panel" wait_for_line "$log" "tarvenix.scene: settings open"

# --- closing -----------------------------------------------------------------------------
click_window 981 13
check "the close button ends the program with code 0" exits_with "$app" 10 0

# --- nothing typed or clicked reaches the output without logging rules -----------------------
# Standard error ends up in the journal or ~/.xsession-errors: by default it must hold no key
# usage and no pointer position.
start_quiet_app "$us_app"; quiet=$app; quiet_log=$app_log
check "without logging rules the window appears" test -n "$window"
wait_for_entry
xdotool key --delay 50 p a s s w o r d KP_Enter Pause backslash
click_window 83 198
click_window 600 450
click_window 981 13
check "without logging rules the close button still ends the program" exits_with "$quiet" 10 0
check "without logging rules no key usage or pointer position is written" no_typing_written "$quiet_log"

e2e_finish
