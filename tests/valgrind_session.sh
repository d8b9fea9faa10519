#!/usr/bin/env bash
# A real session under valgrind's memcheck: vantor on a virtual X server of
# its own, driven through each animation's whole cycles, drags in every
# mode, every command key, the menu, resizes, and 'Q'. Passes when memcheck
# reports no invalid access, no use of uninitialised values and nothing
# definitely lost. Usage: valgrind_session.sh BUILD_DIR PROJECT_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
project="$(cd "$2" && pwd)"
source "$project/scripts/xdrive.sh"
work="$(mktemp -d)"
xvfb_pid="" vantor_pid=""
trap 'kill $vantor_pid $xvfb_pid 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $* (DISPLAY=${DISPLAY:-})"
    echo "--- the program's output:"; cat "$work/out" 2>/dev/null
    echo "--- valgrind:"; tail -n 40 "$work/valgrind.log" 2>/dev/null
    exit 1
}

start_xvfb || fail "no X server"
cp "$build"/sky.bmp "$build"/grass.bmp "$build"/smileycol.bmp "$work"
cd "$work"
# One rendering thread: valgrind runs threads one at a time anyway.
LP_NUM_THREADS=0 valgrind --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite --keep-debuginfo=yes \
    --suppressions="$project/tests/valgrind.supp" \
    --log-file="$work/valgrind.log" "$build/vantor" >"$work/out" 2>&1 &
vantor_pid=$!
window="$(find_window 120)" || fail "no window"
# A small window keeps software rendering under valgrind near a frame a second.
xdotool windowsize "$window" 160 160
export KEY_X=80 KEY_Y=80 MENU_X=20 MENU_Y=20

# Waits until the picture has changed N times: every tick draws a new frame
# (the marker sphere turns), so this lets at least N - 1 ticks pass.
frames() {
    local last="" now count=0
    for _ in $(seq 1200); do
        now="$(xwd -silent -id "$window" | md5sum)"
        [ "$now" != "$last" ] && count=$((count + 1)) && last="$now"
        [ "$count" -gt "$1" ] && return 0
        sleep 0.1
    done
    fail "the picture stopped changing"
}

for animation in 1 0 2; do   # Dancing (20 ticks), Waving (20), Arm Wave (30)
    choose 1 "$animation"
    frames 34
done
choose 1 3                   # None
frames 32
choose 0 0; drag 80 80 120 40    # Camera Rotate
choose 0 1; drag 80 80 100 40    # Camera Scale
key v; drag 80 80 60 120; key v
choose 0 2; key 8 2 4 6 9 3      # Spotlight Position
choose 0 3; key 8 2 4 6 9 3      # Spotlight Direction
key plus minus h H r R v V x 1 0
frames 2
xdotool mousemove --window "$window" 80 80 click 3        # open the menu ...
wait_for_menus 1
xdotool mousemove --window "$window" 5 150 click 1        # ... and close it beside it
wait_for_no_menu
xdotool windowsize "$window" 200 100; frames 1
xdotool windowsize "$window" 1 1   # a one-pixel picture need not change: the next resize shows it lives
xdotool windowsize "$window" 120 240; frames 1
key Q
status=0
wait "$vantor_pid" || status=$?
vantor_pid=""
grep -q "ERROR SUMMARY: 0 errors" "$work/valgrind.log" || fail "memcheck reported errors"
[ "$status" -eq 0 ] || fail "exit status $status"
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|still reachable" "$work/valgrind.log" | sed 's/^==[0-9]*== *//'
