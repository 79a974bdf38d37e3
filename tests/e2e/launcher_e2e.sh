#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end, as at log-on: the launcher on the simulated keyboard, with the builds beside it,
# in a real X server. It starts the US build for a US keyboard; a UK keyboard plugged in
# (SIGUSR2 on the simulated side) replaces it with the UK build within 1.5 s; a second
# launcher replaces the first and leaves the right build alone; "/kill" leaves no launcher.
# A stale debug.txt goes from the launcher's folder only.
#
# Usage: launcher_e2e.sh <launcher> (US/Tarvenix and UK/Tarvenix beside it)
set -uo pipefail

# The launcher takes any of this user's running builds for its own. In a PID namespace of our
# own, where the machine allows one, it sees only this test's.
if [ -z "${E2E_PRIVATE_PIDS:-}" ] && unshare --fork --pid --mount-proc true 2>/dev/null; then
    E2E_PRIVATE_PIDS=1 exec unshare --fork --pid --mount-proc "$0" "$@"
fi

source "$(dirname "$0")/lib.sh"
e2e_setup
launcher=$(realpath "$1")
folder=$(dirname "$launcher")
export QT_LOGGING_RULES="$QT_LOGGING_RULES;tarvenix.launcher.debug=true"
export TARVENIX_SIM_RELEASE=0x3300
settings="$HOME/.config/Norvane/Norvane Keyboard 4200/config.ini"

build_pid() {   # build_pid <US|UK>: the running build's process id, empty when none runs
    pgrep -x -f "$folder/$1/Tarvenix" | head -1
}

wait_for_build() {   # wait_for_build <US|UK> [seconds, 10]: sets $build to its pid
    local tries=$(( ${2:-10} * 20 ))
    for _ in $(seq "$tries"); do
        build=$(build_pid "$1")
        [ -n "$build" ] && { pids+=("$build"); return 0; }
        sleep 0.05
    done
    return 1
}

stored_layout_is() { wait_for_line "$settings" "KB_Lang=$1" 5; }

touch "$folder/debug.txt" "$work/debug.txt"
cd "$work"

# --- start ---------------------------------------------------------------------------------
start "$launcher" "$work/launcher-1.log"; first=$started; pids+=("$first")
check "the launcher starts the US build for a US keyboard" wait_for_build US
us=$build
check "its window appears" test -n "$(window_of "$us")"
check "KB_Lang is 1" stored_layout_is 1
check "debug.txt is deleted in the launcher's folder" test ! -e "$folder/debug.txt"
check "but not in the working directory" test -e "$work/debug.txt"

# --- a UK keyboard is plugged in -------------------------------------------------------------
plugged=$(date +%s%N)
kill -USR2 "$first"
check "a UK keyboard plugged in starts the UK build" wait_for_build UK 5
elapsed=$(( ($(date +%s%N) - plugged) / 1000000 ))
uk=$build
check "within 1.5 s (took $elapsed ms)" test "$elapsed" -le 1500
check "the US build has gone" test -z "$(build_pid US)"
check "the UK build's window appears" test -n "$(window_of "$uk")"
check "KB_Lang is 2" stored_layout_is 2
check "the UK build simulates the same keyboard" \
    grep -qxF TARVENIX_SIM_RELEASE=0x3200 <(tr '\0' '\n' <"/proc/$uk/environ")

# --- one launcher at a time ------------------------------------------------------------------
export TARVENIX_SIM_RELEASE=0x3200   # the keyboard now attached
start "$launcher" "$work/launcher-2.log"; second=$started; pids+=("$second")
check "a second launcher ends the first" exits_with "$first" 10 0
sleep 1.5
check "and leaves the right build running" test "$(build_pid UK)" = "$uk"
check "without starting another" test -z "$(build_pid US)"

"$launcher" /kill
check "/kill ends the launcher" exits_with "$second" 10 0
check "and leaves none" test -z "$(pgrep -x -f "$launcher")"
check "the application outlives it" test "$(build_pid UK)" = "$uk"

e2e_finish
