# Shared by the scripts: what each of them installs, installing it, and
# building. Source it; do not run it.

# The project's root, whatever directory the script was started from.
PROJECT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Where a script builds: each script chooses its own folder (not the
# environment, where a BUILD_DIR may mean something else).
BUILD_DIR="$PROJECT_DIR/build"

# ---- What each command installs ----
# The Debian packages each script needs, in this one place. The README's
# table "What the scripts install" says the same in words.

# The C++ compiler, CMake, OpenGL, GLU and freeglut.
PACKAGES_BUILD=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev)
# xdpyinfo, which tells whether an X display answers.
PACKAGES_DISPLAY=(x11-utils)
# A virtual X server, xdotool to drive it and xwd to read it back.
PACKAGES_VIRTUAL_X=(xvfb xdotool x11-utils x11-apps)
# The Debian package's tools: dpkg-buildflags and dpkg-shlibdeps, file (which
# CPack runs), and appstreamcli (which tells how to validate the metainfo).
PACKAGES_DEBIAN=(dpkg-dev file appstream)
# The Windows build: MinGW-w64, Wine to run what it builds, zip.
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
        fuzz) echo "${PACKAGES_BUILD[@]}" libgtest-dev "$(clang_packages)" ;;
        test-quick) echo "${PACKAGES_BUILD[@]}" libgtest-dev "${PACKAGES_VIRTUAL_X[@]}" ;;
        test-fuzz) clang_packages ;;
        test-valgrind) echo valgrind ;;
        test-package) echo "${PACKAGES_DEBIAN[@]}" "$(packages_for package-lint)" \
            dex openbox xterm xfonts-base xclip ;;  # scripts/package --check, and a desktop to start it from
        test-windows) echo "${PACKAGES_WINDOWS[@]}" "$(packages_for package-windows-lint)" ;;
        test-release) echo mmdebstrap uidmap git "${PACKAGES_VIRTUAL_X[@]}" ;;
        test-release-emulated) echo qemu-user-static binfmt-support ;;
        *) echo "packages_for: no command $1" >&2; return 1 ;;
    esac
}

# clang, and the runtime of that clang (libFuzzer and the sanitizers), whose
# package is named for clang's major version: 14 in Debian 12, 19 in 13.
clang_packages() {
    local major
    ensure_package_lists
    major="$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1)"
    echo "clang${major:+ libclang-rt-$major-dev}"
}

# ---- Installing ----
# What the scripts install hangs on one package of our own,
# dancing-noodlet-build-deps, which depends on all of it and lists, in
# DEPS_RECORD, the packages that came with it: scripts/remove-deps removes
# exactly those, and nothing that was there before.
DEPS_PACKAGE=dancing-noodlet-build-deps
DEPS_RECORD=/usr/share/$DEPS_PACKAGE/installed

# as_root COMMAND...: as root, through sudo when this user is not root.
# DEBIAN_FRONTEND goes through env: sudo drops it from the environment.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        env DEBIAN_FRONTEND=noninteractive "$@"
    elif command -v sudo >/dev/null; then
        sudo env DEBIAN_FRONTEND=noninteractive "$@"
    else
        echo "This needs root, and sudo is not installed: run as root: $*" >&2
        return 1
    fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# ensure_packages COMMAND...: installs, in one go and with apt's progress
