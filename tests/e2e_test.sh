#!/usr/bin/env bash
# The real vantor on a virtual X server of its own, driven by real input
# (xdotool) and read back from the screen, its output and its exit status.
# Every wait polls a condition with a bound. Usage: e2e_test.sh HELP_SCREEN
# PROGRAM...: PROGRAM is vantor, or a command that starts it.
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
set -euo pipefail
here="$(dirname "$(readlink -f "$0")")"
source "$here/harness.sh"
help="$1" run=("${@:2}") eol='' noise='^$' placed=at_100
at_100() { [ "$X,$Y" = 100,100 ]; }
below_wines_title_bar() { ((X > 100 && X <= 110 && Y - 100 > 3 * (X - 100) && Y <= 170)); }
if [[ "${*: -1}" == *.exe ]]; then
    run=(env WINEDEBUG=-all wine "${@:2}") eol=$'\r' placed=below_wines_title_bar
    noise="fgPlatformInitialize: CreateDC failed|bad '-display' parameter"
    export MENU_ENTRY=16 MENU_HIGHLIGHT=732626
fi
# Rows 150 to 399 of the window: the figure and the ground, not the spinning marker.
moved() {
    snap "$window"
    [ "$(rows 150 400 | md5sum)" != "$start" ]
}
back() { ! moved; }
still() {  # back at the start, for six polls in a row
    if back; then held=$((held + 1)); else held=0; fi
    [ "$held" -ge 6 ]
}
settle() {  # settle MESSAGE ACTION...: the action, then the picture still, back at the start
    held=0
    step still "$@"
}
nearer() {
    snap "$window"
    [ "$(figure_pixels)" -gt $((far * 2)) ]
}
# Each part drawn with its own texture, or none. The textures are plain
# (tests/textures: sky magenta, grass green, face 2040ff; 4, 5 and 6 pixels
# wide, so that their rows of 12, 15 and 18 bytes show how OpenGL takes
# rows that are not a multiple of 4 bytes), and lit parts modulate them with a red
# that saturates (the figure's ambient red 0.34 under the scene light's
# ambient 5), so the red channel alone tells which texture is on a part: at
# the ground, the face, the body and the right arm (untextured), and the
# marker (grey). Pixels are blue, green, red.
parts() { pixel 5 5; pixel 300 349; pixel 300 204; pixel 300 249; pixel 330 229; pixel 300 99; }
drawn() {
    snap "$window"
    [[ "$(parts)" =~ ^ff00ff....00....20....ff....ff([89a-f].){3}$ ]]
}
said() { cmp -s <(cat loaded help_screen) out; }

cd "$work"
printf "trying to load %s$eol\n" "${TEXTURES[@]}" >loaded  # in the platform's line ends
sed "s/\$/$eol/" "$help" >help_screen
cp "${TEXTURES[@]/#/$here/textures/}" .
mkfifo pipe  # standard output on a pipe
cat pipe >out &
reader=$!
"${run[@]}" >pipe 2>err &
pid=$!
window="$(find_window $((${POLLS:-300} / 20)))" || fail "no window of $SIZE x $SIZE without a title"
geometry "$window"
"$placed" || fail "the window's inside is at $X,$Y"
poll drawn || fail "not each part with its own texture: $(parts)"
xdotool mousemove --window "$window" 5 5 click 1  # makes it the active window for keys
start="$(rows 150 400 | md5sum)"
export MENU_X=300 MENU_Y=300
# The menu's entries by number, from 0: Transformations (Camera Rotate, Camera
# Scale, Spotlight Position, Spotlight Direction), Animations (Waving,
# Dancing, Arm Wave, None), Exit. After a choice from a submenu and left
# drags, the right button must open the root menu again: choose checks that.
step moved "Waving did not move the figure" choose 1 0
settle "None did not stop the wave where it began" choose 1 3
settle "the picture did not come back after the menu" choose 0 1
drag 300 300 200 350  # 1.5 farther
step moved "V did not change the projection" key v
far="$(figure_pixels)"
step nearer "a Camera Scale drag up and right did not bring the figure nearer" drag 300 300 500 200
step back "R and V did not bring back the start-up view" key r v
settle "the picture did not come back after the menu" choose 0 0
step moved "a Camera Rotate drag did not turn the camera" drag 300 300 400 300
step back "R did not reset the camera" key r
xdotool key Num_Lock  # the keypad's digits, as a user presses them
settle "the picture did not come back after the menu" choose 0 2
step moved "KP_8 did not move the spotlight (Spotlight Position)" key --repeat 20 --delay 10 KP_8
step back "R did not put the spotlight back" key r
step said "the help screen did not come at 'h'" key h
xdotool mousemove --window "$window" 300 300 mousedown 1 click 3 mouseup 1
step moved "after a right click during a drag, V did not change the projection" key V H
[ -z "$(visible_menus)" ] || fail "a right click during a drag opened the menu"
choose 2  # Exit
wait "$pid" || fail "Exit gave status $?"
wait "$reader"
cmp <(cat loaded help_screen help_screen) out || fail "unexpected output"
! grep -v -E "$noise" err || fail "unexpected messages"
