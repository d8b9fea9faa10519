# Shared by scripts/run and scripts/test: installs missing Debian packages and
# builds the project. Source it; do not run it.

# The project's root, whatever directory the script was started from.
PROJECT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$PROJECT_DIR/build}"

# Installs those of the given Debian packages that are missing.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]} ..."
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null ||
        { echo "Could not install ${missing[*]}; install them by hand and try again." >&2; return 1; }
}

BUILD_PACKAGES=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev)

# Installs clang and the runtime of that clang (libFuzzer and the sanitizers),
# whose package is named for clang's major version: 14 in Debian 12, 19 in 13.
ensure_clang() {
    ensure_packages clang || return 1
    local major
    major="$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)"
    [ -n "$major" ] || { echo "Cannot tell the version of $(command -v clang)." >&2; return 1; }
    ensure_packages "libclang-rt-$major-dev"
}

# The Debian archive that apt here takes its packages from, and its release:
# "URI CODENAME", e.g. "http://deb.debian.org/debian/ bookworm".
debian_archive() {
    apt-get indextargets --format '$(ORIGIN) $(REPO_URI) $(CODENAME)' 2>/dev/null |
        awk '$1 == "Debian" && $3 !~ /-/ { print $2, $3; exit }' | grep . ||
        echo "http://deb.debian.org/debian/ $(. /etc/os-release && echo "$VERSION_CODENAME")"
}

# Configures and builds into $BUILD_DIR.
build_project() {
    cmake -S "$PROJECT_DIR" -B "$BUILD_DIR" "$@" >/dev/null &&
        cmake --build "$BUILD_DIR" -j "$(nproc)" -- --no-print-directory
}

# ---- Windows: MinGW-w64 builds, run under Wine ----

WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev)
WINDOWS_TOOLCHAIN="$PROJECT_DIR/cmake/mingw-w64-x86_64.cmake"
WINDOWS_FREEGLUT="${WINDOWS_FREEGLUT:-$PROJECT_DIR/build-windows-freeglut}"

# Wine runs the programs that the Windows build runs and the tests: in a
# prefix of the project's own, made on first use, quiet, and without Mono and
# Gecko (which it would offer to download).
use_wine() {
    export WINEPREFIX="${WINEPREFIX:-$PROJECT_DIR/build-wine}" WINEDEBUG="${WINEDEBUG:--all}" \
        WINEDLLOVERRIDES="mscoree,mshtml="
}

# The tests' X servers run no window manager: Wine is told so, and then draws
# the windows' frames itself, as Windows does. Left to expect a manager, Wine
# 10 never takes down a window that it has shown, such as freeglut's menus
# after a choice.
wine_without_window_manager() {
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
               -o Dir::State::Lists="$1/apt/lists" -o Dir::Cache="$1/apt/cache" -o APT::Sandbox::User=root)
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
