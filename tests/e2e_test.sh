#!/usr/bin/env bash
# The real vantor on a virtual X server of its own, driven by real input
# (xdotool) and read back from the screen, its output and its exit status.
# Every wait polls a condition with a bound. Usage: e2e_test.sh VANTOR HELP_SCREEN
#
# VANTOR may be the Windows build, vantor.exe, which runs under Wine. There
# the same session meets Windows' ways: the window's frame, not its inside,
# is put at (100, 100), and Wine, told that no window manager runs, draws the
# frame itself, so the inside lies a border right of that point and a title
# bar and more below it ((108, 146) in Wine 8, (108, 160) in 10); freeglut's
# menus have other entry heights and colours; keys go to the active window,
# which a click makes it; text output has CR LF line ends; and freeglut says
# on standard error that Wine gives it no device context for the screen's
# size, which it does not use.
set -eu
vantor="$1" help="$2"
source "$(dirname "$(readlink -f "$0")")/harness.sh"
run=("$vantor") eol='' noise='^$' inside='X == 100 && Y == 100'
if [[ "$vantor" == *.exe ]]; then
    run=(env WINEDEBUG=-all wine "$vantor") eol='\r' noise="fgPlatformInitialize: CreateDC failed|bad '-display' parameter"
    inside='X > 100 && X <= 110 && Y - 100 > 3 * (X - 100) && Y <= 170'
    export MENU_ENTRY=16 MENU_HIGHLIGHT=732626
fi
plain_bmp() {  # plain_bmp FILE BLUE GREEN RED: 4 x 4 pixels of one colour
    { printf 'BMf\0\0\0\0\0\0\0006\0\0\0(\0\0\0\4\0\0\0\4\0\0\0\1\0\30\0' && head -c 24 /dev/zero &&
        for _ in $(seq 16); do printf "\\x$2\\x$3\\x$4"; done; } >"$1"
}
# Rows 150 to 399 of the window (the figure and the ground, not the spinning
# marker).
area() { xwd -silent -id "$window" | tail -c $((450 * 2400)) | head -c $((250 * 2400)) | md5sum; }
moved() { [ "$(area)" != "$start" ]; }
back() { [ "$(area)" = "$start" ]; }
still() {  # back at the start picture, and staying there for six polls
    local n=0
    for _ in $(seq 300); do back && n=$((n + 1)) || n=0; [ "$n" -ge 6 ] && return 0 || sleep 0.05; done; false
}
# The root menu and a submenu: 3 and 4 entries inside a border of 2 pixels.
menus() { [ "$MENU_HEIGHTS" = "$((3 * MENU_ENTRY + 4)) $((4 * MENU_ENTRY + 4))" ] || fail "menus of $MENU_HEIGHTS pixels"; }


cd "$work"
printf "trying to load %s$eol\n" sky.bmp grass.bmp smileycol.bmp >loaded  # in the platform's line ends
sed "s/\$/$eol/" "$help" >help_screen
plain_bmp sky.bmp ff 00 ff && plain_bmp grass.bmp 00 c8 00 && plain_bmp smileycol.bmp ff 40 20
mkfifo pipe  # standard output on a pipe
cat pipe >out & reader=$!
"${run[@]}" >pipe 2>err & pid=$!
window="$(find_window 15)" || fail "no 600 x 600 window with an empty title"
eval "$(xdotool getwindowgeometry --shell "$window")"
((inside)) || fail "the window's inside is at $X,$Y"
poll eval '[ "$(pixel "$window" 5 5)" = ff00ff ] && [ "$(pixel "$window" 5 350)" != ff00ff ] && [ "$(pixel "$window" 300 250)" != ff00ff ]' ||
    fail "no sky, ground and figure"
xdotool mousemove --window "$window" 5 5 click 1  # makes it the active window for keys
start="$(area)"
export MENU_X=300 MENU_Y=300
choose 1 0; menus; poll moved || fail "Waving did not move the figure"  # Animations, Waving
choose 1 3; still || fail "None did not stop the wave where it began"
choose 0 1; menus; drag 300 300 400 300  # Transformations, Camera Scale: no change in orthogonal view
choose 0 0; drag 300 300 400 300; poll moved || fail "a Camera Rotate drag did not turn the camera"
key r h; poll back || fail "R did not reset the camera"
poll eval 'cmp -s <(cat loaded help_screen) out' || fail "the help screen did not come at 'h'"
xdotool mousemove --window "$window" 300 300 mousedown 1 click 3 mouseup 1
key V H; poll moved || fail "V after a right click during a drag"
[ -z "$(visible_menus)" ] || fail "a right click during a drag opened the menu"
choose 2  # Exit
wait "$pid" || fail "Exit gave status $?"
wait "$reader"
cmp <(cat loaded help_screen help_screen) out && ! grep -v -E "$noise" err || fail "unexpected output"
