#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvenix-cli through its executable, on the simulated keyboard: every command's main path,
# refused values that send nothing, the dump/apply and backup/restore round trips, an unplug in
# the middle of a restore, a keyboard that drops the key matrix, a broken installation, and the
# lock shared with the application.
#
# Usage: cli_commands.sh <tarvenix-cli> <US application> <source tree>
set -u
cli=$1 app=$2 source=$3
profiles=$source/modules-US/setting

passes=0
failures=0
check() {   # check <description> <command...>
    local what=$1; shift
    if "$@"; then passes=$((passes + 1)); echo "PASS: $what"
    else failures=$((failures + 1)); echo "FAIL: $what"; fi
}

work=$(mktemp -d)
app_pid=
trap '[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; rm -rf "$work"' EXIT
unset TARVENIX_DEVICE TARVENIX_SIM_STATE TARVENIX_SIM_RELEASE TARVENIX_SIM_FAULTS TARVENIX_INSTALLATION

fresh() {   # a fresh user and simulated keyboard
    rm -rf "$work/run" "$work/home"
    mkdir -p "$work/run" "$work/home" && chmod 700 "$work/run"
    export XDG_RUNTIME_DIR=$work/run HOME=$work/home XDG_DATA_HOME= XDG_CONFIG_HOME=
    state=$XDG_RUNTIME_DIR/tarvenix/simulated-keyboard.state
}

# run <expected exit code> <arguments...>: runs the simulated keyboard's command, keeps its
# output in $out and $err; true when it exited with the expected code within 30 s.
run() {
    local expected=$1; shift
    timeout 30 "$cli" --device simulated "$@" >"$work/out" 2>"$work/err"
    code=$?
    out=$(cat "$work/out") err=$(cat "$work/err")
    [ "$code" = "$expected" ] || { echo "  exit $code, expected $expected: $*"; echo "  stderr: $err"; return 1; }
}
one_line_error() { [ "$(wc -l <"$work/err")" = 1 ] && grep -q -e "$1" "$work/err"; }

# --- list, get and set ------------------------------------------------------------------------
fresh
check "list shows the simulated keyboard" run 0 list
check "  with its layout and firmware" grep -qP '^sim:\d+:command\tUS\t1\.0A$' "$work/out"
check "list --json" run 0 list --json
check "  is one JSON array" grep -q '^\[{"firmware":"1.0A","layout":"US","path":"sim:[0-9]*:command","release":13056}\]$' "$work/out"

# setting | values set | get's selector | what get prints
while IFS='|' read -r name values selector printed; do
    check "set $name $values" run 0 set $name $values
    check "  get $name $selector prints $printed" eval 'run 0 get $name $selector && [ "$out" = "$printed" ]'
done <<'ROWS'
report-rate|3||3
current-profile|4||4
keyboard-options|1 2 3 255||1 2 3 255
button-sensitivity|9 8 7 6||9 8 7 6
lighting|rotation 0x0b 49 2||rotation 11 49 2
lighting|6 1 0 0||ripple 1 0 0
keyboard-mode|on||on
colour|3 255 0 16|3|3 255 0 16
ROWS
check "indicator-light is written" run 0 set indicator-light 2 5
check "  and the keyboard holds it" grep -qx 'indicatorLight=0205' "$state"
check "get --json names the fields" eval 'run 0 get lighting --json && [ "$out" = '"'"'{"direction":0,"effect":"ripple","light":0,"setting":"lighting","speed":1}'"'"' ]'

# --- refusals: nothing reaches the keyboard ---------------------------------------------------
export TARVENIX_SIM_RECORD=$work/record
rm -f "$work/record"
while IFS='|' read -r code arguments message; do
    check "refused: $arguments (exit $code)" eval "run $code $arguments && one_line_error '$message'"
done <<'ROWS'
3|set lighting ripple 12 49 0|speed must be 1..11
3|set lighting sparkle 1 0 0|no lighting effect "sparkle"
3|set current-profile 0|profile must be 1..10
3|set keyboard-mode maybe|gaming is on or off
3|set colour 256 0 0 0|index must be 0..255
3|set report-rate 1 2|report-rate takes 1 value
3|get colour x|index must be 0..255
3|macro send Hello 35|slot must be 0..34
3|apply nothing.pf --profile 11|--profile takes a profile 1..10
2|set volume 3|no setting volume
2|frobnicate|unknown command frobnicate
2|get indicator-light|cannot be read
4|apply nothing.pf|nothing.pf: no such file
4|restore nothing.ini|nothing.ini: no such file
ROWS
check "  and no report was sent for any of them" test ! -s "$work/record"
unset TARVENIX_SIM_RECORD

# --- dump and apply ---------------------------------------------------------------------------
fresh
check "apply a shipped profile" eval 'run 0 apply "$profiles/p1.bin" && [ "$out" = "profile 1 written and verified" ]'
check "dump it" run 0 dump "$work/p1.pf"
strip() { grep -v '^\[' "$1" | grep -v '^$' | sort; }
check "  the dump holds what was applied" cmp -s <(strip "$profiles/p1.bin") <(strip "$work/p1.pf")
check "apply the dump to profile 3" run 0 apply "$work/p1.pf" --profile 3
check "  the current profile stays current" eval 'run 0 get current-profile && [ "$out" = 1 ]'
run 0 set current-profile 3
check "  profile 3 dumps the same file" eval 'run 0 dump "$work/p3.pf" && cmp -s "$work/p1.pf" "$work/p3.pf"'
check "dump to standard output is the same file" eval 'run 0 dump && [ "$out" = "$(cat "$work/p3.pf")" ]'
check "dump --json" eval 'run 0 dump --json && grep -q "^{\"keyMatrix\":\[0,0,224,0," "$work/out"'
check "a profile without keydefine/5 is a bad file" eval \
    'grep -v "^5=" "$work/p1.pf" >"$work/bad.pf"; run 4 apply "$work/bad.pf" && one_line_error "keydefine/5 is missing"'

