# Shared by the shell tests, which CTest runs on a virtual X server of their
# own (xvfb-run): a scratch directory removed at exit with the process in
# $pid, and failing with a message. A poll gives up as soon as the viewer in
# $pid has ended, and a failure then says so, with its status: a crash is
# reported as a crash, not as whatever was missing next.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xdrive.sh"
work="$(mktemp -d)" pid=""
SNAP="$work/window.xwd"
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT  # the viewer may have ended
fail() {
    local status=0
    echo "FAIL: $*"
    if ended; then
        wait "$pid" 2>/dev/null || status=$?
        # 127: waited for already
        [ "$status" = 127 ] || echo "The viewer had ended with status $status (above 128: killed)."
    fi
    tail -n 40 "$work/out" "$work/err" 2>/dev/null || true
    exit 1
}
# step CHECK MESSAGE ACTION...: the action, then a poll for the check, or a failure saying MESSAGE.
step() {
    "${@:3}"
    poll "$1" || fail "$2"
}
