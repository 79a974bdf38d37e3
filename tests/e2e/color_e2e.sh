#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The lighting page end to end, on the US build and the simulated keyboard: paint a user picture
# with the mouse and apply it; choose EFFECTS / RIPPLE, apply it and see frame 08H with effect
# 06 reach the keyboard; press keys and see the preview react. Screenshots: color_painted,
# color_ripple.
#
# Usage: color_e2e.sh <US executable>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup

# Page coordinates: the two lists' heads, their rows, the swatches, Apply.
group_x=200; entry_x=371; head_y=26
row_y() { echo $(( 49 + 22 * $1 )); }
choose() {   # choose <list x> <row>
    click_page "$1" $head_y; sleep 0.3
    click_page "$1" "$(row_y "$2")"; sleep 0.3
}
apply() { click_page 340 414; }
# The keyboard model's area in window coordinates, for comparing screenshots.
model_area=738x250+172+164
changed_pixels() {   # changed_pixels <a.png> <b.png>: pixels of the model area that differ
    compare -metric AE -fuzz 5% -extract "$model_area" "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

start_app "$1"
check "the window appears" test -n "$window"
wait_for_entry
check "COLOR opens" open_page COLOR

# --- a painted picture --------------------------------------------------------------------
choose $group_x 0                       # PAINTING
choose $entry_x 1                       # USER DEFINE 2
click_page 149 356                      # swatch 0, level 255
drag_page 22 100 260 180                # the number and letter rows, left half
click_page 212 356                      # swatch 3, level 128
drag_page 300 160 600 230               # the bottom rows, right of the middle
click_page 170 356                      # swatch 1, level 213
drag_page 560 95 700 240                # the keypad
screenshot color_painted
apply
check "the picture reaches the keyboard first" wait_record "feature 00 12 00 01 08 00"
check "then the mode, effect 0x34" wait_record "feature 00 08 00 34"
check "the keyboard stores the painted picture" test "$(sim_bytes profile0.picture1 0 4 | wc -w)" = 4

# --- a running ripple ---------------------------------------------------------------------
choose $group_x 1                       # EFFECTS
choose $entry_x 4                       # RIPPLE
apply
check "frame 08H with effect 06 reaches the keyboard" wait_record "feature 00 08 00 06 06 31 00 01"
check "the keyboard keeps the ripple" test "$(sim_field profile0.ledType)" = 000606310001
sleep 1
screenshot color_dark
# Three circles of different sizes.
for key in a j KP_5; do press_keys $key; sleep 0.12; done
screenshot color_ripple
pixels=$(changed_pixels "$E2E_SCREENSHOTS/color_dark.png" "$E2E_SCREENSHOTS/color_ripple.png")
check "key presses light the preview ($pixels pixels changed)" test "${pixels:-0}" -gt 500

e2e_finish
