# Shared by run.sh and test.sh: install what is missing, then configure and
# build incrementally.  Sourced, not run.

QUILLON_PACKAGES=(
    g++ make cmake
    qt6-base-dev libqscintilla2-qt6-dev qt6-webengine-dev libqt6svg6 libgl-dev
    libbenchmark-dev libxcb1-dev
    xvfb xauth fonts-dejavu-core
)

quillon_install_missing() {
    local missing=()
    for p in "${QUILLON_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# quillon_build BUILD_DIR [cmake options...]
quillon_build() {
    local dir="$1"
    shift
    # Configure once; later builds let CMake re-run itself when needed.
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
    cmake --build "$dir" -j "$(nproc)"
}
