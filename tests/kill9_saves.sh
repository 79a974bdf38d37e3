#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kill -9 during saves: the pages' file writes (profile import, reset and export, lighting
# writes into the profile, macro save, configuration save), driven through the application's
# own services by services_writer, are killed with SIGKILL at random moments. After every kill
# each profile, macro and configuration file, and the exported profile, must hold one of the
# complete contents the writes produce, never a part of one or nothing; and every so often,
# and at the end, the next writes must go on at once and the application must start normally
# on the tree and end cleanly.
#
#   kill9_saves.sh <Tarvenix> <services_writer> [rounds, default 20]
set -uo pipefail

app=$1 writer=$2 rounds=${3:-20}
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME= XDG_CONFIG_HOME= XDG_RUNTIME_DIR=$work/run TARVENIX_DEVICE=simulated
export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software PHONON_GST_AUDIOSINK=fake
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The application starts, is still running 3 s later, and ends with code 0 on SIGTERM.
app_starts() {
    "$app" > "$work/app.log" 2>&1 &
    local pid=$!
    sleep 3
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"; fail "the application ended by itself at start-up ($1), code $?"; cat "$work/app.log"; return
    fi
    kill -TERM "$pid"
    wait "$pid"
    local code=$?
    [ "$code" -eq 0 ] || { fail "the application ended with code $code ($1)"; cat "$work/app.log"; }
}

# The first start makes the per-user copy of the data tree that the application works on.
app_starts "first start"
config=$(find "$HOME" -path '*/modules/setting/apConfig.bin' | head -n 1)
[ -n "$config" ] || { echo "FAIL: no per-user data tree"; exit 1; }
base=${config%/modules/setting/apConfig.bin}
sed 's/^ledType=.*/ledType=13, 1, 42, 0, 3/' "$base/modules/setting/pD.bin" > "$work/a.pf"
sed 's/^ledType=.*/ledType=2, 11, 7, 0, 0/;s/^0=0, 0, 224, 0$/0=0, 0, 4, 0/' "$base/modules/setting/pD.bin" > "$work/b.pf"
"$writer" states "$base" "$work/a.pf" "$work/b.pf" "$work/states" || { echo "FAIL: writer"; exit 1; }

# Every watched file that exists holds one of its states.
files_whole() {
    local state file sum
    for state in "$work"/states/*; do
        file=$(find "$base" -maxdepth 3 -name "$(basename "$state")" -not -path "$work/states/*" | head -n 1)
        [ -n "$file" ] || continue
        sum=$(md5sum < "$file" | cut -d' ' -f1)
        echo "$(basename "$file") $sum" >> "$work/met"
        [ -e "$state/$sum" ] \
            || fail "round $1: $(basename "$file") holds none of its complete contents ($(stat -c %s "$file") bytes)"
    done
}

# The next writes after a kill do not wait: two whole cycles within 10 s (about 0.1 s normally;
# a lock left without an owner would hold each write of its file for 30 s).
writes_go_on() {
    timeout 10 "$writer" states "$base" "$work/a.pf" "$work/b.pf" "$work/again" > /dev/null 2>&1 \
        || fail "after round $1 the writes did not go on within 10 s"
}

for round in $(seq 1 "$rounds"); do
    "$writer" run "$base" "$work/a.pf" "$work/b.pf" > "$work/writer.out" 2>&1 &
    pid=$!
    for _ in $(seq 1 200); do grep -q ready "$work/writer.out" && break; sleep 0.01; done
    sleep "0.$(printf %03d $((RANDOM % 250)))"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    grep '^write ' "$work/writer.out" | tail -n 1 >> "$work/struck"
    files_whole "$round"
    [ $((round % 50)) -ne 0 ] || { writes_go_on "$round"; app_starts "after round $round"; }
done
writes_go_on "$rounds"
app_starts "after the last round"
echo "rounds: $rounds, files checked after each: $(ls "$work/states" | wc -l)," \
     "contents met: $(sort -u "$work/met" | wc -l) of $(find "$work/states" -type f | wc -l)," \
     "leftover temporary files: $(find "$base" -name '*.bin.*' -o -name '*.pf.*' | grep -vc '\.lock$')," \
     "failures: $failures"
echo "writes struck by a kill (index in the cycle: kills):" \
     $(sort "$work/struck" | uniq -c | sort -k3n | awk '{ printf "%s:%s ", $3, $1 }')
[ "$failures" -eq 0 ]
