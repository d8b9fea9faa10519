# Shared by the scripts: what each of them installs, installing it, and
# building. Source it; do not run it.

# The project's root, whatever directory the script was started from.
PROJECT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RUN_DIR="$PROJECT_DIR/build"  # CMakePresets.json's "run" build: vantor and its textures

# ---- What each command installs ----
# The Debian packages each script needs, in this one place (the README
# points here).

# The C++ compiler, CMake, OpenGL, GLU and freeglut.
PACKAGES_BUILD=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev)
# xdpyinfo, which tells whether an X display answers.
PACKAGES_DISPLAY=(x11-utils)
# A virtual X server, xdotool to drive it and xwd to read it back; xauth,
# which xvfb-run needs and xvfb only recommends.
PACKAGES_VIRTUAL_X=(xvfb xauth xdotool x11-utils x11-apps)
# The Debian package's tools: dpkg-buildflags and dpkg-shlibdeps, file (which
# CPack runs), and appstreamcli (which tells how to validate the metainfo).
PACKAGES_DEBIAN=(dpkg-dev file appstream)
# clang with its fuzzer and sanitizer runtime, for the BMP reader's fuzz target.
PACKAGES_FUZZ=(clang libclang-rt-dev)
# The Windows build: MinGW-w64 (with its windres), Wine to run what it builds, zip.
PACKAGES_WINDOWS=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev zip)

# packages_for COMMAND: the packages that scripts/COMMAND installs.
packages_for() {
    case "$1" in
        display) echo "${PACKAGES_DISPLAY[@]}" ;;
        run) echo "${PACKAGES_BUILD[@]}" "${PACKAGES_DISPLAY[@]}" ;;
        screenshots) echo "${PACKAGES_BUILD[@]}" "${PACKAGES_VIRTUAL_X[@]}" imagemagick ;;
        bench) echo "${PACKAGES_BUILD[@]}" "${PACKAGES_VIRTUAL_X[@]}" libstb-dev mesa-utils valgrind ;;
        package) echo "${PACKAGES_BUILD[@]}" "${PACKAGES_DEBIAN[@]}" ;;
        package-check) echo diffoscope-minimal ;;  # shows where two builds differ
        package-windows-lint) echo unzip icoutils ;;  # scripts/package --windows --check
        package-lint) echo lintian desktop-file-utils appstream man-db ;;  # scripts/package --check
        package-windows) echo "${PACKAGES_WINDOWS[@]}" cmake make ;;
        fuzz) echo "${PACKAGES_BUILD[@]}" libgtest-dev "${PACKAGES_FUZZ[@]}" ;;
        test-quick) echo "${PACKAGES_BUILD[@]}" libgtest-dev "${PACKAGES_VIRTUAL_X[@]}" ;;
        test-fuzz) echo "${PACKAGES_FUZZ[@]}" ;;
        test-valgrind) echo valgrind ;;
        test-package) echo "${PACKAGES_DEBIAN[@]}" "$(packages_for package-lint)" \
            dex openbox xterm xfonts-base xclip ;;  # scripts/package --check, and a desktop to start it from
        test-windows) echo "${PACKAGES_WINDOWS[@]}" "$(packages_for package-windows-lint)" ;;
        test-release) echo mmdebstrap uidmap git "${PACKAGES_VIRTUAL_X[@]}" ;;
        test-release-emulated) echo qemu-user-static binfmt-support ;;
        *) echo "packages_for: no command $1" >&2; return 1 ;;
    esac
}

# ---- Installing ----
# What the scripts install hangs on one package of our own,
# dancing-noodlet-build-deps, which depends on all of it and keeps two lists
# in DEPS_DIR: "installed", the packages that came with it, and "before",
# the packages the system had when the scripts first installed anything.
# scripts/remove-deps removes the first, and nothing of the second.
DEPS_PACKAGE=dancing-noodlet-build-deps
DEPS_DIR=/usr/share/$DEPS_PACKAGE

