#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the installed launcher
# from an unrelated directory on a virtual X server of its own, and quits it
# with 'Q'. Usage: install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'kill $xvfb_pid $launcher_pid 2>/dev/null; rm -rf "$work"' EXIT
xvfb_pid="" launcher_pid=""

fail() { echo "FAIL: $*"; cat "$work/out" "$work/err" 2>/dev/null; exit 1; }
# Polls a command for up to 10 seconds.
poll() { for _ in $(seq 200); do "$@" && return 0; sleep 0.05; done; return 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/vantor bin/dancing-noodlet share/dancing-noodlet/sky.bmp \
         share/dancing-noodlet/grass.bmp share/dancing-noodlet/smileycol.bmp \
         share/applications/dancing-noodlet.desktop \
         share/icons/hicolor/scalable/apps/dancing-noodlet.svg; do
    [ -e "$work/prefix/$f" ] || fail "not installed: $f"
done

source "$(dirname "$(readlink -f "$0")")/../scripts/xdrive.sh"
start_xvfb || fail "Xvfb did not start"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
"$work/prefix/bin/dancing-noodlet" >"$work/out" 2>"$work/err" &
launcher_pid=$!
window_shown() { xdotool search --onlyvisible --name '^$' >/dev/null 2>&1 && [ "$(wc -l <"$work/out")" -eq 3 ]; }
poll window_shown || fail "the viewer did not start"
window="$(xdotool search --onlyvisible --name '^$' | tail -n1)"
sleep 0.2
xdotool mousemove 400 400 key Q
status=0
poll sh -c "! kill -0 $launcher_pid 2>/dev/null" || fail "Q did not end the viewer"
wait "$launcher_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(cat "$work/out")" = "$(printf 'trying to load sky.bmp\ntrying to load grass.bmp\ntrying to load smileycol.bmp')" ] ||
    fail "unexpected output"
echo "installed viewer started from $(pwd) and quit with status 0 (window $window)"
