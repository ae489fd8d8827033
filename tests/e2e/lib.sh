# Shared steps of the end-to-end tests: the real program in a real terminal
# (tmux, 80 x 25, TERM=tmux-256color) on a private tmux server that is
# removed when the test ends, however it ends.
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_start "$binary" "$catalogue"      # the program, in that folder
#   e2e_type musica; e2e_keys Enter
#   e2e_wait_for "Ricerca completata"
#   e2e_expect_row 5 " Ricerca completata: ..."
#   e2e_keys Escape; e2e_expect_exit 0    # and the terminal given back
set -uo pipefail
export LC_ALL=C.UTF-8

E2E_WORK=$(mktemp -d /tmp/ombrev-e2e-XXXXXX)
# The servers' sockets live in the work folder, which goes with the test.
E2E_RUNS=0
E2E_SOCKET="$E2E_WORK/tmux-0"
E2E_STATUS="$E2E_WORK/status"

e2e_cleanup() {
    local run
    for ((run = 1; run <= E2E_RUNS; run++)); do tmux -S "$E2E_WORK/tmux-$run" kill-server 2>/dev/null; done
    chmod -R u+rwx "$E2E_WORK" 2>/dev/null
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    echo "--- screen ---" >&2
    e2e_screen >&2
    exit 1
}

# Starts the program in the folder. After it ends, the pane prints its exit
# status and whether the terminal is back in its usual mode, then waits.
e2e_start() {
    local binary=$1 folder=$2
    # Each run gets a server of its own: a server being killed cannot take
    # the next run's session with it.
    tmux -S "$E2E_SOCKET" kill-server 2>/dev/null
    E2E_RUNS=$((E2E_RUNS + 1))
    E2E_SOCKET="$E2E_WORK/tmux-$E2E_RUNS"
    rm -f "$E2E_STATUS"
    tmux -S "$E2E_SOCKET" -f /dev/null new-session -d -s main -x 80 -y 25 \
        "trap true INT; cd '$folder' && env TERM=tmux-256color LANG=C.UTF-8 '$binary'; echo \$? > '$E2E_STATUS';
         echo EXIT=\$(cat '$E2E_STATUS'); stty -a | tr ' ;' '\n\n' | grep -x -E -e '-?(icanon|echo)' | tr '\n' ' '; echo; echo ENDED; sleep 60"
    tmux -S "$E2E_SOCKET" set-option -t main status off >/dev/null
    e2e_wait_for "Ombrev Finder v2.0" 10
}

# The process id of the program running in the pane.
e2e_program_pid() {
    pgrep -P "$(tmux -S "$E2E_SOCKET" display-message -p -t main '#{pane_pid}')" | head -n 1
}

# Gives the terminal another size (columns, rows).
e2e_resize() { tmux -S "$E2E_SOCKET" resize-window -t main -x "$1" -y "$2"; }

e2e_keys() { tmux -S "$E2E_SOCKET" send-keys -t main "$@"; }
e2e_type() { tmux -S "$E2E_SOCKET" send-keys -t main -l "$1"; }

# A control-mode client, opened once after e2e_start, that carries tmux
# commands without a tmux process per command, so that keys reach the program
# at once (for timed steps):  e2e_control_open; e2e_control send-keys -t main Enter
e2e_control_open() {
    local fifo="$E2E_WORK/control-$E2E_RUNS"
    mkfifo "$fifo" || e2e_fail "cannot make $fifo"
    tmux -S "$E2E_SOCKET" -C attach-session -f no-output -t main <"$fifo" >/dev/null 2>&1 &
    exec {E2E_CONTROL}>"$fifo"
}
e2e_control() { echo "$*" >&"$E2E_CONTROL"; }
e2e_screen() { tmux -S "$E2E_SOCKET" capture-pane -p -t main 2>/dev/null; }
e2e_row() { e2e_screen | sed -n "${1}p"; }

# Waits until the screen shows the text (default 10 seconds).
e2e_wait_for() {
    local text=$1 seconds=${2:-10} i
    for ((i = 0; i < seconds * 20; i++)); do
        e2e_screen | grep -q -F -- "$text" && return 0
        sleep 0.05
    done
    e2e_fail "the screen never showed: $text"
}

# Checks that row N (1-based) reads exactly the text, trailing blanks aside.
e2e_expect_row() {
    local n=$1 want=$2 got
    got=$(e2e_row "$n" | sed 's/[[:space:]]*$//')
    want=$(printf '%s' "$want" | sed 's/[[:space:]]*$//')
    [ "$got" = "$want" ] || e2e_fail "row $n: expected [$want], got [$got]"
}

# Checks that the text stands at 1-based (column, row).
e2e_expect_at() {
    local column=$1 n=$2 want=$3 line
    line=$(e2e_row "$n")
    [ "${line:column-1:${#want}}" = "$want" ] ||
        e2e_fail "at ($column, $n): expected [$want], got [${line:column-1:${#want}}]"
}

# Waits for the program to end, checks its exit status and that the
# terminal is back in its usual mode (echo and line editing on).
e2e_expect_exit() {
    local want=$1 i
    for ((i = 0; i < 200; i++)); do
        [ -s "$E2E_STATUS" ] && break
        sleep 0.05
    done
    [ -s "$E2E_STATUS" ] || e2e_fail "the program did not end"
    local got
    got=$(cat "$E2E_STATUS")
    [ "$got" = "$want" ] || e2e_fail "exit status: expected $want, got $got"
    e2e_wait_for "ENDED" 5
    e2e_screen | grep -q "EXIT=$want" || e2e_fail "no EXIT=$want on the screen"
    e2e_screen | grep -q -x -E 'icanon echo *' ||
        e2e_fail "the terminal was not given back in its usual mode"
    e2e_screen | grep -q "Ombrev Finder v2.0" && e2e_fail "the program's screen stayed on the terminal"
    return 0
}

# Makes a catalogue folder under the test's work folder and echoes its path.
e2e_catalogue() {
    local folder="$E2E_WORK/${1:-catalogue}"
    mkdir -p "$folder"
    echo "$folder"
}

# Writes a code page 850 file with CR LF line ends from UTF-8 text lines.
e2e_write_cp850() {
    local path=$1
    shift
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP850 > "$path"
}
