# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the end-to-end tests: the built application in an X server of its own, on the
# simulated keyboard, driven with xdotool. Source it from a bash test, then call e2e_setup.
#
# Writing an end-to-end test (see lib_smoke.sh for a whole one)
#
#   #!/usr/bin/env bash
#   set -uo pipefail
#   source "$(dirname "$0")/lib.sh"
#   e2e_setup                                   # display, private HOME and XDG folders, trap
#   start_app "$1"                              # sets app (pid), app_log and window
#   check "the window appears" test -n "$window"
#   wait_for_entry                              # the start-up animation
#   open_page COLOR                             # KEY, MACRO, COLOR or SETTINGS, by clicking
#   click_page 20 30; drag_page 10 10 200 100   # at the page's own coordinates
#   check "the mode reached the keyboard" wait_record "feature 00 08 00 06"
#   check "stored on the keyboard" test "$(sim_field profile0.ledType)" = 000603040001
#   screenshot color_ripple                     # $E2E_SCREENSHOTS/color_ripple.png: look at it
#   e2e_finish                                  # prints the counts; fails if a check failed
#
# Add it to tests/e2e/CMakeLists.txt like the others (label e2e, RUN_SERIAL).
#
# The keyboard: TARVENIX_DEVICE=simulated; its state file is $SIM_STATE (format: the header
# of sim/SimulatedKeyboardStateText.h; written after every command it carried out) and every
# report it receives is a line of $SIM_RECORD ("feature 00 08 ...", "output 00 ...", hex).
# Coordinates: the window is 1000 x 600; the page area's top-left corner is at 171, 96.

E2E_TITLE="Norvane KALVOR Keyboard 4200"
E2E_PAGE_X=171
E2E_PAGE_Y=96

# --- counting -----------------------------------------------------------------------------

passes=0
failures=0

check() {   # check <description> <command...>: PASS or FAIL, counted
    local what=$1; shift
    if "$@"; then
        passes=$((passes + 1)); echo "PASS: $what"
    else
        failures=$((failures + 1)); echo "FAIL: $what"
    fi
}

e2e_finish() {   # the counts; true when nothing failed (make it the script's last command)
    echo "$passes passed, $failures failed"
    [ $failures -eq 0 ]
}

# --- the machine --------------------------------------------------------------------------

pids=()

e2e_cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}

# A work folder ($work) with a private HOME and XDG folders, an X server of our own as
# DISPLAY, the simulated keyboard with its state file and record, and the scene's and the
# shell's debug lines on (the page and key lines the helpers wait for). Everything it starts
# ends, and $work goes, when the script exits.
e2e_setup() {
    work=$(mktemp -d)
    trap e2e_cleanup EXIT

    local n
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
    SIM_STATE=$XDG_RUNTIME_DIR/tarvenix/simulated-keyboard.state
    export TARVENIX_SIM_RECORD=$work/sim-record
    SIM_RECORD=$TARVENIX_SIM_RECORD
    E2E_SCREENSHOTS=${E2E_SCREENSHOTS:-$PWD/e2e-screenshots}
    mkdir -p "$E2E_SCREENSHOTS"
}

# --- programs -----------------------------------------------------------------------------

start() {   # start <executable> <log>: starts it as a child of this shell; its pid in $started
    "$1" >"$2" 2>&1 &
    started=$!
}

window_of() {   # window_of <pid>: the visible top-level window with our title
    timeout 60 xdotool search --sync --all --onlyvisible --pid "$1" --name "^$E2E_TITLE\$" 2>/dev/null | head -1
}

