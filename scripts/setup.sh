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

# Configures and builds into $BUILD_DIR.
build_project() {
    cmake -S "$PROJECT_DIR" -B "$BUILD_DIR" "$@" >/dev/null &&
        cmake --build "$BUILD_DIR" -j "$(nproc)" -- --no-print-directory
}