# as_root COMMAND...: as root, through sudo when this user is not root.
# DEBIAN_FRONTEND goes through env: sudo drops it from the environment.
as_root() {
    [ "$(id -u)" -ne 0 ] || { env DEBIAN_FRONTEND=noninteractive "$@"; return; }
    command -v sudo >/dev/null || { echo "This needs root, and sudo is not installed: run as root: $*" >&2; return 1; }
    sudo env DEBIAN_FRONTEND=noninteractive "$@"
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
installed_packages() {  # one a line, sorted
    dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 == "installed" { print $2 }' | LC_ALL=C sort -u
}

# ensure_packages COMMAND...: installs, in one go and with apt's progress
# shown, those of the packages of these commands that are missing. Refuses,
# in one line of ours rather than apt's, when apt cannot install one of them.
ensure_packages() {
    local command wanted="" missing lacks
    has_apt || { say_no_apt; return 0; }
    for command in "$@"; do wanted+=" $(packages_for "$command")" || return 1; done
    mapfile -t missing < <(printf '%s\n' $wanted | LC_ALL=C sort -u | LC_ALL=C comm -23 - <(installed_packages))
    [ ${#missing[@]} -eq 0 ] && return 0
    lacks="$(lacking "${missing[@]}")"
    [ -z "$lacks" ] || { echo "scripts/$(basename "$0") needs $lacks, which $(this_archive) lacks." >&2; return 1; }
    echo "== scripts/$(basename "$0") installs ${missing[*]}, with what they need" \
         "(scripts/remove-deps removes them again) =="
    as_root apt-get update && install_deps_package "${missing[@]}" ||
        { echo "Could not install ${missing[*]}." >&2; return 1; }
}

# install_deps_package PACKAGE...: dancing-noodlet-build-deps again, now
# depending on these packages too, and listing what apt installs for them.
install_deps_package() {
    local dir depends status
    depends="$( (dpkg-query -W -f='${Depends}\n' "$DEPS_PACKAGE" 2>/dev/null | tr -d ' ' | tr ',' '\n'
                printf '%s\n' "$@") | grep . | LC_ALL=C sort -u | paste -s -d ,)"
    dir="$(mktemp -d)"
    # apt reads the package as its own user: a folder anyone may enter.
    chmod 755 "$dir" && mkdir -p "$dir/pkg/DEBIAN" "$dir/pkg$DEPS_DIR" &&
        { cat "$DEPS_DIR/before" 2>/dev/null || installed "$DEPS_PACKAGE" || installed_packages; } >"$dir/pkg$DEPS_DIR/before" &&
        deps_deb "$dir" "$depends" &&
        { cat "$DEPS_DIR/installed" 2>/dev/null; newly_installed "$dir/deps.deb"; } | LC_ALL=C sort -u >"$dir/installed" &&
        mv "$dir/installed" "$dir/pkg$DEPS_DIR/installed" && deps_deb "$dir" "$depends" &&
        as_root apt-get install -y --no-install-recommends "$dir/deps.deb"
    status=$?
    rm -rf "$dir"
    return $status
}
# deps_deb DIR DEPENDS: makes DIR/deps.deb, the package, from DIR/pkg. Its
# version is the time: newer than the one installed.
deps_deb() {
    cat >"$1/pkg/DEBIAN/control" <<EOF
Package: $DEPS_PACKAGE
Version: 1.$(date +%s)
Architecture: all
Maintainer: Dancing Noodlet's scripts <nobody@localhost>
Depends: ${2//,/, }
Description: what Dancing Noodlet's scripts installed
 Dancing Noodlet's scripts/remove-deps removes this package and the packages
 that came with it, which it lists in $DEPS_DIR/installed, and nothing else.
EOF
    chmod -R go-w "$1/pkg" && dpkg-deb --build --root-owner-group "$1/pkg" "$1/deps.deb" >/dev/null && chmod 644 "$1/deps.deb"
}
# newly_installed DEB: the packages that installing DEB would add to this
# system, by apt's simulation (which needs no root), DEB's own aside.
newly_installed() {
    apt-get -s install --no-install-recommends "$1" 2>/dev/null |
        sed -n 's/^Inst \([^ ]*\) (.*/\1/p' | grep -vx "$DEPS_PACKAGE"
    return 0
}

# lacking PACKAGE...: those of the packages that apt here cannot install (by its
# simulation, which needs no root), as testing's archive lacks Wine at times.
lacking() {
    ensure_package_lists && ! apt-get -s install --no-install-recommends "$@" >/dev/null 2>&1 || return 0
    local package; for package in "$@"; do apt-get -s install "$package" >/dev/null 2>&1 || echo "$package"; done | xargs
}
# What the archive has is known only once apt has fetched its lists, which
# a fresh container or chroot lacks.
ensure_package_lists() { compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null || as_root apt-get update; }
this_archive() { echo "Debian's archive for $(apt_release || echo this release) $(dpkg --print-architecture)"; }

# ---- Systems without apt ----
# There the scripts install nothing: they say so once, with what they need
# in words, and go on; CMake says what is missing.
has_apt() { command -v apt-get >/dev/null && command -v dpkg-query >/dev/null; }
say_no_apt() {
    local script needs="a C++17 compiler, CMake 3.25 or later with make, and the OpenGL, GLU and freeglut headers"
    [ -z "${NO_APT_SAID:-}" ] && NO_APT_SAID=yes script="$(basename "$0")" || return 0
    case "$script" in
        test) needs+="; GoogleTest, Xvfb, xdotool and the X tools; valgrind and clang for the valgrind session and the fuzzer" ;;
        screenshots) needs+="; Xvfb, xdotool and the X tools; ImageMagick" ;;
        bench) needs+="; Xvfb, xdotool and the X tools; glxinfo, stb's headers and valgrind" ;;
        fuzz) needs+="; GoogleTest, and clang with libFuzzer" ;;
    esac
    echo "== This system has no apt: scripts/$script installs nothing. It needs $needs =="
}
needs_apt() { has_apt || { echo "This system has no apt: $1" >&2; exit 1; }; }  # for scripts that cannot do without