# shown, those of the packages of these commands that are missing.
ensure_packages() {
    local command package missing=() wanted
    for command in "$@"; do
        wanted="$(packages_for "$command")" || return 1
        for package in $wanted; do
            installed "$package" || [[ " ${missing[*]} " == *" $package "* ]] || missing+=("$package")
        done
    done
    [ ${#missing[@]} -eq 0 ] && return 0
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
    chmod 755 "$dir" && deps_deb "$dir" "$depends" &&
        { cat "$DEPS_RECORD" 2>/dev/null; newly_installed "$dir/deps.deb"; } | LC_ALL=C sort -u >"$dir/installed" &&
        deps_deb "$dir" "$depends" "$dir/installed" &&
        as_root apt-get install -y --no-install-recommends "$dir/deps.deb"
    status=$?
    rm -rf "$dir"
    return $status
}
# deps_deb DIR DEPENDS [LIST]: makes DIR/deps.deb, the package, with LIST as
# its DEPS_RECORD. Its version is the time: newer than the one installed.
deps_deb() {
    rm -rf "$1/pkg" && mkdir -p "$1/pkg/DEBIAN" || return 1
    if [ -n "${3:-}" ]; then
        mkdir -p "$1/pkg$(dirname "$DEPS_RECORD")" && cp "$3" "$1/pkg$DEPS_RECORD" || return 1
    fi
    cat >"$1/pkg/DEBIAN/control" <<EOF
Package: $DEPS_PACKAGE
Version: 1.$(date +%s)
Architecture: all
Maintainer: Dancing Noodlet's scripts <nobody@localhost>
Depends: ${2//,/, }
Description: what Dancing Noodlet's scripts installed
 Dancing Noodlet's scripts/remove-deps removes this package and the packages
 that came with it, which it lists in $DEPS_RECORD, and nothing else.
EOF
    dpkg-deb --build --root-owner-group "$1/pkg" "$1/deps.deb" >/dev/null && chmod 644 "$1/deps.deb"
}
# newly_installed DEB: the packages that installing DEB would add to this
# system, by apt's simulation (which needs no root), DEB's own aside.
newly_installed() {
    apt-get -s install --no-install-recommends "$1" 2>/dev/null |
        sed -n 's/^Inst \([^ ]*\) (.*/\1/p' | grep -vx "$DEPS_PACKAGE"
    return 0
}

# available PACKAGE: the archive has the package for this machine.
available() { ensure_package_lists && apt-cache show --no-all-versions "$1" >/dev/null 2>&1; }
# What the archive has is known only once apt has fetched its lists, which
# a fresh container or chroot lacks.
ensure_package_lists() {
    compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null || as_root apt-get update
}

# ---- Building ----

# Configures and builds into $BUILD_DIR, with CMake's default generator or the
# one CMAKE_GENERATOR names.
build_project() {
    cmake -S "$PROJECT_DIR" -B "$BUILD_DIR" "$@" >/dev/null &&
        cmake --build "$BUILD_DIR" -j "$(nproc)"
}

# The Debian archive that apt here takes its packages from, and its release:
# "URI CODENAME", e.g. "http://deb.debian.org/debian/ bookworm".
debian_archive() {
    apt-get indextargets --format '$(ORIGIN) $(REPO_URI) $(CODENAME)' 2>/dev/null |
        awk '$1 == "Debian" && $3 !~ /-/ { print $2, $3; exit }' | grep . ||
        echo "http://deb.debian.org/debian/ $(. /etc/os-release && echo "$VERSION_CODENAME")"
}

# ---- Windows: MinGW-w64 builds, run under Wine ----

WINDOWS_TOOLCHAIN="$PROJECT_DIR/cmake/mingw-w64-x86_64.cmake"
WINDOWS_FREEGLUT="$PROJECT_DIR/build-windows-freeglut"

# The Windows build runs its generators under Wine, and so do the tests: x86-64
# Windows programs, which only an x86-64 machine's Wine runs.
windows_runs_here() { [ "$(dpkg --print-architecture)" = amd64 ]; }

# Wine runs the programs that the Windows build runs and the tests: in a
# prefix of the project's own (never the user's), made on first use, quiet,
# and without Mono and Gecko (which it would offer to download).
use_wine() {
    export WINEPREFIX="$PROJECT_DIR/build-wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# The tests' X servers run no window manager: Wine is told so, and then draws
# the windows' frames itself, as Windows does. Left to expect a manager, Wine
# 10 never takes down a window that it has shown, such as freeglut's menus
# after a choice.
wine_without_window_manager() {
    use_wine
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
}

# Fetches Debian's freeglut source package into $1: the newest version that
# the archive serves, of this release or of the stable and oldstable ones (an
# archive mirror may lack one release's source files). apt fetches it with a
# list of deb-src lines of its own and checks it against the archive's signed
# index; dpkg-source then checks the tarballs against it.
fetch_freeglut_source() {
    local uri codename version
    read -r uri codename <<<"$(debian_archive)"
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
# source package, into $WINDOWS_FREEGLUT/install (once).
windows_freeglut() {
    local dir="$WINDOWS_FREEGLUT"
    [ -f "$dir/install/lib/libfreeglut_static.a" ] && return 0
    compgen -G "$dir/source/freeglut_*.dsc" >/dev/null || fetch_freeglut_source "$dir" ||
        { echo "Could not fetch freeglut's source package." >&2; return 1; }
    rm -rf "$dir/src" "$dir/build"
    dpkg-source -x "$dir"/source/freeglut_*.dsc "$dir/src" >/dev/null 2>&1 &&
        cmake -S "$dir/src" -B "$dir/build" --toolchain "$WINDOWS_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
            -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
            -DCMAKE_C_FLAGS="-w -ffile-prefix-map=$dir=." -DCMAKE_INSTALL_PREFIX="$dir/install" >/dev/null &&
        cmake --build "$dir/build" -j "$(nproc)" >/dev/null && cmake --install "$dir/build" >/dev/null ||
        { echo "Could not build freeglut for Windows (in $dir)." >&2; return 1; }
}

# Configures and builds $BUILD_DIR for Windows.
build_windows() {
    use_wine
    windows_freeglut &&
        build_project --toolchain "$WINDOWS_TOOLCHAIN" -DCMAKE_FIND_ROOT_PATH="$WINDOWS_FREEGLUT/install" "$@"
}
