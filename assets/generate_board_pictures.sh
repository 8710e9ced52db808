#!/bin/sh
# Makes opening.bmp and icon.ico in this folder from the game's own drawing of
# the solved board (tembira-render), as 256-colour palette pictures, the
# scalable icon packaging/icons/scalable/tembira.svg, the same drawing with
# its numbers as outlines, and opening.svg, the opening drawn so.
# usage: assets/generate_board_pictures.sh [BUILD_DIR]   (default: build)
# Needs ImageMagick.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
render="$build/tembira-render"
if [ ! -x "$render" ]; then
    echo "generate_board_pictures.sh: no $render; build the program first" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$render" "$work"

# 8 bits per pixel with a 256-colour palette, no alpha.
palette() {
    convert "$1" -alpha off +dither -colors 256 -compress None -type Palette "$2"
}

palette "$work/opening.png" "BMP3:$here/opening.bmp"
palette "$work/board.png" "$work/board.bmp"
palette "$work/board32.png" "$work/board32.bmp"
convert "$work/board.bmp" "$work/board32.bmp" -type Palette "$here/icon.ico"
mkdir -p "$here/../packaging/icons/scalable"
cp "$work/board.svg" "$here/../packaging/icons/scalable/tembira.svg"
cp "$work/opening.svg" "$here/opening.svg"

identify "$here/opening.bmp" "$here/icon.ico"
