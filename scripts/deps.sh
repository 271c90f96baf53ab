# Installs the Debian packages a command needs when any of them is missing.
# Usage (sourced): ensure_packages pkg...
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build ccache g++ pkg-config qt6-base-dev qt6-multimedia-dev
    qt6-qpa-plugins zlib1g-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav libtag1-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev libgpod-dev gstreamer1.0-tools poppler-utils)
# The sanitizer build and the fuzz targets: clang with its runtime libraries (libFuzzer, ASan, UBSan).
SANITIZER_PACKAGES=(clang-14 clang libclang-rt-14-dev xxd)

# Installs what is missing, then configures and builds the tree in the folder
# given (relative to the project) with the extra CMake arguments before "--"
# and the build arguments after it.
# Usage (sourced): build_project FOLDER [cmake args...] -- [cmake --build args...]
build_project() {
    local project build
    project=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    build="$project/$1"
    shift
    local configure=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do configure+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    # ccache keeps object files across build folders: the test command builds the
    # tree twice (with and without the windows) and the benchmarks once more.
    export CCACHE_BASEDIR="$project"
    cmake -S "$project" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${configure[@]}"
    cmake --build "$build" -j "$(nproc)" "$@"
}
