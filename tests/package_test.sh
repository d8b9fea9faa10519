#!/usr/bin/env bash
# Builds the Debian package from the build, checks its files, control fields
# and manual page, unpacks it and starts the unpacked launcher from an
# unrelated directory on a virtual X server of its own, then quits with 'Q'.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/harness.sh"
(cd "$1" && cpack -G DEB -B "$work" >/dev/null)
deb="$work/dancing-noodlet_$2_$(dpkg --print-architecture).deb"
files="$(dpkg-deb -c "$deb")" || fail "no package $deb"
for entry in "rwxr-xr-x .* ./usr/bin/vantor" "rwxr-xr-x .* ./usr/bin/dancing-noodlet" share/dancing-noodlet/sky.bmp \
    share/dancing-noodlet/grass.bmp share/dancing-noodlet/smileycol.bmp applications/dancing-noodlet.desktop \
    icons/hicolor/scalable/apps/dancing-noodlet.svg man1/vantor.1.gz "man1/dancing-noodlet.1.gz -> vantor.1.gz" \
    doc/dancing-noodlet/copyright doc/dancing-noodlet/changelog.gz; do
    grep -q -e "$entry\$" <<<"$files" || fail "missing from the package: $entry"
done
fields="$(dpkg-deb -f "$deb" Package Version Section Depends | tr '\n' ' ')"
grep -q "^Package: dancing-noodlet Version: $2 Section: graphics Depends: .*libglu1.*libglut" <<<"$fields" ||
    fail "control fields: $fields"
dpkg-deb -x "$deb" "$work/root"
warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/vantor.1.gz" 2>&1 >/dev/null)"
[ -z "$warnings" ] || fail "manual page warnings: $warnings"
mkdir "$work/elsewhere" && cd "$work/elsewhere"
"$work/root/usr/bin/dancing-noodlet" >"$work/out" &
pid=$!
window="$(find_window 15)" || fail "no window"
key Q
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
printf 'trying to load sky.bmp\ntrying to load grass.bmp\ntrying to load smileycol.bmp\n' | cmp - "$work/out" ||
    fail "unexpected output: $(cat "$work/out")"
echo "$(basename "$deb"): files, fields and manual page as expected; the unpacked launcher ran from elsewhere"
