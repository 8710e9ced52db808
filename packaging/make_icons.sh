#!/usr/bin/env bash
# Makes the two desktop icons, packaging/icons/32x32/tembira.png and
# packaging/icons/256x256/tembira.png, from the two images in assets/icon.ico.
# The 256 x 255 image gets one transparent row at the bottom, as the icon
# theme wants square sizes. Run it again whenever assets/icon.ico changes and
# commit the result; the build only installs the PNGs. Needs the Debian
# package imagemagick; runs from any directory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ico="$here/../assets/icon.ico"
[ -f "$ico" ] || { echo "make_icons.sh: $ico is missing" >&2; exit 1; }

# The index in the .ico of the largest image that fits SIZE x SIZE, no
# smaller than SIZE - 1 on either side.
frame_for() {
    local size=$1
    identify -format '%p %w %h\n' "$ico" | awk -v s="$size" '
        $2 <= s && $3 <= s && $2 >= s - 1 && $3 >= s - 1 { print $1; exit }'
}

for size in 32 256; do
    frame=$(frame_for "$size")
    [ -n "$frame" ] || { echo "make_icons.sh: no ${size}x${size} image in $ico" >&2; exit 1; }
    mkdir -p "$here/icons/${size}x${size}"
    out="$here/icons/${size}x${size}/tembira.png"
    # -strip and no date chunks: the same icon gives the same bytes.
    convert "${ico}[$frame]" -background none -gravity north \
        -extent "${size}x${size}" -strip -define png:exclude-chunks=date,time \
        "PNG32:$out"
    echo "packaging/icons/${size}x${size}/tembira.png: $(identify -format '%wx%h' "$out") from image $frame of assets/icon.ico"
done
