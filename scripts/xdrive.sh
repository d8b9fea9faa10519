# Driving vantor on an X server with xdotool, as a person would. Source it,
# with DISPLAY set; then start_xvfb (optional), find_window, and the actions.
# freeglut draws its menus in each system's own way: entries MENU_ENTRY
# pixels apart, the highlighted one in MENU_HIGHLIGHT (blue, green, red). The
# defaults are X's; freeglut for Windows (under Wine) has 16 and 732626.
MENU_ENTRY="${MENU_ENTRY:-25}" MENU_HIGHLIGHT="${MENU_HIGHLIGHT:-ffffff}"

# Starts a virtual X server of its own and exports its DISPLAY; the caller
# kills $xvfb_pid. The display number is picked at random from 100 to 999
# rather than the lowest free one: a number just freed by another test's
# server may still be in the middle of its shutdown, which can remove the new
# server's socket. Xvfb reports on fd 3 once it accepts connections.
start_xvfb() {
    local file; file="$(mktemp)"
    for _ in $(seq 10); do
        local number=$((100 + RANDOM % 900))
        [ -e "/tmp/.X$number-lock" ] && continue
        : >"$file"
        Xvfb ":$number" -noreset -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$file" 2>/dev/null &
        xvfb_pid=$!
        for _ in $(seq 200); do
            [ -s "$file" ] && break
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.05
        done
        [ -s "$file" ] && xdpyinfo -display ":$number" >/dev/null 2>&1 && { export DISPLAY=":$number"; rm -f "$file"; return 0; }
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    done
    rm -f "$file"
    echo "could not start Xvfb" >&2
    return 1
}

# Prints the id of vantor's window, once it is shown (up to SECONDS, default
# 30): the visible top-level window with an empty title and 600 x 600 pixels
# (the root window matches the empty title as well).
find_window() {
    for _ in $(seq $((${1:-30} * 10))); do
        for candidate in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$candidate")"
            [ "$WIDTH" = 600 ] && [ "$HEIGHT" = 600 ] && { echo "$candidate"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

key() { xdotool mousemove --window "$window" "${KEY_X:-20}" "${KEY_Y:-20}" key "$@"; }
visible_menus() { xdotool search --onlyvisible --name 'freeglut menu' 2>/dev/null || true; }
wait_for_menus() {  # wait_for_menus -n: until a menu is open; -z: until none is (up to 30 s)
    for _ in $(seq 600); do [ "$1" "$(visible_menus)" ] && return 0; sleep 0.05; done
    return 1
}
entry_centre() {  # entry_centre MENU_WINDOW INDEX: screen x y of that entry
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$((X + WIDTH / 2)) $((Y + 2 + MENU_ENTRY * $2 + MENU_ENTRY / 2))"
}
# pixel WINDOW X Y: the colour of one pixel of a window, six hex digits.
pixel() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xwd -silent -id "$1" 2>/dev/null | tail -c $(((HEIGHT - $3) * WIDTH * 4 - $2 * 4)) |
        head -c 3 | od -An -tx1 | tr -d ' \n'
}
# highlighted MENU_WINDOW INDEX: the entry shows freeglut's highlight.
highlighted() { [ "$(pixel "$1" 3 $((5 + MENU_ENTRY * $2)))" = "$MENU_HIGHLIGHT" ]; }
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
        for _ in $(seq 100); do highlighted "$1" "$2" && return 0; sleep 0.1; done
        xdotool mousemove $(entry_centre "$1" "$neighbour") && sleep 0.2
    done
    return 1
}
# submenu ROOT_WINDOW INDEX: the submenu that a root entry opens, once it is
# open: freeglut puts it at the root's right edge, level with the entry.
submenu() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    local at="$((X + WIDTH)),$((Y + MENU_ENTRY * $2))"
    for _ in $(seq 600); do
        for menu in $(visible_menus); do
            eval "$(xdotool getwindowgeometry --shell "$menu")"
            [ "$X,$Y" = "$at" ] && echo "$menu" && return 0
        done
        sleep 0.05
    done
    return 1
}
height_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^HEIGHT=//p'; }
# choose ROOT_ENTRY [SUB_ENTRY]: a menu choice with real clicks (entries from
# 0), from the root menu, which the right button must open (3 entries inside
# a border of 2 pixels). Leaves the heights of the menus it opened in MENU_HEIGHTS.
choose() {
    local why="" root sub
    xdotool mousemove --window "$window" "${MENU_X:-20}" "${MENU_Y:-20}" click 3
    wait_for_menus -n || { echo "choose $*: no menu opened" >&2; return 1; }
    root="$(visible_menus | head -n1)"
    MENU_HEIGHTS="$(height_of "$root")"
    [ "$MENU_HEIGHTS" = $((3 * MENU_ENTRY + 4)) ] || why="the right button opened a menu $MENU_HEIGHTS pixels high, not the root menu"
    [ -n "$why" ] || point_at "$root" "$1" || why="entry $1 not highlighted"
    if [ -z "$why" ] && [ $# -ge 2 ]; then
        sub="$(submenu "$root" "$1")" || why="no submenu"
        [ -n "$why" ] || MENU_HEIGHTS="$MENU_HEIGHTS $(height_of "$sub")"
        [ -n "$why" ] || point_at "$sub" "$2" || why="submenu entry $2 not highlighted"
    fi
    [ -z "$why" ] || { echo "choose $*: $why" >&2; return 1; }
    xdotool click 1
    wait_for_menus -z || { echo "choose $*: the menu stayed open" >&2; return 1; }
}
drag() {  # drag X0 Y0 X1 Y1: a left drag in window coordinates
    xdotool mousemove --window "$window" "$1" "$2" mousedown 1 \
        mousemove --window "$window" $((($1 + $3) / 2)) $((($2 + $4) / 2)) \
        mousemove --window "$window" "$3" "$4" mouseup 1
}
