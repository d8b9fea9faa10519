# Shared by the shell tests (source it): a scratch directory removed at exit
# with the processes in $pid and $xvfb_pid, a virtual X server of its own,
# polling with a bound, and failing with a message. A poll gives up as soon
# as the viewer in $pid has ended, and a failure then says so, with its
# status: a crash is reported as a crash, not as whatever was missing next.
# POLLS sets the bound: tries 50 ms apart (300, 15 s, by default).
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xdrive.sh"
work="$(mktemp -d)" xvfb_pid="" pid=""
trap 'kill $pid $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT
ended() { [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; }
fail() {
    local why="$*" status
    if ended && { wait "$pid" 2>/dev/null && status=0 || status=$?; ((status != 127)); }; then  # 127: waited for already
        why+="; the viewer had ended with status $status$( ((status > 128)) && echo ", killed by signal $((status - 128))")"
    fi
    echo "FAIL: $why"
    tail -n 40 "$work/out" "$work/err" 2>/dev/null
    exit 1
}
poll() { for _ in $(seq "${POLLS:-300}"); do "$@" && return 0; ended && return 1; sleep 0.05; done; return 1; }
start_xvfb || fail "no X server"
