#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The settings panel on the US build, clicked as a user does at its layout's places: the
# language list switches the whole interface to 日本語 (photographed), to Deutsch and back to
# English; Apply stores the language in the user's configuration and closes the panel. The
# panel is photographed open in English and in Japanese.
#
# Usage: settings_e2e.sh <US executable>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup

# Panel coordinates: the panel's top-left corner is at 5, 27 in the window.
click_panel() { click_window $(( 5 + $1 )) $(( 27 + $2 )); }
# choose_language <row> <code>: opens the language list (head at y 121; rows 20 pixels high,
# one overlapping, from y 145) and clicks the row; true once that language's strings loaded.
choose_language() {
    click_panel 200 132
    sleep 0.8
    e2e_click_and_wait $(( 5 + 200 )) $(( 27 + 145 + $1 * 19 + 10 )) "tarvenix.scene: language $2" || return 1
    sleep 0.8   # the list's closing slide
}
# Apply, under the TEXT box's right end; true once the panel has closed.
apply() {
    e2e_click_and_wait $(( 5 + 280 )) $(( 27 + 384 )) "tarvenix.scene: settings closed" || return 1
    e2e_page=none
    sleep 0.8
}
stored_language() {   # the language index in the user's configuration
    sed -n 's/^4=//p' "$(find "$HOME" -path '*/modules/setting/apConfig.bin' | head -1)"
}
away() { xdotool mousemove --window "$window" 990 590; }

start_app "$1"
check "the window appears" test -n "$window"
check "the first start loads English" wait_for_line "$app_log" "tarvenix.scene: language 031225"
wait_for_entry

check "the settings panel opens" open_page SETTINGS
away; screenshot settings_english

check "日本語 is chosen in the language list" choose_language 7 059108
away; screenshot settings_japanese
check "Deutsch is chosen in the language list" choose_language 3 042082
away; screenshot settings_german
check "Apply closes the panel" apply
check "Apply stored Deutsch" test "$(stored_language)" = 3

check "the settings panel opens again" open_page SETTINGS
check "English is chosen in the language list" choose_language 0 031225
check "Apply closes the panel" apply
check "Apply stored English" test "$(stored_language)" = 0

e2e_finish