# start_app <executable>: the application, ended at exit; sets app (its pid), app_log and
# window (empty when no window appeared within a minute).
start_app() {
    app_log=$work/app-$(( ${#pids[@]} )).log
    start "$1" "$app_log"; app=$started; pids+=("$app")
    window=$(window_of "$app")
    e2e_page=none
}

# start_quiet_app <executable>: start_app without logging rules, as a user runs it; what it
# writes goes to $app_log all the same.
start_quiet_app() {
    local rules=$QT_LOGGING_RULES
    unset QT_LOGGING_RULES
    start_app "$1"
    export QT_LOGGING_RULES=$rules
}

# The start-up animation and the menus' entry: the scene logs nothing when they end.
wait_for_entry() { sleep 6; }

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

# --- logs and records ---------------------------------------------------------------------

log_has() {   # log_has <file> <count> <line>: the whole line occurs exactly count times
    [ "$(grep -cxF -- "$3" "$1")" -eq "$2" ]
}

wait_for_line() {   # wait_for_line <file> <line> [seconds, 10]: the whole line appears
    local tries=$(( ${3:-10} * 10 ))
    for _ in $(seq "$tries"); do grep -qxF -- "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
    return 1
}

# no_typing_written <log>: the log holds no key usage, key change or pointer position (else
# prints the first such lines).
no_typing_written() {
    local leaks
    leaks=$(grep -inE 'usage|[0-9]+ *, *[0-9]+|key (down|up)|button [0-9]' "$1")
    [ -z "$leaks" ] && return 0
    printf '  %s\n' "$leaks" | head -5
    return 1
}

# wait_record <start> [seconds, 10]: a line of the keyboard's record begins with <start>,
# e.g. "feature 00 08 00 06" (a frame without its checksum) or "output 00 ff".
wait_record() {
    local tries=$(( ${2:-10} * 10 ))
    for _ in $(seq "$tries"); do
        awk -v start="$1" 'index($0, start) == 1 { found = 1; exit } END { exit !found }' "$SIM_RECORD" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# sim_field <name>: the value of a field of the keyboard's state file, e.g. keyboardMode,
# profile0.keyMatrix; empty while the keyboard has carried out no command.
sim_field() {
    sed -n "s/^$1=//p" "$SIM_STATE" 2>/dev/null
}

# sim_bytes <name> <offset> <count>: bytes of a hex field, e.g. the four of key position 4
# of the key matrix: sim_bytes profile0.keyMatrix 16 4 -> "00 00 05 00".
sim_bytes() {
    local value
    value=$(sim_field "$1")
    echo "${value:$(( 2 * $2 )):$(( 2 * $3 ))}" | sed 's/../& /g; s/ $//'
}

# --- the user -----------------------------------------------------------------------------
# These act on $window. Window coordinates: 0..999, 0..599; page coordinates start at the
# page area's top-left corner.

click_window() {   # click_window <x> <y> [button, 1 left, 3 right]
    xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"
}

drag_window() {   # drag_window <x1> <y1> <x2> <y2>: press, move in steps, release
    local steps=8 i
    xdotool mousemove --window "$window" "$1" "$2" mousedown 1
    for i in $(seq $steps); do
        xdotool mousemove --window "$window" $(( $1 + ($3 - $1) * i / steps )) $(( $2 + ($4 - $2) * i / steps ))
        sleep 0.02
    done
    xdotool mouseup 1
}

click_page() { click_window $(( E2E_PAGE_X + $1 )) $(( E2E_PAGE_Y + $2 )) "${3:-1}"; }
drag_page() { drag_window $(( E2E_PAGE_X + $1 )) $(( E2E_PAGE_Y + $2 )) $(( E2E_PAGE_X + $3 )) $(( E2E_PAGE_Y + $4 )); }

type_text() {   # type_text <text>: typed into the window, which gets the focus first
    xdotool windowfocus --sync "$window" type --delay 50 -- "$1"
}

press_keys() {   # press_keys <key...>: X key names, e.g. Return, ctrl+c
    xdotool key --delay 50 "$@"
}

# open_page KEY|MACRO|COLOR|SETTINGS: clicks the function menu's entry or the settings
# button, as a user does, and returns once the page has slid in. A page already shown stays;
# a function page closes the settings panel first. False when the scene did not show it.
open_page() {
    local x=83 y page
    case $1 in
        KEY) y=198; page=0 ;;
        MACRO) y=248; page=1 ;;
        COLOR) y=298; page=2 ;;
        SETTINGS)
            [ "$e2e_page" = SETTINGS ] && return 0
            e2e_click_and_wait 19 13 "tarvenix.scene: settings open" || return 1
            e2e_page=SETTINGS; sleep 0.8; return 0 ;;
        *) echo "  (no page $1)"; return 1 ;;
    esac
    if [ "$e2e_page" = SETTINGS ]; then
        e2e_click_and_wait 19 13 "tarvenix.scene: settings closed" || return 1
        sleep 0.8
    fi
    [ "$e2e_page" = "$1" ] && return 0
    e2e_click_and_wait $x $y "tarvenix.scene: page $page" || return 1
    e2e_page=$1
    sleep 0.6
}

# Clicks at window coordinates and waits until the application's log has one line more that
# is <line>.
e2e_click_and_wait() {
    local before
    before=$(grep -cxF -- "$3" "$app_log")
    click_window "$1" "$2"
    for _ in $(seq 100); do
        [ "$(grep -cxF -- "$3" "$app_log")" -gt "$before" ] && return 0
        sleep 0.1
    done
    return 1
}

screenshot() {   # screenshot <name>: the window as $E2E_SCREENSHOTS/<name>.png; prints the path
    local png=$E2E_SCREENSHOTS/$1.png
    sleep 0.3   # the last frame drawn
    import -window "$window" "$png" && echo "  screenshot: $png"
}
