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
folder="$(basename "$zip" .zip)"
listing="$(cd "$2" && find . | LC_ALL=C sort | tr '\n' ' ')"
[ "$listing" = ". ./$folder ./$folder/LICENSE.txt ./$folder/README.txt ./$folder/dancing-noodlet.cmd ./$folder/grass.bmp ./$folder/sky.bmp ./$folder/smileycol.bmp ./$folder/vantor.exe " ] ||
    fail "the zip holds $listing"
cd "$2/$folder"
for text in LICENSE.txt README.txt dancing-noodlet.cmd; do  # every line ends in CR LF
    [ -s "$text" ] && [ -z "$(tail -c 2 "$text" | tr -d '\r\n')" ] && ! grep -q -v $'\r$' "$text" ||
        fail "$text has lines without Windows line ends"
done
grep -q "Permission is hereby granted" LICENSE.txt || fail "LICENSE.txt is not the licence"
imports="$(x86_64-w64-mingw32-objdump -p vantor.exe | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | LC_ALL=C sort | tr '\n' ' ')"
[ "$imports" = "ADVAPI32.DLL GDI32.DLL GLU32.DLL KERNEL32.DLL MSVCRT.DLL OPENGL32.DLL USER32.DLL WINMM.DLL " ] ||
    fail "vantor.exe imports $imports"
wrestool -x --type=group_icon --name=GLUT_ICON vantor.exe -o "$work/icon.ico" &&
    [ "$(icotool -l "$work/icon.ico" | grep -c -- '--bit-depth=32')" = 5 ] || fail "vantor.exe has no icon of 5 sizes"
version="$(wrestool -x --raw --type=version vantor.exe | tr -d '\0')"
for field in "FileDescriptionDancing Noodlet" "ProductNameDancing Noodlet" FileVersion1.0 \
    OriginalFilenamevantor.exe "LegalCopyrightCopyright 2026 The Dancing Noodlet developers"; do
    grep -q -a -F "$field" <<<"$version" || fail "vantor.exe's version information lacks $field"
done

launcher="$(winepath -w "$PWD/dancing-noodlet.cmd")"
mkfifo "$work/keys"
launch() {  # the launcher from another folder, its console's keys from $work/keys
    (cd "$work" && exec wine cmd /c "$launcher" <keys >out 2>err) & pid=$!
    exec 7>"$work/keys"
}
shows() { grep -q -F "$1" "$work/out"; }
launch
window="$(find_window 30)" || fail "no window from the launcher"
key_window() { xdotool mousemove --window "$window" 300 300 click 1 key "$1"; }
key_window q
poll eval '! kill -0 $pid 2>/dev/null' || fail "the launcher stayed after Q"
wait "$pid" || fail "the launcher ended with status $? after Q"
exec 7>&-
shows "press H in the viewer's window for its help screen" && ! shows "Press any key" ||
    fail "the launcher's console said: $(cat "$work/out")"
cp grass.bmp "$work/grass.bmp" && printf BM >grass.bmp
launch
poll shows "Planes from grass.bmp is not 1: 65279" || fail "the texture's message did not appear in the console"
poll shows "The viewer stopped with status 1. Press any key to close this window." ||
    fail "the console does not wait after the failure"
sleep 1 && kill -0 "$pid" 2>/dev/null || fail "the console closed without a key"
echo >&7
status=0 && wait "$pid" || status=$?
exec 7>&-
cp "$work/grass.bmp" grass.bmp
[ "$status" = 1 ] || fail "the launcher ended with status $status after the failure"
echo "$(basename "$zip"): built twice the same; its files as expected; its launcher closes after Q and waits after an error"
