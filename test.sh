#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless.
# QUILLON_WEBENGINE=OFF builds and tests the configuration without the
# embedded browser (in build-noweb/); QUILLON_WERROR=ON (as CI sets it)
# makes compiler warnings errors.
set -euo pipefail
cd "$(dirname "$0")"
source ./tools.sh
quillon_install_missing

webengine="${QUILLON_WEBENGINE:-ON}"
if [ "$webengine" = "OFF" ]; then
    dir=build-noweb
else
    dir=build
fi
options=(-DQUILLON_WEBENGINE="$webengine")
if [ -n "${QUILLON_WERROR:-}" ]; then
    options+=(-DQUILLON_WERROR="$QUILLON_WERROR")
fi
quillon_build "$dir" "${options[@]}"
quillon_fetch_corpus "$dir"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
