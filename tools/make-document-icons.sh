#!/usr/bin/env bash
# Draws the icon a file manager shows for a design file: the program icon on a white page with
# its top right corner folded, in the hicolor sizes, as
# packaging/icons/application-x-vistamarq-design-<size>.png. The emblem is the program's own
# icon (ui/assets/vistamarq-256.png, from tools/make-assets.sh), so that a design is seen at a
# glance to be Vistamarq's, and the page says it is a document rather than the program.
# Running it again gives the same files. Needs ImageMagick 6 (tools/install-deps.sh).
set -euo pipefail

# ImageMagick's own binary: another "convert" may come first on PATH.
convert=${CONVERT:-/usr/bin/convert}
root="$(cd "$(dirname "$0")/.." && pwd)"
emblem="$root/ui/assets/vistamarq-256.png"
out="$root/packaging/icons"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The page is drawn this many times larger and then scaled down, for smooth edges at 16 pixels.
zoom=4

# One size: the page, drawn in fractions of the icon so that every size has the same shape, then
# the emblem, scaled once from the large program icon to its final pixels and laid on the page.
make_icon() {
    local size=$1
    local S=$((size * zoom))
    # Page edges and fold, in pixels of the large drawing; the outline stays at least one final
    # pixel wide, or it fades to nothing at 16 and 32.
    local left=$((S * 14 / 100)) right=$((S * 86 / 100))
    local top=$((S * 2 / 100)) bottom=$((S * 98 / 100))
    local fold=$((S * 24 / 100))
    local line=$((zoom * (size > 64 ? size / 64 : 1)))
    local half=$((line / 2))
    local page="$work/page-$size.png"
    "$convert" -size ${S}x${S} xc:none -draw "
        push defs
        push gradient 'paper' linear 0,$top 0,$bottom
        stop-color '#ffffff' 0
        stop-color '#e6ecf4' 1
        pop gradient
        pop defs
        stroke '#5b6673' stroke-width $line stroke-linejoin round fill 'url(#paper)'
        polygon $((left + half)),$((top + half)) $((right - fold)),$((top + half)) \
                $((right - half)),$((top + fold)) $((right - half)),$((bottom - half)) \
                $((left + half)),$((bottom - half))
        fill '#c5cfdc'
        polygon $((right - fold)),$((top + half)) $((right - fold)),$((top + fold)) \
                $((right - half)),$((top + fold))
    " -filter Lanczos -resize ${size}x${size} "$page"

    # The emblem fills most of the page's width, centred below the fold.
    local mark=$((size * 58 / 100))
    local x=$(((size - mark) / 2)) y=$((size * 58 / 100 - mark / 2))
    "$convert" "$page" \( "$emblem" -filter Lanczos -resize ${mark}x${mark} \) \
        -geometry +${x}+${y} -composite -depth 8 -strip \
        "$out/application-x-vistamarq-design-$size.png"
}

mkdir -p "$out"
for size in 16 32 48 64 128 256; do
    make_icon "$size"
done
echo "Wrote to $out: application-x-vistamarq-design-{16,32,48,64,128,256}.png"
