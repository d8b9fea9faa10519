#!/usr/bin/env bash
# The Windows zip as scripts/package --windows --check builds it (twice, the
# same bytes), unzipped as a Windows user unzips it, into UNZIPPED: its files,
# their line ends, what vantor.exe imports and its resources. Its launcher,
# started the way a double-click starts it (cmd /c, here under Wine) from
# another folder, closes with the viewer after Q, and keeps its console
# open with the message when a texture is broken, until a key is pressed.
# The end-to-end session then runs the unzipped vantor.exe.
# Usage: windows_package_test.sh PROJECT_DIR UNZIPPED
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/harness.sh"
zip="$("$1/scripts/package" --windows --check | tail -n 1)" || fail "no zip, or two builds differ"
rm -rf "$2" && mkdir -p "$2" && (cd "$2" && unzip -q "$zip") || fail "cannot unzip $zip"
folder="$(basename "$zip" .zip)" listing="$(cd "$2" && find . -type f | LC_ALL=C sort | tr '\n' ' ')"
[ "$listing" = "$(printf "./$folder/%s " LICENSE.txt README.txt dancing-noodlet.cmd {grass,sky,smileycol}.bmp vantor.exe)" ] ||
    fail "the zip holds $listing"
cd "$2/$folder"
for text in LICENSE.txt README.txt dancing-noodlet.cmd; do
    [ "$(tail -c 2 "$text" | tr '\r\n' RN)" = RN ] && ! grep -q -v $'\r$' "$text" || fail "$text has lines without CR LF"
done
imports="$(x86_64-w64-mingw32-objdump -p vantor.exe | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | LC_ALL=C sort | tr '\n' ' ')"
[ "$imports" = "ADVAPI32.DLL GDI32.DLL GLU32.DLL KERNEL32.DLL MSVCRT.DLL OPENGL32.DLL USER32.DLL WINMM.DLL " ] ||
    fail "vantor.exe imports $imports"
# The icon, under the name that freeglut gives its windows, and the version information.
[ "$(wrestool -l vantor.exe | grep -c -e "--name='GLUT_ICON' .*type=group_icon" -e "type=version")" = 2 ] ||
    fail "vantor.exe's resources: $(wrestool -l vantor.exe)"

mkfifo "$work/keys" && launcher="$(winepath -w "$PWD/dancing-noodlet.cmd")"
launch() {  # the launcher from another folder, its console's keys from $work/keys
    (cd "$work" && exec wine cmd /c "$launcher" <keys >out 2>err) & pid=$!
    exec 7>"$work/keys"  # (closing the last launch's)
}
shows() { grep -q -F "$1" "$work/out"; }
launch
window="$(find_window 30)" || fail "no window from the launcher"
xdotool mousemove --window "$window" 300 300 click 1 key q
poll eval '! kill -0 $pid 2>/dev/null' && wait "$pid" || fail "the launcher did not end with status 0 after Q"
shows "press H in the viewer's window for its help screen" && ! shows "Press any key" || fail "it said $(cat "$work/out")"
printf BM >grass.bmp  # left so: the session that follows makes textures of its own
launch
poll shows "The viewer stopped with status 1. Press any key to close this window." &&
    shows "Planes from grass.bmp is not 1: 65279" || fail "the console did not show the message and wait: $(cat "$work/out")"
sleep 1 && kill -0 "$pid" 2>/dev/null || fail "the console closed without a key"
echo >&7
status=0 && wait "$pid" || status=$?
[ "$status" = 1 ] || fail "the launcher ended with status $status after the failure"
