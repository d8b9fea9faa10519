#!/usr/bin/env bash
# The real vantor on a virtual X server of its own, driven by real input
# (xdotool) and read back from the screen, its output and its exit status.
# Every wait polls a condition with a bound. Usage: e2e_test.sh HELP_SCREEN
# PROGRAM...: PROGRAM is vantor, or a command that starts it (valgrind ...
# vantor; POLLS then gives the slower program more time).
#
# The program may be the Windows build, vantor.exe, which runs under Wine.
# There the same session meets Windows' ways: the window's frame, not its
# inside, is put at (100, 100), and Wine, told that no window manager runs,
# draws the frame itself, so the inside lies a border right of that point
# and a title bar and more below it ((108, 146) in Wine 8, (108, 160) in
# 10); freeglut's menus have other entry heights and colours; keys go to the
# active window, which a click makes it; text output has CR LF line ends;
# and freeglut says on standard error that Wine gives it no device context
# for the screen's size, which it does not use.
set -eu
help="$1" && shift
source "$(dirname "$(readlink -f "$0")")/harness.sh"
run=("$@") eol='' noise='^$' inside='X == 100 && Y == 100'
if [[ "${*: -1}" == *.exe ]]; then
    run=(env WINEDEBUG=-all wine "$@") eol='\r' noise="fgPlatformInitialize: CreateDC failed|bad '-display' parameter"
    inside='X > 100 && X <= 110 && Y - 100 > 3 * (X - 100) && Y <= 170'
    export MENU_ENTRY=16 MENU_HIGHLIGHT=732626
fi
plain_bmp() {  # plain_bmp FILE WIDTH BLUE GREEN RED: WIDTH x 4 pixels of one colour, rows padded to 4 bytes
    { printf 'BMf\0\0\0\0\0\0\0006\0\0\0(\0\0\0'"\\$(printf %o "$2")"'\0\0\0\4\0\0\0\1\0\30\0' && head -c 24 /dev/zero &&
        for _ in 1 2 3 4; do for _ in $(seq "$2"); do printf "\\x$3\\x$4\\x$5"; done; head -c $(($2 % 4)) /dev/zero; done; } >"$1"
}
shot() { xwd -silent -id "$window" || fail "cannot read the window"; }
# Rows 150 to 399 of the window (the figure and the ground, not the spinning
# marker).
area() { shot | tail -c $((450 * 2400)) | head -c $((250 * 2400)) | md5sum; }
moved() { [ "$(area)" != "$start" ]; }
back() { [ "$(area)" = "$start" ]; }
steady() { local n=0; poll eval "$1"' && n=$((n + 1)) || n=0; [ "$n" -ge 6 ]'; }  # for six polls in a row
# (After a menu choice, the picture is read once it is whole again: the
# menu's window covered part of it.)
# How many of the window's pixels are the figure's yellow: more the nearer it is.
yellow() { shot | tail -c $((600 * 2400)) | od -An -v -tu1 -w4 | awk '$3 > 180 && $2 > 120 && $1 < 100 { n++ } END { print n + 0 }'; }
# Each part drawn with its own texture, or none. The textures are plain (sky
# magenta, grass green, face 2040ff), and lit parts modulate them with a red
# that saturates (the figure's ambient red 0.34 under the scene light's
# ambient 5), so the red channel alone tells which texture is on a part: at
# the sky, the ground, the face, the body and the right arm (untextured), and
# the marker (grey). Pixels are blue, green, red.
red() { pixel "$window" "$1" "$2" | cut -c 5-6; }
drawn() {
    [ "$(pixel "$window" 5 5)" = ff00ff ] && [ "$(red 300 349)$(red 300 204)$(red 300 249)$(red 330 229)" = 0020ffff ] &&
        [[ "$(pixel "$window" 300 99)" =~ ^([89a-f].){3}$ ]]
}

cd "$work"
printf "trying to load %s$eol\n" sky.bmp grass.bmp smileycol.bmp >loaded  # in the platform's line ends
sed "s/\$/$eol/" "$help" >help_screen
plain_bmp sky.bmp 4 ff 00 ff && plain_bmp grass.bmp 5 00 c8 00 && plain_bmp smileycol.bmp 6 ff 40 20  # rows of 12, 15 and 18 bytes
mkfifo pipe  # standard output on a pipe
cat pipe >out & reader=$!
"${run[@]}" >pipe 2>err & pid=$!
window="$(find_window $((${POLLS:-300} / 20)))" || fail "no 600 x 600 window with an empty title"
eval "$(xdotool getwindowgeometry --shell "$window")" && ((inside)) || fail "the window's inside is at $X,$Y"
poll drawn || fail "not each part with its own texture: $(for at in "5 5" "300 349" "300 204" "300 249" "330 229" "300 99"; do pixel "$window" $at; echo -n " "; done)"
xdotool mousemove --window "$window" 5 5 click 1  # makes it the active window for keys
start="$(area)"
export MENU_X=300 MENU_Y=300
choose 1 0; poll moved || fail "Waving did not move the figure"  # Animations, Waving
choose 1 3; steady back || fail "None did not stop the wave where it began"

choose 0 1 && steady back && drag 300 300 200 350  # Transformations, Camera Scale: 1.5 farther
key v && poll moved || fail "V did not change the projection"
far="$(yellow)" && drag 300 300 500 200  # 3 nearer
poll eval '[ "$(yellow)" -gt $((far * 2)) ]' || fail "a Camera Scale drag up and right did not bring the figure nearer"
key r v && poll back || fail "R and V did not bring back the start-up view"
# After a choice from a submenu and left drags, the right button must open the
# root menu again: choose checks that it does.
choose 0 0 && steady back && drag 300 300 400 300; poll moved || fail "a Camera Rotate drag did not turn the camera"
key r; poll back || fail "R did not reset the camera"

xdotool key Num_Lock  # the keypad's digits, as a user presses them
choose 0 2 && steady back && key --repeat 20 --delay 10 KP_8; poll moved || fail "KP_8 did not move the spotlight in Spotlight Position mode"
key r; poll back || fail "R did not put the spotlight back"
choose 0 3 && steady back && key --repeat 20 --delay 10 KP_4; poll moved || fail "KP_4 did not turn the spotlight in Spotlight Direction mode"
key r && poll back || fail "R did not turn the spotlight back"
key plus && poll moved || fail "+ did not brighten the spotlight"
key minus h && poll back || fail "- did not dim the spotlight again"
poll eval 'cmp -s <(cat loaded help_screen) out' || fail "the help screen did not come at 'h'"

xdotool mousemove --window "$window" 300 300 mousedown 1 click 3 mouseup 1
key V H; poll moved && [ -z "$(visible_menus)" ] || fail "after a right click during a drag: no V, or a menu"
choose 2  # Exit
wait "$pid" || fail "Exit gave status $?"
wait "$reader"
cmp <(cat loaded help_screen help_screen) out && ! grep -v -E "$noise" err || fail "unexpected output"
