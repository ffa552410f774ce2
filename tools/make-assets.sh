#!/usr/bin/env bash
# Draws the program's artwork into ui/assets/: the Optarion logo banner (logo.png), the search
# button's magnifying glass (magnifier.png) and the program icon (vistamarq.png, and
# vistamarq-<size>.png for the other sizes desktops ask for). Everything is drawn from the
# shapes below, so running it again gives the same files.
# Needs ImageMagick 6 and the Liberation fonts; tools/install-deps.sh installs both.
set -euo pipefail

# ImageMagick's own binary: another "convert" may come first on PATH.
convert=${CONVERT:-/usr/bin/convert}
fonts=/usr/share/fonts/truetype/liberation2
bold_font=$fonts/LiberationSans-Bold.ttf
regular_font=$fonts/LiberationSans-Regular.ttf
assets="$(cd "$(dirname "$0")/.." && pwd)/ui/assets"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Shapes are drawn this many times larger and then scaled down, which smooths their edges far
# better than ImageMagick's own anti-aliasing does at small sizes.
zoom=4

# The brand's colours: a deep navy for the mark and the name, a brighter blue for accents.
navy='#12305a'
blue='#2a6ebb'
grey='#5b6673'

# Writes the MVG for the Optarion emblem, a lens seen from the front with its iris half closed:
# a steel barrel ring, six iris blades lit from the top left, the glass showing through the
# hexagonal opening. Arguments: centre x, centre y, outer radius (pixels of the drawing).
emblem_mvg() {
    # ImageMagick 6 finds a gradient only when its name is in single quotes.
    awk -v cx="$1" -v cy="$2" -v R="$3" -v q="'" '
    function px(x) { return sprintf("%.2f", cx + x) }
    function py(y) { return sprintf("%.2f", cy + y) }
    function channel(dark, light, t) { return int(dark + (light - dark) * t + 0.5) }
    BEGIN {
        pi = atan2(0, -1)
        rb = 0.78 * R       # the blades reach the mount
        r0 = 0.30 * R       # the opening
        light = -3 * pi / 4 # the light comes from the top left

        print "push defs"
        print "push gradient " q "barrel" q " linear " px(0) "," py(-R) " " px(0) "," py(R)
        print "stop-color \"#eef3f9\" 0"
        print "stop-color \"#8a9bb0\" 0.4"
        print "stop-color \"#1a2638\" 1"
        print "pop gradient"
        print "push gradient " q "glass" q " linear " px(-r0) "," py(-r0) " " px(r0) "," py(r0)
        print "stop-color \"#2b5d96\" 0"
        print "stop-color \"#08162a\" 0.6"
        print "stop-color \"#030810\" 1"
        print "pop gradient"
        print "pop defs"

        # A gradient fill outlives a later plain fill unless its context is popped.
        print "push graphic-context"
        print "stroke none fill " q "url(#barrel)" q
        print "circle " px(0) "," py(0) " " px(R) "," py(0)
        print "pop graphic-context"
        print "stroke none fill \"#0a1422\""
        print "circle " px(0) "," py(0) " " px(0.87 * R) "," py(0)

        # Each blade lies between the extensions of two neighbouring sides of the opening.
        for (i = 0; i < 6; i++) {
            a = pi / 6 + i * pi / 3
            vx[i] = r0 * cos(a); vy[i] = r0 * sin(a)
        }
        for (i = 0; i < 6; i++) {
            j = (i + 1) % 6
            dx = vx[j] - vx[i]; dy = vy[j] - vy[i]
            len = sqrt(dx * dx + dy * dy); dx /= len; dy /= len
            b = vx[j] * dx + vy[j] * dy
            t = -b + sqrt(b * b - r0 * r0 + rb * rb)
            ex[i] = vx[j] + t * dx; ey[i] = vy[j] + t * dy
        }
        print "stroke \"#0a1422\" stroke-width " (0.035 * R) " stroke-linejoin round"
        for (i = 0; i < 6; i++) {
            j = (i + 1) % 6; k = (i + 2) % 6
            path = px(vx[j]) "," py(vy[j]) " " px(vx[k]) "," py(vy[k])
            a1 = atan2(ey[j], ex[j]); a0 = atan2(ey[i], ex[i])
            while (a1 < a0) a1 += 2 * pi
            for (s = 0; s <= 24; s++) {
                a = a1 - (a1 - a0) * s / 24
                path = path " " px(rb * cos(a)) "," py(rb * sin(a))
            }
            # A blade facing the light is brighter; the blues run from #174a86 to #6cb0f0.
            mid = (a0 + a1) / 2
            lit = (1 + cos(mid - light)) / 2
            printf "fill \"#%02x%02x%02x\"\n", channel(23, 108, lit), channel(74, 176, lit),
                   channel(134, 240, lit)
            print "polygon " path
        }

        path = ""
        for (i = 0; i < 6; i++) path = path " " px(vx[i]) "," py(vy[i])
        print "push graphic-context"
        print "fill " q "url(#glass)" q
        print "polygon" path
        print "pop graphic-context"
        print "stroke none fill \"#ffffff\" fill-opacity 0.8"
        print "ellipse " px(-0.11 * R) "," py(-0.11 * R) " " (0.075 * R) "," (0.045 * R) " 0,360"
        print "fill-opacity 0.35"
        print "circle " px(0.09 * R) "," py(0.10 * R) " " px(0.115 * R) "," py(0.10 * R)
        print "fill-opacity 1"
    }'
}

