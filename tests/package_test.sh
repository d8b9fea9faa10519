#!/usr/bin/env bash
# The Debian package as scripts/package --check builds it: twice, the same
# bytes, and clean to lintian, the desktop entry's validator and AppStream's.
# Unpacked, its desktop entry, started the way a desktop starts it (dex, under
# a window manager, in a terminal, from an unrelated directory), shows the
# help screen in that terminal at 'h', and keeps the terminal open with the
# message when a texture is broken, until Enter. Usage: package_test.sh PROJECT_DIR
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/harness.sh"
deb="$("$1/scripts/package" --check | tail -n 1)" || fail "scripts/package --check failed"
root="$work/root"
dpkg-deb -x "$deb" "$root"
openbox >/dev/null 2>&1 &
export PATH="$root/usr/bin:$PATH"
terminal() { xdotool search --onlyvisible --class xterm 2>/dev/null | sed -n 1p; }
no_terminal() { [ -z "$(terminal)" ]; }
press() { xdotool windowactivate --sync "$1" key "$2" 2>/dev/null; }  # press WINDOW KEY
launch() {  # the desktop entry, as a desktop runs it: in x-terminal-emulator
    dex "$root/usr/share/applications/dancing-noodlet.desktop" &
    poll terminal >/dev/null || fail "no terminal opened"
}
shown() {  # shown TEXT: the terminal shows a line with TEXT (all of it selected with the mouse)
    local shell
    shell="$(terminal)"
    xdotool windowactivate --sync "$shell"
    geometry "$shell"
    xdotool mousemove --window "$shell" 1 1 mousedown 1 \
        mousemove --window "$shell" $((WIDTH - 2)) $((HEIGHT - 2)) mouseup 1
    xclip -o -selection primary 2>/dev/null | grep -F "$1" >/dev/null
}
launch
window="$(find_window 30)" || fail "no viewer window from the desktop entry"
press "$window" h
poll shown "None: Turn off animations." || fail "the help screen did not appear in the terminal"
step no_terminal "the terminal stayed open after Q" press "$window" q
grass="${TEXTURES[1]}"
printf BM >"$root/usr/share/dancing-noodlet/$grass"
launch
poll shown "Planes from $grass is not 1: 65279" || fail "the texture's message did not appear"
shown "Press Enter to close this window." || fail "the terminal does not wait after the failure"
step no_terminal "Enter did not close the terminal" press "$(terminal)" Return
