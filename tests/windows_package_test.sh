#!/usr/bin/env bash
# The Windows zip as scripts/package --windows --check builds and checks it
# (twice, the same bytes; its files, line ends, vantor.exe's imports and
# resources), unzipped as a Windows user unzips it, into UNZIPPED. Its
# launcher, started the way a double-click starts it (cmd /c, here under
# Wine) from another folder, closes with the viewer after Q, and keeps its
# console open with the message when a texture is broken, until a key is
# pressed. The end-to-end session then runs the unzipped vantor.exe.
# Usage: windows_package_test.sh PROJECT_DIR UNZIPPED
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/harness.sh"
zip="$("$1/scripts/package" --windows --check | tail -n 1)" || fail "scripts/package failed"
rm -rf "$2"
unzip -q -d "$2" "$zip"
cd "$2/$(basename "$zip" .zip)"
mkfifo "$work/keys"
launcher="$(winepath -w "$PWD/dancing-noodlet.cmd")"
launch() {  # the launcher from another folder, its console's keys from $work/keys
    (cd "$work" && exec wine cmd /c "$launcher" <keys >out 2>err) &
    pid=$!
    exec 7>"$work/keys"  # (closing the last launch's)
}
shows() { grep -q -F "$1" "$work/out"; }
launch
window="$(find_window 30)" || fail "no window from the launcher"
quit() { xdotool mousemove --window "$window" 300 300 click 1 key q; }  # a click makes it active
step ended "the launcher did not end after Q" quit
wait "$pid" || fail "the launcher ended with status $? after Q"
shows "press H in the viewer's window for its help screen" || fail "it said $(cat "$work/out")"
! shows "Press any key" || fail "it waited for a key after Q"
grass="${TEXTURES[1]}"
printf BM >"$grass"  # left so: the session that follows makes textures of its own
launch
poll shows "The viewer stopped with status 1. Press any key to close this window." ||
    fail "the console did not wait: $(cat "$work/out")"
shows "Planes from $grass is not 1: 65279" || fail "no message in the console: $(cat "$work/out")"
sleep 1
! ended || fail "the console closed without a key"
echo >&7
status=0
wait "$pid" || status=$?
[ "$status" = 1 ] || fail "the launcher ended with status $status after the failure"
