# Driving vantor on an X server with xdotool, as a person would, and reading
# its window back. Source it, with DISPLAY set and SNAP naming a file for the
# pixels read; then find_window, and the actions. freeglut draws its menus in
# each system's own way: entries MENU_ENTRY pixels apart, the highlighted one
# in MENU_HIGHLIGHT (blue, green, red). The defaults are X's; freeglut for
# Windows (under Wine) has 16 and 732626.
MENU_ENTRY="${MENU_ENTRY:-25}" MENU_HIGHLIGHT="${MENU_HIGHLIGHT:-ffffff}"
SIZE=600                                    # the window's width and height
# what vantor reads from its working directory
TEXTURES=(sky.bmp grass.bmp smileycol.bmp)

# A caller that has its own way to fail defines fail again.
fail() {
    echo "$*" >&2
    exit 1
}

# poll CHECK...: until CHECK holds, up to POLLS times 50 ms apart (300: 15 s),
# giving up as soon as the program in $pid (if any) has ended.
ended() { [ -n "${pid:-}" ] && ! kill -0 "$pid" 2>/dev/null; }
poll() {
    for _ in $(seq "${POLLS:-300}"); do
        "$@" && return 0
        ended && return 1
        sleep 0.05
    done
    return 1
}

# geometry WINDOW: sets X, Y, WIDTH and HEIGHT to the window's.
geometry() {
    X=0 Y=0 WIDTH=0 HEIGHT=0  # for a window gone
    eval "$(xdotool getwindowgeometry --shell "$1")"
}

# find_window [SECONDS]: prints the id of vantor's window once it is shown
# (within SECONDS, 30 by default): the visible top-level window with an empty
# title and SIZE x SIZE pixels (the root window has an empty title too).
shown_window() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        geometry "$candidate"
        [ "$WIDTH,$HEIGHT" = "$SIZE,$SIZE" ] && echo "$candidate" && return 0
    done
    return 1
}
find_window() { POLLS=$((${1:-30} * 20)) poll shown_window; }

# snap WINDOW: reads the window's pixels into SNAP; a window that cannot be
# read ends the script. rows FROM TO: its rows FROM to TO - 1, 4 bytes a pixel
# (blue, green, red, unused). pixel X Y: one pixel of it, 6 hex digits.
snap() {
    geometry "$1"
    xwd -silent -id "$1" -out "$SNAP" || fail "cannot read window $1"
    SNAP_WIDTH="$WIDTH" SNAP_HEIGHT="$HEIGHT"
}
# from_end BYTES COUNT: COUNT bytes of SNAP, from BYTES before its end
from_end() {
    local skip=$(($(stat -c %s "$SNAP") - $1))
    dd if="$SNAP" iflag=skip_bytes,count_bytes status=none skip="$skip" count="$2"
}
rows() { from_end $(((SNAP_HEIGHT - $1) * SNAP_WIDTH * 4)) $((($2 - $1) * SNAP_WIDTH * 4)); }
pixel() { from_end $((((SNAP_HEIGHT - $2) * SNAP_WIDTH - $1) * 4)) 3 | od -An -tx1 | tr -d ' \n'; }
# figure_pixels: how many of SNAP's pixels are the figure's yellow: more the nearer it is.
figure_pixels() {
    rows 0 "$SNAP_HEIGHT" | od -An -v -tu1 -w4 |
        awk '$3 > 180 && $2 > 120 && $1 < 100 { n++ } END { print n + 0 }'
}

# changed: whether the picture in $window differs from the one seen last (the
# marker spins, so every tick draws a new one). frames N: waits for N new ones.
changed() {
    local now
    snap "$window"
    now="$(md5sum <"$SNAP")"
    [ "$now" != "${LAST_PICTURE:-}" ] || return 1
    LAST_PICTURE="$now"
}
frames() {
    for _ in $(seq "$1"); do
        poll changed || fail "the picture stopped changing"
    done
}

key() { xdotool mousemove --window "$window" "${KEY_X:-20}" "${KEY_Y:-20}" key "$@"; }
# drag X0 Y0 X1 Y1: a left drag in window coordinates
drag() {
    xdotool mousemove --window "$window" "$1" "$2" mousedown 1 \
        mousemove --window "$window" $((($1 + $3) / 2)) $((($2 + $4) / 2)) \
        mousemove --window "$window" "$3" "$4" mouseup 1
}

visible_menus() { xdotool search --onlyvisible --name 'freeglut menu' 2>/dev/null || true; }
# wait_for_menus -n: until a menu is open; -z: until none is (up to 30 s)
wait_for_menus() {
    for _ in $(seq 600); do
        [ "$1" "$(visible_menus)" ] && return 0
        sleep 0.05
    done
    return 1
}
# entry_centre MENU_WINDOW INDEX: the screen's x and y of that entry
entry_centre() {
    geometry "$1"
    echo "$((X + WIDTH / 2)) $((Y + 2 + MENU_ENTRY * $2 + MENU_ENTRY / 2))"
}
# highlighted MENU_WINDOW INDEX: the entry shows freeglut's highlight.
highlighted() {
    snap "$1"
    [ "$(pixel 3 $((5 + MENU_ENTRY * $2)))" = "$MENU_HIGHLIGHT" ]
}
# point_at MENU_WINDOW INDEX: moves onto an entry until the menu shows it
# highlighted, that is until freeglut has seen the pointer there. freeglut
# redraws a menu only when its highlight changes, and the first drawing of a
# menu that has just opened comes out blank: when the pointer enters it
# while the program is still busy, that blank drawing is the only one. So
# when the highlight does not show, the pointer visits a neighbouring entry
# and comes back, which makes freeglut draw the menu again.
point_at() {
    local neighbour=$(($2 > 0 ? $2 - 1 : 1))
    for _ in $(seq 6); do
        xdotool mousemove $(entry_centre "$1" "$2")
        POLLS=200 poll highlighted "$1" "$2" && return 0
        xdotool mousemove $(entry_centre "$1" "$neighbour")
        sleep 0.2
    done
    return 1
}
# submenu ROOT_WINDOW INDEX: the submenu that a root entry opens, when it is
# open: freeglut puts it at the root's right edge, level with the entry.
submenu() {
    local menu at
    geometry "$1"
    at="$((X + WIDTH)),$((Y + MENU_ENTRY * $2))"
    for menu in $(visible_menus); do
        geometry "$menu"
        [ "$X,$Y" = "$at" ] && echo "$menu" && return 0
    done
    return 1
}
# choose ROOT_ENTRY [SUB_ENTRY]: a menu choice with real clicks (entries from
# 0), from the root menu, which the right button must open (3 entries inside
# a border of 2 pixels).
choose() {
    local root sub
    xdotool mousemove --window "$window" "${MENU_X:-20}" "${MENU_Y:-20}" click 3
    wait_for_menus -n || fail "choose $*: no menu opened"
    root="$(visible_menus | sed -n 1p)"
    geometry "$root"
    [ "$HEIGHT" = $((3 * MENU_ENTRY + 4)) ] ||
        fail "choose $*: the right button opened a menu $HEIGHT pixels high, not the root menu"
    point_at "$root" "$1" || fail "choose $*: entry $1 not highlighted"
    if [ $# -ge 2 ]; then
        sub="$(POLLS=600 poll submenu "$root" "$1")" || fail "choose $*: no submenu"
        point_at "$sub" "$2" || fail "choose $*: submenu entry $2 not highlighted"
    fi
    xdotool click 1
    wait_for_menus -z || fail "choose $*: the menu stayed open"
}
