#!/usr/bin/env bash
# The Debian package as scripts/package --check builds it: twice, the same
# bytes, and clean to lintian, the desktop entry's validator and AppStream's.
# Unpacked, its desktop entry,
# started the way a desktop starts it (dex, under a window manager, in a
# terminal, from an unrelated directory), shows the help screen in that
# terminal at 'h', and keeps the terminal open with the message when a
# texture is broken, until Enter.
# Usage: package_test.sh PROJECT_DIR PACKAGE_DIR (where it is built)
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/harness.sh"
deb="$("$1/scripts/package" --check --into "$2" | tail -n 1)" || fail "scripts/package --check failed"
root="$work/root"
dpkg-deb -x "$deb" "$root"
entry="$root/usr/share/applications/dancing-noodlet.desktop"

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
