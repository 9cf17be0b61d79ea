#!/usr/bin/env bash
# The program as a user installs it.
#
# check_install.sh install BUILD_DIR WEBENGINE(ON|OFF)
#   installs into a temporary prefix with `cmake --install`, moves the
#   installation elsewhere, starts the moved program offscreen and reads
#   from its start-up log where it found its preview plugin, its help and
#   the user's data; checks the menu entry and the AppStream data with the
#   desktop's own validators.
# check_install.sh package BUILD_DIR WEBENGINE(ON|OFF)
#   makes the .deb with cpack into a temporary folder and checks its files,
#   its dependency fields and what lintian finds (no error or warning; the
#   package's own overrides say why a tag does not apply).
set -euo pipefail

mode="$1"
build="$(cd "$2" && pwd)"
webengine="$3"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need() {
    command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (package $2; tools.sh installs it)" >&2; exit 1; }
}
# expect_file PATH: PATH exists as a regular file.
expect_file() {
    [ -f "$1" ] || fail "not installed: ${1#"$tmp"/}"
}

check_install() {
    need desktop-file-validate desktop-file-utils
    need appstreamcli appstream
    cmake --install "$build" --prefix "$tmp/first" >"$tmp/install.log"
    # Wherever the installation ends up, it must still work.
    mv "$tmp/first" "$tmp/prefix"
    local prefix="$tmp/prefix"
    local plugin="$prefix/lib/quillon/libquillon_webpreview.so"

    expect_file "$prefix/bin/quillon"
    expect_file "$prefix/share/applications/org.velmora.Quillon.desktop"
    expect_file "$prefix/share/metainfo/org.velmora.Quillon.metainfo.xml"
    expect_file "$prefix/share/icons/hicolor/scalable/apps/quillon.svg"
    expect_file "$prefix/share/icons/hicolor/48x48/apps/quillon.png"
    expect_file "$prefix/share/man/man1/quillon.1.gz"
    expect_file "$prefix/share/doc/quillon/copyright"
    expect_file "$prefix/share/doc/quillon/changelog.Debian.gz"
    expect_file "$prefix/share/lintian/overrides/quillon"
    if [ "$webengine" = ON ]; then
        expect_file "$plugin"
    elif [ -e "$plugin" ]; then
        fail "a plugin was installed by a build without the embedded browser"
    fi
    local extra
    extra="$(cd "$prefix" && find . -type f | grep -E 'tst_|bench|quillon-builtins|recoverychild|\.a$' || true)"
    [ -z "$extra" ] || fail "installed what is not the program: $extra"

    [ "$(head -c 4 "$prefix/share/icons/hicolor/48x48/apps/quillon.png" | tail -c 3)" = PNG ] ||
        fail "the 48 px icon is not a PNG"
    desktop-file-validate "$prefix/share/applications/org.velmora.Quillon.desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net "$prefix/share/metainfo/org.velmora.Quillon.metainfo.xml" || fail "appstreamcli validate"

    # --version answers without a window.
    local version
    version="$(QT_QPA_PLATFORM=offscreen "$prefix/bin/quillon" --version)"
    [ "$version" = "Quillon 1.6" ] || fail "--version printed '$version'"

    # A start as the desktop would make it, with the user's folders and
    # everything else out of the build tree's reach.
    mkdir -m 700 "$tmp/runtime"
    mkdir "$tmp/home" "$tmp/cwd"
    find "$prefix" | sort >"$tmp/before.txt"
    local log="$tmp/start.log" status=0
    (cd "$tmp/cwd" &&
        env -u QUILLON_PLUGIN_DIR -u QUILLON_NO_WEBENGINE \
            HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" \
            XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp/runtime" TMPDIR="$tmp" \
            QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="quillon.startup=true" \
            QT_MESSAGE_PATTERN="%{category}: %{message}" QUILLON_QUIT_AFTER_START=1 \
            timeout 120 "$prefix/bin/quillon") >"$log" 2>&1 || status=$?
    cat "$log"
    [ "$status" -eq 0 ] || fail "the installed program ended with status $status"
    grep -q '^quillon.startup: started; closing' "$log" || fail "the program did not report a finished start"

    if [ "$webengine" = ON ]; then
        grep -qxF "quillon.startup: preview plugin: $plugin" "$log" ||
            fail "the preview plugin was not found at $plugin"
    else
        grep -qxF "quillon.startup: preview plugin: none, built without the embedded browser" "$log" ||
            fail "a build without the embedded browser reported a plugin"
    fi
    grep -qE '^quillon.startup: help: [1-9][0-9]* pages and [1-9][0-9]* contents entries in :/help/$' "$log" ||
        fail "the help was not found"

    local data="$tmp/data/Velmora/Quillon"
    grep -qxF "quillon.startup: user library: $data/user-scripts/" "$log" ||
        fail "the user library is not in XDG_DATA_HOME"
    grep -qxF "quillon.startup: recovery folder: $data/recovery/" "$log" ||
        fail "the recovery folder is not in XDG_DATA_HOME"
    [ -d "$data/user-scripts" ] || fail "no user library was made in $data"
    [ -f "$tmp/config/Velmora/Quillon.conf" ] || fail "the window arrangement was not kept in XDG_CONFIG_HOME"

    # A file named like one of Qt's options is opened when it follows "--".
    printf 'go();\n' >"$tmp/cwd/-reverse"
    local named="$tmp/named.log"
    (cd "$tmp/cwd" &&
        env -u QUILLON_PLUGIN_DIR QUILLON_NO_WEBENGINE=1 \
            HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" \
            XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp/runtime" TMPDIR="$tmp" \
            QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="quillon.startup=true" \
            QT_MESSAGE_PATTERN="%{category}: %{message}" QUILLON_QUIT_AFTER_START=1 \
            timeout 120 "$prefix/bin/quillon" -- -reverse) >"$named" 2>&1 ||
        fail "the program ended with status $? when given -- -reverse"
    grep -qxF "quillon.startup: file to open: $tmp/cwd/-reverse" "$named" ||
        fail "the file -reverse after -- was not taken for the file to open"

    find "$prefix" | sort >"$tmp/after.txt"
    diff "$tmp/before.txt" "$tmp/after.txt" || fail "the program wrote into its installation"
}

