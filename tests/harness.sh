# Shared by the shell tests (source it): a scratch directory removed at exit
# with the processes in $pid and $xvfb_pid, a virtual X server of its own,
# polling with a bound, and failing with a message.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xdrive.sh"
work="$(mktemp -d)" xvfb_pid="" pid=""
trap 'kill $pid $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; tail -n 40 "$work/out" "$work/err" "$work/valgrind.log" 2>/dev/null; exit 1; }
poll() { for _ in $(seq 300); do "$@" && return 0; sleep 0.05; done; return 1; }
start_xvfb || fail "no X server"