# The banner: the emblem, the maker's name and the line of business, on a pale ground with a
# thin accent rule. The windows show only its left 439 pixels, so all of it sits there; the
# rest only carries the ground and the rule on.
make_logo() {
    local w=576 h=77
    local W=$((w * zoom)) H=$((h * zoom))
    local ground="$work/ground.png" mark="$work/mark.png"
    "$convert" -size "${W}x${H}" gradient:'#ffffff-#e6ecf4' \
        -fill "$blue" -draw "rectangle 0,$((H - 3 * zoom)) $W,$H" \
        -fill "$navy" -draw "rectangle 0,$((H - 3 * zoom)) $((W * 3 / 10)),$H" \
        "$ground"
    "$convert" "$ground" \
        -draw "$(emblem_mvg $((42 * zoom)) $((37 * zoom)) $((31 * zoom)))" \
        -fill "#c5cfdc" -draw "rectangle $((86 * zoom)),$((14 * zoom)) $((87 * zoom)),$((62 * zoom))" \
        "$mark"
    "$convert" "$mark" \
        -font "$bold_font" -pointsize $((40 * zoom)) -fill "$navy" -kerning $((1 * zoom)) \
        -annotate +$((100 * zoom))+$((45 * zoom)) 'Optarion' \
        -font "$regular_font" -pointsize $((11 * zoom)) -fill "$grey" -kerning $((3 * zoom)) \
        -annotate +$((102 * zoom))+$((63 * zoom)) 'CCTV LENSES' \
        -resize "${w}x${h}!" -strip "$assets/logo.png"
}

# The search button's picture. The button shows only about the middle 82 x 59 pixels, above its
# caption, so the glass stays well inside that; the ground is the light grey of a button face.
make_magnifier() {
    local w=96 h=97
    local z=$zoom
    "$convert" -size $((w * z))x$((h * z)) xc:'#efefef' -draw "
        push defs
        push gradient 'rim' linear 0,$((24 * z)) 0,$((62 * z))
        stop-color '#8a96a6' 0
        stop-color '#2c3744' 1
        pop gradient
        push gradient 'lens' linear $((28 * z)),$((28 * z)) $((58 * z)),$((58 * z))
        stop-color '#e9f3fc' 0
        stop-color '#a9c8e8' 1
        pop gradient
        push gradient 'grip' linear $((56 * z)),$((56 * z)) $((74 * z)),$((74 * z))
        stop-color '#3a4756' 0
        stop-color '#141a22' 1
        pop gradient
        pop defs
        stroke none
        fill '#000000' fill-opacity 0.12
        circle $((43 * z)),$((44 * z)) $((61 * z)),$((44 * z))
        fill-opacity 1
        stroke 'url(#grip)' stroke-width $((9 * z)) stroke-linecap round
        line $((58 * z)),$((58 * z)) $((70 * z)),$((70 * z))
        stroke '#6b7785' stroke-width $((6 * z)) stroke-linecap butt
        line $((53 * z)),$((53 * z)) $((58 * z)),$((58 * z))
        stroke 'url(#rim)' stroke-width $((5 * z)) fill 'url(#lens)'
        circle $((42 * z)),$((42 * z)) $((58 * z)),$((42 * z))
        stroke '#ffffff' stroke-width $((2 * z)) stroke-linecap round fill none
        arc $((31 * z)),$((31 * z)) $((53 * z)),$((53 * z)) 195,255
    " -resize "${w}x${h}!" -strip "$assets/magnifier.png"
}

# The program icon: the brand's emblem alone, which stays recognisable down to 16 pixels.
make_icons() {
    local big="$work/icon.png" size
    local S=1024
    "$convert" -size ${S}x${S} xc:none -draw "$(emblem_mvg 512 512 500)" "$big"
    for size in 16 32 48 64 128 256; do
        "$convert" "$big" -filter Lanczos -resize ${size}x${size} -depth 8 -strip \
            "$assets/vistamarq-$size.png"
    done
    cp "$assets/vistamarq-32.png" "$assets/vistamarq.png"
}

mkdir -p "$assets"
make_logo
make_magnifier
make_icons
echo "Wrote to $assets: logo.png, magnifier.png, vistamarq.png and vistamarq-{16,32,48,64,128,256}.png"