# ---- Building ----

# build_preset PRESET [CMAKE ARGUMENTS...]: configures and builds one of the
# builds of CMakePresets.json, in its folder.
build_preset() { (cd "$PROJECT_DIR" && cmake --preset "$@" >/dev/null && cmake --build --preset "$1" -j "$(nproc)"); }
# build_in DIR [CMAKE ARGUMENTS...]: configures and builds in DIR.
build_in() { cmake -S "$PROJECT_DIR" -B "$1" "${@:2}" >/dev/null && cmake --build "$1" -j "$(nproc)"; }

# apt_release: this system's release as apt names it: os-release's codename,
# or sid on unstable, whose os-release names testing's.
apt_release() {
    ensure_package_lists
    apt-get indextargets --format '$(ORIGIN) $(TARGET_OF) $(CODENAME)' | awk -v os="$(. /etc/os-release && echo "$VERSION_CODENAME")" '
        $1 == "Debian" && $2 == "deb" { has[$3] = 1 } END { if (os in has) print os; else if ("sid" in has) print "sid"; else exit 1 }'
}
# debian_sources [RELEASE]: the archive lines ("deb URI SUITE COMPONENT") of
# Debian's that apt here takes its packages from, for RELEASE rather than
# this system's release when given (bookworm-updates becomes
# trixie-updates, and so on; unstable has no such suites). Says so and fails
# when there are none.
debian_sources() {
    local own; own="$(apt_release)" || { echo "apt here takes no packages from Debian's archive" \
        "for $(. /etc/os-release && echo "$VERSION_CODENAME") (apt-get indextargets)" >&2; return 1; }
    apt-get indextargets --format '$(ORIGIN) $(TARGET_OF) $(REPO_URI) $(CODENAME) $(COMPONENT)' |
        awk -v own="$own" -v to="${1:-$own}" '$1 == "Debian" && $2 == "deb" && index($4, own) == 1 {
            suffix = substr($4, length(own) + 1); if (to != "sid" || suffix == "") print "deb", $3, to suffix, $5 }' |
        LC_ALL=C sort -u | grep .
}

# ---- Windows: MinGW-w64 builds, run under Wine ----

