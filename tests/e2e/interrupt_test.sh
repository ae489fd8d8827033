#!/usr/bin/env bash
# Ctrl+C, SIGTERM and SIGHUP end the program and give the terminal back as
# it was; the private temporary folder goes with it.
source "$(dirname "$0")/lib.sh"
binary=$1
catalogue=$(e2e_catalogue)
e2e_write_cp850 "$catalogue/a.txt" "." "|   uno.txt"
export TMPDIR="$E2E_WORK/tmp"
mkdir -p "$TMPDIR"

check_ended_by() {
    local how=$1
    e2e_start "$binary" "$catalogue"
    [ -n "$(ls "$TMPDIR")" ] || e2e_fail "no private temporary folder while running"
    e2e_type "un"
    if [ "$how" = C-c ]; then
        e2e_keys C-c
    else
        pkill "-$how" -f "^$binary\$" || e2e_fail "no program to send $how to"
    fi
    e2e_wait_for "ENDED" 5
    e2e_screen | grep -q -x -E 'icanon echo *' || e2e_fail "terminal not restored after $how"
    e2e_screen | grep -q "Ombrev Finder v2.0" && e2e_fail "the program's screen stayed after $how"
    [ -z "$(ls "$TMPDIR")" ] || e2e_fail "temporary folder left behind after $how: $(ls "$TMPDIR")"
}

check_ended_by C-c
check_ended_by TERM
check_ended_by HUP
echo "interrupt_test: ok"
