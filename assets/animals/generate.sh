#!/usr/bin/env bash
# Renders the reward pictures from their SVG sources into 256x256,
# 8-bit palette (256 colour) Windows BMP files in the assets folder.
#
# Needs: rsvg-convert (Debian package librsvg2-bin) and convert
# (Debian package imagemagick). Runs from any directory.
set -euo pipefail

here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
cd -- "$here"

for tool in rsvg-convert convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "generate.sh: '$tool' not found (install librsvg2-bin and imagemagick)" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

render() {
    local svg=$1 bmp=$2
    rsvg-convert --width 256 --height 256 --background-color white \
        --format png --output "$work/picture.png" "$svg"
    # Flatten on white, reduce to a 256-colour palette and write an
    # uncompressed BMP3 (BITMAPINFOHEADER) with 8 bits per pixel.
    convert "$work/picture.png" -background white -alpha remove -alpha off \
        -resize '256x256!' -dither FloydSteinberg -colors 256 \
        -type Palette -compress None "BMP3:../$bmp"
    echo "wrote assets/$bmp"
}

render anteater.svg      reward1.bmp
render tree_kangaroo.svg reward2.bmp
render okapi.svg         reward3.bmp
