#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The macro page end to end, on the US build: the example macro is selected, recorded from
# keys typed into the real window (they reach the scene through the key hook), and the file
# holds exactly the typed presses and releases in order. The page is photographed with the
# recorded macro.
#
# Usage: macro_e2e.sh <US executable>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup

# The macro page sits 46 pixels below the page area's top; these are its own coordinates.
click_macro() { click_page "$1" $(( 46 + $2 )); }

# The steps of a macro file in order: its [macro] section's values by their numbers.
macro_steps() {
    awk -F= '/^\[/ { section = $0; next }
             section == "[macro]" && $1 ~ /^[0-9]+$/ { i = $1 + 0; sub(/^[^=]*=/, ""); step[i] = $0; if (i + 1 > n) n = i + 1 }
             END { for (i = 0; i < n; ++i) print step[i] }' "$1"
}

start_app "$1"
check "the window appears" test -n "$window"
wait_for_entry
check "MACRO opens by clicking" open_page MACRO

macro=$(find "$HOME/.local/share" -path '*/modules/macro/Hello.bin' | head -1)
check "the example macro is in the user's data" test -f "$macro"

click_macro 190 86      # the first file: the example
sleep 0.3
click_macro 687 65      # Record
sleep 0.3
type_text "ab"
check "the last key reached the key hook" wait_for_line "$app_log" "tarvenix.shell: key up usage 0x05"
sleep 0.3
click_macro 708 65      # Stop
sleep 0.5

expected=$'A    [Down]\nA      [Up]\nB    [Down]\nB      [Up]'
actual=$(macro_steps "$macro")
check "the file holds the typed keys in order" test "$actual" = "$expected"
check "the file counts four steps" grep -qx "total=4" "$macro"
[ "$actual" = "$expected" ] || { echo "  file:"; sed 's/^/    /' "$macro"; }

# The last step selected, the cursor over COPY: its name shows.
click_macro 593 143
click_macro 320 216     # capture field: listening
press_keys ctrl
sleep 0.2
xdotool mousemove --window "$window" $(( E2E_PAGE_X + 456 )) $(( E2E_PAGE_Y + 46 + 187 ))
screenshot macro_recorded

e2e_finish
