#!/usr/bin/env bash
# Builds the Debian package from the build, checks its files and control
# fields, renders its manual page, unpacks it and starts the unpacked launcher
# from an unrelated directory on a virtual X server of its own, then quits
# with 'Q'. Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build="$1" version="$2"
work="$(mktemp -d)"
trap 'kill $xvfb_pid $viewer_pid 2>/dev/null; rm -rf "$work"' EXIT
xvfb_pid="" viewer_pid=""

fail() { echo "FAIL: $*"; cat "$work/out" "$work/err" 2>/dev/null; exit 1; }
poll() { for _ in $(seq 200); do "$@" && return 0; sleep 0.05; done; return 1; }

(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb="$work/dancing-noodlet_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $deb"

files="$(dpkg-deb -c "$deb")"
for entry in "-rwxr-xr-x .* ./usr/bin/vantor$" "-rwxr-xr-x .* ./usr/bin/dancing-noodlet$" \
    "./usr/share/dancing-noodlet/sky.bmp$" "./usr/share/dancing-noodlet/grass.bmp$" \
    "./usr/share/dancing-noodlet/smileycol.bmp$" \
    "./usr/share/applications/dancing-noodlet.desktop$" \
    "./usr/share/icons/hicolor/scalable/apps/dancing-noodlet.svg$" \
    "./usr/share/man/man1/vantor.1.gz$" "./usr/share/man/man1/dancing-noodlet.1.gz -> vantor.1.gz$" \
    "./usr/share/doc/dancing-noodlet/copyright$" "./usr/share/doc/dancing-noodlet/changelog.gz$"; do
    grep -q -e "$entry" <<<"$files" || fail "missing from the package: $entry"
done
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = dancing-noodlet ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = graphics ] || fail "Section: $(field Section)"
for library in libglut libglu1; do
    grep -q "$library" <<<"$(field Depends)" || fail "Depends names no $library: $(field Depends)"
done

dpkg-deb -x "$deb" "$work/root"
warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/vantor.1.gz" 2>&1 >/dev/null)"
[ -z "$warnings" ] || fail "manual page warnings: $warnings"

source "$(dirname "$(readlink -f "$0")")/../scripts/xdrive.sh"
start_xvfb || fail "Xvfb did not start"
mkdir "$work/elsewhere"
cd "$work/elsewhere"
"$work/root/usr/bin/dancing-noodlet" >"$work/out" 2>"$work/err" &
viewer_pid=$!
started() { [ "$(wc -l <"$work/out")" -eq 3 ] && window="$(find_window 1)"; }
poll started || fail "the viewer did not start"
xdotool mousemove --window "$window" 300 300 key Q
poll sh -c "! kill -0 $viewer_pid 2>/dev/null" || fail "Q did not end the viewer"
status=0
wait "$viewer_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(cat "$work/out")" = "$(printf 'trying to load sky.bmp\ntrying to load grass.bmp\ntrying to load smileycol.bmp')" ] ||
    fail "unexpected output"
echo "$(basename "$deb"): files, fields and manual page as expected; the unpacked launcher ran from $(pwd) and quit with status 0"