check_package() {
    need cpack cmake
    need dpkg-deb dpkg
    need dpkg-shlibdeps dpkg-dev
    need lintian lintian
    cpack -G DEB -B "$tmp/package" --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1 ||
        { cat "$tmp/cpack.log"; fail "cpack"; return; }
    local deb
    deb="$(find "$tmp/package" -maxdepth 1 -name 'quillon_1.6*.deb' | head -n 1)"
    [ -n "$deb" ] || { cat "$tmp/cpack.log"; fail "no quillon_1.6*.deb was made"; return; }
    echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
    local files
    files="$(dpkg-deb -c "$deb" | awk '{ print $6 }')"
    local wanted=(./usr/bin/quillon
                  ./usr/share/applications/org.velmora.Quillon.desktop
                  ./usr/share/metainfo/org.velmora.Quillon.metainfo.xml
                  ./usr/share/icons/hicolor/scalable/apps/quillon.svg
                  ./usr/share/icons/hicolor/48x48/apps/quillon.png
                  ./usr/share/man/man1/quillon.1.gz
                  ./usr/share/doc/quillon/copyright
                  ./usr/share/doc/quillon/changelog.Debian.gz
                  ./usr/share/lintian/overrides/quillon)
    [ "$webengine" = ON ] && wanted+=(./usr/lib/quillon/libquillon_webpreview.so)
    for path in "${wanted[@]}"; do
        grep -qxF "$path" <<<"$files" || fail "the package lacks $path"
    done
    if grep -E 'tst_|quillon-builtins|recoverychild' <<<"$files"; then
        fail "the package holds what is not the program"
    fi

    local depends recommends
    depends="$(dpkg-deb -f "$deb" Depends)"
    recommends="$(dpkg-deb -f "$deb" Recommends)"
    echo "Depends: $depends"
    echo "Recommends: $recommends"
    for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqscintilla2-qt6 libqt6svg6; do
        grep -q "\b$package" <<<"$depends" || fail "Depends lacks $package"
    done
    # The program runs without Qt WebEngine: it may only be recommended.
    # The extended description: one space before each line, and not the
    # summary again.
    local description
    description="$(dpkg-deb -f "$deb" Description)"
    [ "$(sed -n 2p <<<"$description")" != " $(head -n 1 <<<"$description")" ] ||
        fail "the description repeats its summary"
    if tail -n +2 <<<"$description" | grep -qv '^ [^ ]'; then
        fail "a line of the extended description does not start with one space"
    fi
    if grep -q webengine <<<"$depends"; then
        fail "Depends names Qt WebEngine"
    fi
    if [ "$webengine" = ON ]; then
        grep -q libqt6webenginewidgets6 <<<"$recommends" || fail "Recommends lacks libqt6webenginewidgets6"
    else
        [ -z "$recommends" ] || fail "a package without the embedded browser recommends $recommends"
    fi

    # Errors and warnings fail; so do the hardening and stripping notes of
    # the program's binaries, which a release build must not give.
    local status=0
    lintian --display-info --fail-on error,warning --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || status=$?
    cat "$tmp/lintian.log"
    [ "$status" -eq 0 ] || fail "lintian found errors or warnings"
    if grep -E '^[EWI]: quillon: (hardening-|binary-has-unneeded-section|unstripped-binary)' "$tmp/lintian.log"; then
        fail "the binaries are not hardened or stripped"
    fi
}

case "$mode" in
install) check_install ;;
package) check_package ;;
*) echo "usage: $0 install|package BUILD_DIR ON|OFF" >&2; exit 2 ;;
esac
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"
