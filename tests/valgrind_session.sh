#!/usr/bin/env bash
# A real session under valgrind's memcheck: vantor on a virtual X server of
# its own, through a dance, drags, keys, the menu and Exit.
# Passes when memcheck reports no invalid access, no use of uninitialised
# values and nothing definitely lost (or vantor's status is 99), and the
# status is 0. The end-to-end session itself takes many minutes under
# valgrind: this one keeps the window small. Usage: valgrind_session.sh BUILD_DIR
set -euo pipefail
here="$(dirname "$(readlink -f "$0")")"
source "$here/harness.sh"
cd "$work"
cp "${TEXTURES[@]/#/$1/}" .
LP_NUM_THREADS=0 valgrind -q --error-exitcode=99 --leak-check=full --keep-debuginfo=yes \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite \
    --suppressions="$here/valgrind.supp" "$1/vantor" >/dev/null 2>err &
pid=$!
window="$(find_window 120)" || fail "no window"
xdotool windowsize "$window" 160 160  # software rendering under valgrind: small frames
export KEY_X=80 KEY_Y=80 POLLS=2400
frames 3  # the first frames are slow under valgrind
choose 1 1  # Dancing
frames 22
choose 0 1  # Camera Scale
drag 80 80 100 40
choose 0 0  # Camera Rotate
drag 80 80 120 40
choose 0 2  # Spotlight Position
key 8 4 9 plus minus h v r
choose 2  # Exit
wait "$pid" || fail "status $? (99: memcheck found errors)"
