#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The key definition page end to end, on the US build and the simulated keyboard: gaming mode
# is checked by clicking its box, the key A is selected, the key B is dragged onto the key box
# and Apply sends the key matrix; the keyboard's own state file then holds B's code at the
# firmware position of A. Photographs the page with the remapped key and the kind menu open.
#
# Usage: keydefine_e2e.sh <US executable>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup

# Page coordinates: the gaming-mode box, the centres of the keys A and B (the keyboard model
# is at 23, 97), the key box, Apply, the kind menu's head.
gaming=(62 312)
key_a=(87 212)
key_b=(227 243)
key_esc=(37 111)
key_box=(343 26)
apply=(605 29)
kind_menu=(215 26)

# The firmware position of the scene's key A (position 8), from the shipped key map.
keymap=$(dirname "$1")/modules/setting/keymap.bin
firmware_a=$(awk -F= '/^\[/ { section = $0 } section == "[sw_fw]" && $1 == "8" { print $2 }' "$keymap")

start_app "$1"
check "the window appears" test -n "$window"
wait_for_entry
check "KEY opens" open_page KEY

click_page "${gaming[@]}"
check "checking GAMING MODE sends mode 1" wait_record "feature 00 09 01"

click_page "${key_a[@]}"
drag_page "${key_b[@]}" "${key_box[@]}"
click_page "${apply[@]}"
check "Apply sends the key matrix" wait_record "feature 00 0d 00 00 08"
for _ in $(seq 50); do
    [ "$(sim_bytes profile0.keyMatrix $(( 4 * firmware_a )) 4)" = "00 00 05 00" ] && break
    sleep 0.1
done
check "the keyboard holds B at A's firmware position $firmware_a" \
    test "$(sim_bytes profile0.keyMatrix $(( 4 * firmware_a )) 4)" = "00 00 05 00"
check "Esc keeps its code" test "$(sim_bytes profile0.keyMatrix \
    $(( 4 * $(awk -F= '/^\[/ { s = $0 } s == "[sw_fw]" && $1 == "5" { print $2 }' "$keymap") )) 4)" = "00 00 29 00"

# A remapped key that is not selected shows its label in the highlight colour and its frame
# at half opacity.
click_page "${key_esc[@]}"
click_page "${kind_menu[@]}"
xdotool mousemove --window "$window" 950 580
screenshot keydefine_remapped

e2e_finish