WINDOWS_TOOLCHAIN="$PROJECT_DIR/cmake/mingw-w64-x86_64.cmake"
WINDOWS_FREEGLUT="${WINDOWS_FREEGLUT:-$PROJECT_DIR/build-windows-freeglut}"  # elsewhere for package --check

# The Windows build runs its generators under Wine, and so do the tests: x86-64
# Windows programs, which only an x86-64 machine's Wine runs.
windows_runs_here() { [ "$(dpkg --print-architecture)" = amd64 ]; }

# Wine runs the programs that the Windows build runs and the tests: in a
# prefix of the project's own (never the user's), made on first use, quiet,
# and without Mono and Gecko (which it would offer to download). The tests'
# X servers run no window manager: Wine is told so, and then draws the
# windows' frames itself, as Windows does (left to expect a manager, Wine 10
# never takes down a window that it has shown, such as freeglut's menus).
use_wine() {
    export WINEPREFIX="$PROJECT_DIR/build-wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
}

# Fetches Debian's freeglut source package into $1: the newest version that
# the archive serves, of this release or of the stable and oldstable ones (an
# archive mirror may lack one release's source files). apt fetches it with a
# list of deb-src lines of its own and checks it against the archive's signed
# index; dpkg-source then checks the tarballs against it.
fetch_freeglut_source() {
    local uri codename version
    read -r _ uri codename _ <<<"$(debian_sources | awk '$3 !~ /-/' | head -n 1)"
    [ -n "$uri" ] || return 1
    mkdir -p "$1/apt/lists/partial" "$1/apt/cache"
    printf "deb-src $uri %s main\n" "$codename" stable oldstable >"$1/apt/sources.list"
    local apt=(-qq -o Dir::Etc::SourceList="$1/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
               -o Dir::State::Lists="$1/apt/lists" -o Dir::Cache="$1/apt/cache" -o Debug::NoLocking=1)
    [ "$(id -u)" -eq 0 ] && apt+=(-o APT::Sandbox::User=root)  # the project folder may be root's own
    apt-get "${apt[@]}" update || return 1
    for version in $(apt-cache "${apt[@]}" showsrc --only-source freeglut | sed -n 's/^Version: //p' | sort -r -V -u); do
        rm -rf "$1/source" && mkdir -p "$1/source"
        (cd "$1/source" && apt-get "${apt[@]}" source --download-only "freeglut=$version" 2>/dev/null) && return 0
        echo "freeglut $version's source cannot be fetched; trying an older one." >&2
    done
    return 1
}

# Builds freeglut for Windows, as a static library, from Debian's freeglut
# source package, into $WINDOWS_FREEGLUT/install (once). Its CMakeLists asks
# for policies of 3.0: CMake 4 is told 3.5, and no CMake warns of either.
windows_freeglut() {
    local dir="$WINDOWS_FREEGLUT"
    [ -f "$dir/install/lib/libfreeglut_static.a" ] && return 0
    compgen -G "$dir/source/freeglut_*.dsc" >/dev/null || fetch_freeglut_source "$dir" ||
        { echo "Could not fetch freeglut's source package." >&2; return 1; }
    rm -rf "$dir/src" "$dir/build"
    dpkg-source -x "$dir"/source/freeglut_*.dsc "$dir/src" >/dev/null 2>&1 &&
        CMAKE_POLICY_VERSION_MINIMUM=3.5 cmake -S "$dir/src" -B "$dir/build" --toolchain "$WINDOWS_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
            -Wno-deprecated -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
            -DCMAKE_C_FLAGS="-w -ffile-prefix-map=$dir=." -DCMAKE_INSTALL_PREFIX="$dir/install" >/dev/null &&
        cmake --build "$dir/build" -j "$(nproc)" >/dev/null && cmake --install "$dir/build" >/dev/null ||
        { echo "Could not build freeglut for Windows (in $dir)." >&2; return 1; }
}

# build_windows DIR [CMAKE ARGUMENTS...]: configures and builds DIR for Windows.
build_windows() {
    use_wine
    windows_freeglut &&
        build_in "$1" --toolchain "$WINDOWS_TOOLCHAIN" -DCMAKE_FIND_ROOT_PATH="$WINDOWS_FREEGLUT/install" "${@:2}"
}
