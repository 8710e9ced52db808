#!/usr/bin/env bash
# The packaging, checked without touching the system: installs the build into
# a temporary DESTDIR, checks the desktop entry, the icons and the metainfo,
# then builds the Debian package into a temporary folder and reads it back.
#
# usage: test_package.sh BUILD_DIR SOURCE_DIR [CMAKE [CPACK]]
set -uo pipefail

build=$1
source=$2
cmake=${3:-cmake}
cpack=${4:-cpack}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
skip() { echo "SKIP: $*"; }
have() { command -v "$1" >/dev/null 2>&1; }

# What a user gets: every file the install puts under the prefix, sorted.
expected_files="games/tembira
share/applications/tembira.desktop
share/doc/tembira/changelog.gz
share/doc/tembira/copyright
share/icons/hicolor/256x256/apps/tembira.png
share/icons/hicolor/32x32/apps/tembira.png
share/icons/hicolor/scalable/apps/tembira.svg
share/man/man6/tembira.6.gz
share/metainfo/io.github.tembira.Tembira.metainfo.xml"

version=$(sed -n 's/^#define TEMBIRA_VERSION "\(.*\)"$/\1/p' "$build/generated/tembira_version.h")
[ -n "$version" ] || fail "no TEMBIRA_VERSION in $build/generated/tembira_version.h"

# --- The install -----------------------------------------------------------
dest=$work/dest
prefix=$dest/usr
if ! DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    fail "cmake --install failed"
    exit 1
fi
installed=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
if [ "$installed" != "$expected_files" ]; then
    fail "the install puts other files than expected:"
    diff <(echo "$expected_files") <(echo "$installed")
fi
[ -x "$prefix/games/tembira" ] || fail "games/tembira is not executable"
# Only files under the prefix: nothing beside it in DESTDIR.
outside=$(cd "$dest" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "the install writes outside the prefix: $outside"

# --- The desktop entry -----------------------------------------------------
desktop=$prefix/share/applications/tembira.desktop
# The value of KEY in the [Desktop Entry] group.
entry() {
    awk -v key="$1" '
        /^\[/ { group = $0; next }
        group == "[Desktop Entry]" && index($0, key "=") == 1 {
            print substr($0, length(key) + 2); exit }' "$desktop"
}
check_entry() {
    local got
    got=$(entry "$1")
    [ "$got" = "$2" ] || fail "desktop entry $1 is '$got', not '$2'"
}
if [ -f "$desktop" ]; then
    check_entry Type Application
    check_entry Name "１５パズル"
    check_entry "Name[ja]" "１５パズル"
    check_entry Exec tembira
    check_entry Icon tembira
    check_entry Terminal false
    check_entry Categories "Game;LogicGame;"
    [ -n "$(entry Comment)" ] || fail "desktop entry has no Comment"
    # Exec and Icon name what the install provides.
    [ -x "$prefix/games/$(entry Exec)" ] || fail "desktop entry Exec names no installed program"
    if have desktop-file-validate; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate rejects tembira.desktop"
    else
        skip "desktop-file-validate not found (Debian package desktop-file-utils): desktop entry not validated"
    fi
fi

# --- The icons -------------------------------------------------------------
for size in 32 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/tembira.png
    [ -f "$png" ] || continue
    described=$(file -b "$png")
    case "$described" in
    "PNG image data, $size x $size,"*) ;;
    *) fail "${size}x${size}/apps/tembira.png is $described" ;;
    esac
done
# The committed PNGs are the images of assets/icon.ico (the 256 x 255 one
# with a transparent row below): make_icons.sh was run after the last change.
ico=$source/assets/icon.ico
if ! have identify || ! have compare; then
    skip "ImageMagick not found: icons not compared with assets/icon.ico"
elif [ ! -f "$ico" ]; then
    skip "assets/icon.ico not found: icons not compared with it"
else
    while read -r frame w h; do
        size=$((w > h ? w : h))
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/tembira.png
        [ -f "$png" ] || { fail "no ${size}x${size} icon for the ${w}x${h} image of icon.ico"; continue; }
        # AE: the number of pixels that differ.
        differing=$(compare -metric AE "${ico}[$frame]" \
            "${png}[${w}x${h}+0+0]" null: 2>&1)
        [ "$differing" = 0 ] || fail "${size}x${size} icon differs from image $frame of assets/icon.ico in $differing pixels: run packaging/make_icons.sh"
        if [ "$h" -lt "$size" ]; then
            opaque=$(convert "$png" -crop "${size}x$((size - h))+0+$h" -format '%[fx:maxima.a]' info:)
            [ "$opaque" = 0 ] || fail "the padding of the ${size}x${size} icon is not transparent"
        fi
    done < <(identify -format '%p %w %h\n' "$ico")
fi

