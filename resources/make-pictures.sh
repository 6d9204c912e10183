#!/usr/bin/env bash
# Regenerates the raster pictures from their SVG sources. A developer tool: the build uses
# the committed files. Needs librsvg2-bin and imagemagick.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for size in 16 32 48 256; do
    rsvg-convert -w $size -h $size oem/logo.svg -o "$tmp/logo-$size.png"
done
/usr/bin/convert "$tmp"/logo-16.png "$tmp"/logo-32.png "$tmp"/logo-48.png "$tmp"/logo-256.png oem/logo.ico

cp oem/logo.svg linux/quarnel-link.svg
for size in 48 128 256; do
    rsvg-convert -w $size -h $size oem/logo.svg -o linux/quarnel-link-$size.png
done

rsvg-convert -w 96 -h 96 oem/logo.svg -o "$tmp/banner-logo.png"
/usr/bin/convert -size 480x120 -define gradient:direction=east gradient:'#1d4274'-'#0b1c36' \
    "$tmp/banner-logo.png" -geometry +14+12 -composite \
    -font DejaVu-Sans-Bold -pointsize 34 -fill '#e6eef7' -annotate +126+62 'Quarnel Link' \
    -font DejaVu-Sans -pointsize 14 -fill '#8fc4ff' -annotate +128+90 'Inspection and microscope camera viewer' \
    oem/banner.png

rsvg-convert -w 16 -h 16 images/record_indicator.svg -o images/record_indicator.png
rsvg-convert -w 12 -h 12 icons/light-blue/scalable/down_arrow.svg -o res-icons/down_arrow.png
rsvg-convert -w 12 -h 12 icons/light-blue/scalable/right_arrow.svg -o res-icons/right_arrow.png
