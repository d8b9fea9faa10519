# Shared by the scripts: installing what they need, building with the CMake
# presets, and the Windows build. Source it; do not run it.

PROJECT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SCRIPT="scripts/$(basename "$0")"
CONTROL="$PROJECT_DIR/debian/control"
# a failure inside $(...) fails the script too
shopt -s inherit_errexit
# the window's size, the textures' names, driving vantor
source "$PROJECT_DIR/scripts/xdrive.sh"

# ---- Installing ----
# debian/control's Build-Depends name the packages of each job, under build
# profiles (pkg.dancing-noodlet.NAME). A script names its jobs' profiles;
# mk-build-deps installs their packages as one package of our own,
# dancing-noodlet-build-deps, which scripts/remove-deps removes again.

# as_root COMMAND...: as root, through sudo when this user is not root (env
# passes DEBIAN_FRONTEND on, which sudo would drop).
as_root() {
    local sudo=()
    [ "$(id -u)" = 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive "$@"
}
has_apt() { command -v apt-get >/dev/null && command -v dpkg-query >/dev/null; }
needs_apt() {
    has_apt && return 0
    echo "This system has no apt: $1" >&2
    exit 1
}

# profiles NAME...: debian/control's build profiles of these names
profiles() {
    local IFS=,
    echo "${*/#/pkg.dancing-noodlet.}"
}
# satisfied NAME...: whether the packages of these profiles are all installed.
satisfied() {
    command -v dpkg-checkbuilddeps >/dev/null || return 1
    dpkg-checkbuilddeps -P "$(profiles "$@")" "$CONTROL" 2>/dev/null
}
# lacking NAME...: the packages of these profiles that apt here cannot install
# (testing's archive lacks Wine at times), by apt's simulation: those it has
# no candidate for, or else those it would not install. A fresh system has no
# package lists: apt fetches them first.
lacking() {
    local said lacks
    compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null || as_root apt-get update >&2
    said="$(apt-get -s build-dep -P "$(profiles "$@")" "$PROJECT_DIR" 2>&1)" && return 0
    if ! lacks="$(grep -o '[^ ]* but it is not installable' <<<"$said")"; then
        lacks="$(grep -o '[^ ]* but it is not going to be installed' <<<"$said")"
    fi
    cut -d ' ' -f 1 <<<"$lacks" | sort -u | xargs
}
# archive LABEL: the address of the Debian archive of that label (Debian,
# Debian-Security) that apt here uses
archive() { apt-get indextargets --format '$(REPO_URI)' "Label: $1" | sed -n 1p; }

# ensure_packages NAME...: installs the packages of these profiles when one
# is missing. The new dancing-noodlet-build-deps keeps what the old one kept
# (the profiles all of whose packages are there). When apt cannot install a
# package, it stops with one line that names it.
ensure_packages() {
    local lacks wanted=("$@") profile dir
    if ! has_apt; then
        echo "== This system has no apt: $SCRIPT installs nothing (the README: what it needs) =="
        return 0
    fi
    satisfied "$@" && return 0
    lacks="$(lacking "$@")"
    if [ -n "$lacks" ]; then
        echo "$SCRIPT needs $lacks, which apt cannot install here." >&2
        return 1
    fi
    echo "== $SCRIPT installs the packages it needs (scripts/remove-deps removes them again) =="
    as_root apt-get update
    command -v mk-build-deps >/dev/null ||
        as_root apt-get install -y --no-install-recommends --mark-auto devscripts equivs
    for profile in $(grep -o '<pkg\.dancing-noodlet\.[a-z-]*>' "$CONTROL" |
        cut -d . -f 3 | tr -d '>'); do
        satisfied "$profile" && wanted+=("$profile")
    done
    dir="$(mktemp -d)"
    (cd "$dir" && as_root mk-build-deps --install --remove -P "$(profiles "${wanted[@]}")" \
        --tool "apt-get -y --no-install-recommends" "$CONTROL")
    rm -rf "$dir"
}

# ---- Building ----

# build_preset PRESET [CMAKE ARGUMENTS...]: configures and builds one of the
# builds of CMakePresets.json, and prints its folder (as CMake says it).
build_preset() {
    local folder
    folder="$(cd "$PROJECT_DIR" && cmake --preset "$@" |
        sed -n 's/^-- Build files have been written to: //p')"
    cmake --build "$folder" -j "$(nproc)" >&2
    echo "$folder"
}
# xvfb-run, from a display number picked at random: a chroot, such as
# scripts/test-release's, shares this system's X sockets but not its lock files.
# The server does not reset when its last client leaves: Debian 13's Xvfb can
# then stop answering.
XVFB_RUN=(xvfb-run -a -n $((1000 + RANDOM % 9000)) -s "-noreset -screen 0 1280x1024x24")
# virtual_x ARGUMENTS...: this script again, with these arguments, on a virtual
# X server of its own, unless it runs on one already.
virtual_x() {
    [ -z "${VIRTUAL_X:-}" ] || return 0
    VIRTUAL_X=yes exec "${XVFB_RUN[@]}" "$0" "$@"
}