# The scalable icon is a drawing of the same board: shapes only, its numbers
# as outlines, so that it needs no font and holds no bitmap.
svg=$prefix/share/icons/hicolor/scalable/apps/tembira.svg
if [ -f "$svg" ]; then
    described=$(file -b "$svg")
    case "$described" in
    "SVG Scalable Vector Graphics image"*) ;;
    *) fail "scalable/apps/tembira.svg is $described" ;;
    esac
    grep -q '<path' "$svg" || fail "scalable/apps/tembira.svg draws no shape"
    if grep -Eq '<(text|image)' "$svg"; then
        fail "scalable/apps/tembira.svg holds text or a bitmap"
    fi
    if have compare && [ -f "$ico" ]; then
        # Normalised RMSE: about 0.1 for the board, near 0.5 for another picture.
        convert -background white "$svg" -resize '256x255!' "$work/svg.png"
        error=$(compare -metric RMSE "$work/svg.png" "${ico}[0]" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
        awk -v e="$error" 'BEGIN { exit !(e < 0.2) }' ||
            fail "scalable/apps/tembira.svg is not the board of assets/icon.ico (RMSE $error): run assets/generate_board_pictures.sh"
    fi
fi

# --- The metainfo ----------------------------------------------------------
metainfo=$prefix/share/metainfo/io.github.tembira.Tembira.metainfo.xml
if [ -f "$metainfo" ]; then
    launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
    [ -f "$prefix/share/applications/$launchable" ] ||
        fail "metainfo launchable '$launchable' is not an installed desktop entry"
    if have appstreamcli; then
        appstreamcli validate --no-net "$metainfo" >"$work/validate.log" 2>&1 ||
            { cat "$work/validate.log"; fail "appstreamcli rejects the metainfo"; }
    else
        skip "appstreamcli not found (Debian package appstream): metainfo not validated"
    fi
fi

# --- The documents ---------------------------------------------------------
# The changelog's latest entry is the version the program says it is.
changelog=$prefix/share/doc/tembira/changelog.gz
if [ -f "$changelog" ]; then
    latest=$(gzip -dc "$changelog" | sed -n '1s/^tembira (\([^)]*\)).*/\1/p')
    [ "$latest" = "$version" ] ||
        fail "the changelog's latest entry is '$latest', the program says '$version': add an entry to packaging/changelog"
fi
# The copyright file carries the licence of LICENSE word for word.
copyright=$prefix/share/doc/tembira/copyright
if [ -f "$copyright" ]; then
    carried=$(awk '/^ Permission/ { on = 1 } on && !/^ / { exit }
        on { sub(/^ /, ""); sub(/^\.$/, ""); print }' "$copyright")
    [ "$carried" = "$(sed -n '/^Permission/,$p' "$source/LICENSE")" ] ||
        fail "the licence in packaging/copyright is not the text of LICENSE"
fi

# --- The Debian package ----------------------------------------------------
if ! have dpkg-deb || ! have dpkg-shlibdeps; then
    skip "dpkg-deb or dpkg-shlibdeps not found (Debian package dpkg-dev): no Debian package built"
elif ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack -G DEB failed"
else
    debs=("$work"/deb/tembira_*.deb)
    if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        fail "cpack made no single tembira_*.deb: $(ls "$work/deb")"
    else
        deb=${debs[0]}
        field() { dpkg-deb -f "$deb" "$1"; }
        [ "$(field Package)" = tembira ] || fail "Package is '$(field Package)'"
        [ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the program says '$version'"
        [ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
        [ -n "$(field Maintainer)" ] || fail "no Maintainer"
        [ -n "$(field Description)" ] || fail "no Description"
        depends=$(field Depends)
        for needed in libqt6widgets6 libqt6svg6 libc6 fonts-ipafont-mincho fonts-ipafont-gothic; do
            # A whole package name in the comma-separated list.
            echo "$depends" | tr ',' '\n' | grep -Eq "^ *$needed( |\$)" ||
                fail "Depends lacks $needed: $depends"
        done
        packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' |
            sed 's|^\./usr/||' | LC_ALL=C sort)
        if [ "$packaged" != "$expected_files" ]; then
            fail "the package holds other files than expected:"
            diff <(echo "$expected_files") <(echo "$packaged")
        fi
        outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '^\./usr/' || true)
        [ -z "$outside" ] || fail "the package holds paths outside /usr: $outside"
        # Debian's own checks: the manual page, the copyright file, the
        # changelog, where a game goes, the binary. Info tags may stay.
        if have lintian; then
            lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
                { cat "$work/lintian.log"; fail "lintian finds errors or warnings in the package"; }
        else
            skip "lintian not found (Debian package lintian): the package is not checked by it"
        fi
    fi
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures packaging check(s) failed"
    exit 1
fi
echo "packaging checks passed"
