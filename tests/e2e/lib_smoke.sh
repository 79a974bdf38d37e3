#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The end-to-end helpers themselves (lib.sh), on the US build: every page opens by clicking
# and is photographed; a click on a profile reaches the simulated keyboard's record and state
# file; typed keys reach the key hook; dragging the background moves the window.
#
# Usage: lib_smoke.sh <US executable>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup

start_app "$1"
check "the window appears" test -n "$window"
check "the start reads the keyboard mode" wait_record "feature 00 89 00"
wait_for_entry

for page in KEY MACRO COLOR SETTINGS; do
    check "$page opens by clicking" open_page $page
    screenshot "lib_smoke_$page"
    check "the $page screenshot is the window" \
        test "$(identify -format %wx%h "$E2E_SCREENSHOTS/lib_smoke_$page.png" 2>/dev/null)" = 1000x600
done
check "KEY opens again over the settings panel" open_page KEY

# P02 in the profile menu.
click_window 963 231
check "the profile switch reaches the keyboard" wait_record "feature 00 02 01 00 00 00 00 00"
check "the state file holds the current profile" test "$(sim_field currentProfile)" = 1
check "the state file holds the key matrix" test "$(sim_bytes profile1.keyMatrix 0 2)" = "00 00"

type_text "b"
check "typed keys reach the key hook" wait_for_line "$app_log" "tarvenix.shell: key down usage 0x05"

before=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*\),.*/\1/p')
drag_window 600 60 650 60
after=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*\),.*/\1/p')
check "dragging the background moves the window ($before -> $after)" test "$after" -gt "$before"

e2e_finish