# ---- Windows: MinGW-w64 builds, run under Wine ----

# Windows programs (the build's generators, the tests) run under Wine, and
# only an x86-64 machine's Wine runs x86-64 ones.
windows_runs_here() { [ "$(dpkg --print-architecture)" = amd64 ]; }

# freeglut for Windows is built from the newest source package of Debian's
# stable or oldstable release that the archive serves (it may lack some), in
# a folder of its own. apt fetches it with a list of deb-src lines of its own
# and checks it against the archive's signed index, and dpkg-source the
# tarballs against that.
WINDOWS_FREEGLUT="$PROJECT_DIR/build-windows-freeglut"
# unpacked into $WINDOWS_FREEGLUT/source, once
freeglut_source() {
    local dir="$WINDOWS_FREEGLUT" version
    [ ! -d "$dir/source" ] || return 0
    mkdir -p "$dir/apt/lists/partial" "$dir/apt/cache"
    printf "deb-src $(archive Debian) %s main\n" stable oldstable >"$dir/apt/sources.list"
    local apt=(-q -o Dir::Etc::SourceList="$dir/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
               -o Dir::State::Lists="$dir/apt/lists" -o Dir::Cache="$dir/apt/cache"
               -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
    apt-get "${apt[@]}" update >/dev/null
    for version in $(apt-cache "${apt[@]}" showsrc freeglut | sed -n 's/^Version: //p' | sort -r -V)
    do
        if (cd "$dir" && apt-get "${apt[@]}" source "freeglut=$version" >/dev/null 2>&1); then
            mv "$dir"/freeglut-*/ "$dir/source"
            return 0
        fi
        echo "freeglut $version's source cannot be fetched here; trying an older one." >&2
    done
    return 1
}

# build_windows PRESET [CMAKE ARGUMENTS...]: build_preset, for Windows, after
# freeglut for Windows, as a static library (once). Its CMakeLists asks for
# the policies of CMake 3.0, which CMake 4 no longer has: it is told 3.5.
# Wine runs in a prefix of the project's own, made on first use, quiet, and
# without Mono and Gecko (which it would offer to download). The tests' X
# servers run no window manager: Wine is told so, and then draws the windows'
# frames itself, as Windows does (left to expect one, Wine 10 never takes
# down a window that it has shown, such as freeglut's menus).
build_windows() {
    local dir="$WINDOWS_FREEGLUT"
    export WINEPREFIX="$PROJECT_DIR/build-wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    freeglut_source
    if [ ! -f "$dir/install/lib/libfreeglut_static.a" ]; then
        CMAKE_POLICY_VERSION_MINIMUM=3.5 cmake -S "$dir/source" -B "$dir/build" -Wno-deprecated \
            --toolchain "$PROJECT_DIR/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
            -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
            -DFREEGLUT_BUILD_STATIC_LIBS=ON -DCMAKE_C_FLAGS="-w -ffile-prefix-map=$dir=." \
            -DCMAKE_INSTALL_PREFIX="$dir/install" >/dev/null
        cmake --build "$dir/build" -j "$(nproc)" >/dev/null
        cmake --install "$dir/build" >/dev/null
    fi
    build_preset "$@" -DCMAKE_FIND_ROOT_PATH="$dir/install"
}