# --- macros -----------------------------------------------------------------------------------
check "macro send Hello 7" run 0 macro send Hello 7
check "  slot 7 holds the encoded macro" grep -q '^macro7=0001' "$state"
check "an unknown macro is a bad file" eval 'run 4 macro send Nothing 7 && one_line_error "no macro \"Nothing\""'

# --- backup and restore -----------------------------------------------------------------------
fresh
for p in 1 2 3 4 5 6 7 8 9 10; do
    run 0 apply "$profiles/p$p.bin" --profile $p --no-verify
done
run 0 set current-profile 4
check "backup" eval 'run 0 backup "$work/backup.ini" && [ "$out" = "10 profiles saved; profile 4 is current" ]'
check "  switches back to the profile that was current" eval 'run 0 get current-profile && [ "$out" = 4 ]'
run 0 apply "$profiles/pD.bin" --profile 1
run 0 apply "$profiles/p1.bin" --profile 9
run 0 set lighting marquee 1 7 0
run 0 set current-profile 8
check "restore" eval 'run 0 restore "$work/backup.ini" && [ "$out" = "10 profiles restored; profile 4 is current" ]'
check "  brings every profile back" eval 'run 0 backup "$work/again.ini" && cmp -s "$work/backup.ini" "$work/again.ini"'
check "  and the profile that was current is current again" eval 'run 0 get current-profile && [ "$out" = 4 ]'

export TARVENIX_SIM_FAULTS=write:unplug:100
start=$SECONDS
check "unplugged during restore: exit 7" run 7 restore "$work/backup.ini"
check "  says which profiles were written" one_line_error 'restore stopped at profile 3: the keyboard did not answer (sending the key matrix); profiles written: 1, 2'
check "  and does not hang" test $((SECONDS - start)) -lt 10
unset TARVENIX_SIM_FAULTS

fresh
export TARVENIX_SIM_FAULTS=discard:0d
check "a keyboard that drops the key matrix fails the verification" run 8 apply "$profiles/p1.bin"
check "  with the profile and the first differing byte" one_line_error 'verification failed: profile 1, key matrix: byte 2 reads 0x00 instead of 0xe0'
check "  unless verification is off" run 0 apply "$profiles/p1.bin" --no-verify
check "  restore is caught the same way" eval 'run 8 restore "$work/backup.ini" && one_line_error "profile 1, key matrix"'
unset TARVENIX_SIM_FAULTS

# --- the installation and the keyboard ---------------------------------------------------------
fresh
mkdir -p "$work/installation"
cp -r "$(dirname "$cli")/US" "$work/installation/US"
rm "$(find "$work/installation/US/modules/img" -type f | head -1)"
check "a changed image tree shuts the gate: exit 10" eval 'TARVENIX_INSTALLATION=$work/installation run 10 list && one_line_error "image tree .* is missing or changed"'
check "no installation at all: exit 10" eval 'TARVENIX_INSTALLATION=$work/nowhere run 10 get lighting && one_line_error "no US installation of Tarvenix found"'
check "no keyboard: exit 5" eval 'timeout 30 "$cli" get lighting 2>"$work/err"; [ $? = 5 ] && one_line_error "no keyboard found"'

# --- one program at a time --------------------------------------------------------------------
fresh
QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software PHONON_GST_AUDIOSINK=fake TARVENIX_DEVICE=simulated \
    "$app" >"$work/app.log" 2>&1 &
app_pid=$!
held=false
for _ in $(seq 100); do
    "$cli" --device simulated get report-rate >/dev/null 2>&1
    [ $? = 9 ] && { held=true; break; }
    sleep 0.1
done
check "the application holds the keyboard" $held
check "  the command-line tool says so and exits 9" eval 'run 9 get report-rate && one_line_error "another program (the Tarvenix application?) is using the keyboard"'
timeout 30 "$cli" --device simulated --wait=20 set report-rate 7 >"$work/waited" 2>&1 &
waiting=$!
sleep 1
kill -TERM "$app_pid"; wait "$app_pid"; app_pid=
wait "$waiting"
check "  --wait goes on once the application has ended" test $? = 0
check "  and its write is there" eval 'run 0 get report-rate && [ "$out" = 7 ]'

# --- the documentation ------------------------------------------------------------------------
help_codes=$("$cli" --help | sed -n '/^Exit codes:/,/^$/p' | awk '$1 ~ /^[0-9]+$/ {print $1}')
man_codes=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH FILES/p' "$source/cli/tarvenix-cli.1" | sed -n 's/^\.B \([0-9]*\)$/\1/p')
check "--help and the man page list the same exit codes" test "$help_codes" = "$man_codes"
check "  and there are ten of them" test "$(echo "$man_codes" | wc -l)" = 10

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
