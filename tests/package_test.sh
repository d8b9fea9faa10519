#!/usr/bin/env bash
# The Debian package as scripts/package --check builds it (twice, the same
# bytes): its files, control fields, desktop entry and metainfo, and what
# lintian says of it (the manual page too). Unpacked, its desktop entry,
# started the way a desktop starts it (dex, under a window manager, in a
# terminal, from an unrelated directory), shows the help screen in that
# terminal at 'h', and keeps the terminal open with the message when a
# texture is broken, until Enter.
# Usage: package_test.sh PROJECT_DIR VERSION
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/harness.sh"
deb="$("$1/scripts/package" --check | tail -n 1)" || fail "no package, or two builds differ"
files="$(dpkg-deb -c "$deb")"
for entry in "rwxr-xr-x .* ./usr/bin/vantor" "rwxr-xr-x .* ./usr/bin/dancing-noodlet" share/dancing-noodlet/sky.bmp \
    share/dancing-noodlet/grass.bmp share/dancing-noodlet/smileycol.bmp applications/dancing-noodlet.desktop \
    icons/hicolor/scalable/apps/dancing-noodlet.svg man1/vantor.1.gz "man1/dancing-noodlet.1.gz -> vantor.1.gz" \
    doc/dancing-noodlet/copyright doc/dancing-noodlet/changelog.gz metainfo/org.example.dancing_noodlet.metainfo.xml; do
    grep -q -e "$entry\$" <<<"$files" || fail "missing from the package: $entry"
done
fields="$(dpkg-deb -f "$deb" Package Version Section Depends | tr '\n' ' ')"
[[ "$fields" =~ ^Package:\ dancing-noodlet\ Version:\ $2\ Section:\ graphics\ Depends:\ .*libglu1.*libglut ]] || fail "control fields: $fields"
root="$work/root"
dpkg-deb -x "$deb" "$root"
entry="$root/usr/share/applications/dancing-noodlet.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
# The project has no homepage, and none is made up: AppStream 1.0's warning
# that it is missing is the one finding let through (0.16 does not look).
report="$(appstreamcli validate-tree --pedantic --no-net --no-color "$root" 2>&1)" || true
findings="$(grep "^ *[EW]: " <<<"$report" | grep -v ": url-homepage-missing$")" || true
[ -z "$findings" ] && grep -q "metainfo.xml$" <<<"$report" || fail "metainfo: $report"
lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian: $(lintian "$deb" 2>&1)"  # the manual page too

openbox >/dev/null 2>&1 &
export PATH="$root/usr/bin:$PATH"
terminals() { xdotool search --onlyvisible --class xterm 2>/dev/null || true; }
launch() {  # the desktop entry, as a desktop runs it: in x-terminal-emulator
    dex "$entry" &
    poll eval 'terminal="$(terminals | head -n 1)" && [ -n "$terminal" ]' || fail "no terminal opened"
}
shown() {  # shown TEXT: the terminal shows a line with TEXT (all of it selected with the mouse)
    xdotool windowactivate --sync "$terminal" && eval "$(xdotool getwindowgeometry --shell "$terminal")"
    xdotool mousemove --window "$terminal" 1 1 mousedown 1 mousemove --window "$terminal" $((WIDTH - 2)) \
        $((HEIGHT - 2)) mouseup 1
    xclip -o -selection primary 2>/dev/null | grep -q -F "$1"
}
launch
window="$(find_window 30)" || fail "no viewer window from the desktop entry"
xdotool windowactivate --sync "$window" key h 2>/dev/null
poll shown "None: Turn off animations." || fail "the help screen did not appear in the terminal"
xdotool windowactivate --sync "$window" key q 2>/dev/null
poll eval '[ -z "$(terminals)" ]' || fail "the terminal stayed open after Q"
printf 'BM' >"$root/usr/share/dancing-noodlet/grass.bmp"
launch
poll shown "Planes from grass.bmp is not 1: 65279" || fail "the texture's message did not appear in the terminal"
shown "Press Enter to close this window." || fail "the terminal does not wait after the failure"
xdotool windowactivate --sync "$terminal" key Return
poll eval '[ -z "$(terminals)" ]' || fail "Enter did not close the terminal"
