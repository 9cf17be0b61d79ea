# Shared by run.sh and test.sh: install what is missing, then configure and
# build incrementally.  Sourced, not run.

QUILLON_PACKAGES=(
    g++ make cmake
    qt6-base-dev libqscintilla2-qt6-dev qt6-webengine-dev libqt6svg6 libgl-dev
    libbenchmark-dev libxcb1-dev libzip-dev libmozjs-102-dev pkgconf
    xvfb xauth fonts-dejavu-core
    desktop-file-utils appstream dpkg-dev lintian
)

# What CI's style check (tools/check_style.sh) needs as well.
QUILLON_STYLE_PACKAGES=(git clang-format clang-tidy)

# quillon_install_missing [packages...]: the given packages, or the
# program's own.
quillon_install_missing() {
    local wanted=("$@")
    [ ${#wanted[@]} -eq 0 ] && wanted=("${QUILLON_PACKAGES[@]}")
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# Whether every -DNAME=VALUE (or -DNAME:TYPE=VALUE) argument already stands
# so in the CMake cache of the build dir.
# quillon_cache_matches BUILD_DIR [cmake options...]
quillon_cache_matches() {
    local cache="$1/CMakeCache.txt"
    shift
    [ -f "$cache" ] || return 1
    local option name value
    for option in "$@"; do
        [[ "$option" == -D*=* ]] || return 1
        option="${option#-D}"
        name="${option%%=*}"
        name="${name%%:*}"
        value="${option#*=}"
        # Cache lines read NAME:TYPE=VALUE.
        name="$name" value="$value" awk '
            index($0, ENVIRON["name"] ":") == 1 && substr($0, index($0, "=") + 1) == ENVIRON["value"] { found = 1 }
            END { exit !found }' "$cache" || return 1
    done
}

# Real libraries the tests open and save as they came, from the npm
# registry (npm pack, pinned versions), unpacked once into DIR/NAME-VERSION.
QUILLON_CORPUS_PACKAGES=(jquery@3.7.1 lodash@4.17.21)
# A large one more for the syntax check only (its many files are not all
# opened and saved).
QUILLON_SYNTAX_CORPUS_PACKAGES=(three@0.160.0)

# quillon_fetch_packages DIR PACKAGE...
quillon_fetch_packages() {
    local dir="$1" package name folder work
    shift
    command -v npm >/dev/null || quillon_install_missing npm
    mkdir -p "$dir"
    for package in "$@"; do
        name="${package%@*}-${package##*@}"
        folder="$dir/$name"
        [ -d "$folder" ] && continue
        work=$(mktemp -d)
        (cd "$work" && npm pack --silent "$package" >/dev/null) || { rm -rf "$work"; return 1; }
        mkdir -p "$work/unpacked"
        tar -xzf "$work"/*.tgz -C "$work/unpacked"
        mv "$work/unpacked/package" "$folder"
        rm -rf "$work"
    done
}

# quillon_fetch_corpus BUILD_DIR: the corpus into BUILD_DIR/corpus, the
# syntax check's large one into BUILD_DIR/corpus-syntax.
quillon_fetch_corpus() {
    quillon_fetch_packages "$1/corpus" "${QUILLON_CORPUS_PACKAGES[@]}"
    quillon_fetch_packages "$1/corpus-syntax" "${QUILLON_SYNTAX_CORPUS_PACKAGES[@]}"
}

# quillon_build BUILD_DIR [cmake options...]
quillon_build() {
    local dir="$1"
    shift
    local first=()
    [ -f "$dir/CMakeCache.txt" ] || first=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
    # Configure when there is no build system (a first configure cut short,
    # or run before the packages were there, leaves a cache without one) or
    # when an option differs from the cache.  Otherwise the build re-runs
    # CMake itself when a CMakeLists.txt changed.
    if { [ ! -f "$dir/Makefile" ] && [ ! -f "$dir/build.ninja" ]; } || ! quillon_cache_matches "$dir" "$@"; then
        cmake -S . -B "$dir" "${first[@]}" "$@"
    fi
    cmake --build "$dir" -j "$(nproc)"
}
