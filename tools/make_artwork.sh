#!/usr/bin/env bash
# Regenerates every bitmap in resources/ from scratch. Not part of the build:
# the outputs are committed, run this only when the artwork has to change.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/resources"
TOOLS="$ROOT/tools"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
mkdir -p "$OUT"

W=657
H=321
UIFONT="Noto Sans Arabic"
TITLEFONT="Noto Kufi Arabic"

# ---------------------------------------------------------------- helpers

# txt OUT MARKUP -- pango shapes the Arabic right-to-left; trim to the ink so
# callers can centre it.
txt() {
  convert -background none pango:"$2" -trim +repage "$1"
}

# glyph NAME COLOUR OUT SIZE -- small line icons, drawn 4x and scaled down
# so the edges come out anti-aliased.
glyph() {
  local name=$1 c=$2 out=$3 s=$4
  local S=$((s * 4))
  case $name in
    folder)
      convert -size ${S}x${S} xc:none -fill "$c" -stroke none \
        -draw "roundrectangle 2,$((S*18/100)) $((S*45/100)),$((S*40/100)) 4,4" \
        -draw "roundrectangle 2,$((S*28/100)) $((S-3)),$((S*88/100)) 6,6" \
        -resize ${s}x${s} "$out" ;;
    picture)
      convert -size ${S}x${S} xc:none -fill none -stroke "$c" -strokewidth 5 \
        -draw "roundrectangle 4,$((S*16/100)) $((S-5)),$((S*86/100)) 6,6" \
        -fill "$c" -stroke none \
        -draw "polygon 8,$((S*80/100)) $((S*38/100)),$((S*44/100)) $((S*60/100)),$((S*66/100)) $((S*72/100)),$((S*54/100)) $((S-8)),$((S*80/100))" \
        -draw "circle $((S*70/100)),$((S*34/100)) $((S*78/100)),$((S*34/100))" \
        -resize ${s}x${s} "$out" ;;
    palette)
      # a tiny colour wheel: reads as "colour" even at 12 px
      local cx=$((S/2)) r=$((S/2-3))
      convert -size ${S}x${S} xc:none -stroke none \
        -fill '#ff5a5a' -draw "path 'M $cx,$cx L $((cx+r)),$cx A $r,$r 0 0,1 $((cx-r/2)),$((cx+r*87/100)) Z'" \
        -fill '#4fd16a' -draw "path 'M $cx,$cx L $((cx-r/2)),$((cx+r*87/100)) A $r,$r 0 0,1 $((cx-r/2)),$((cx-r*87/100)) Z'" \
        -fill '#4aa8ff' -draw "path 'M $cx,$cx L $((cx-r/2)),$((cx-r*87/100)) A $r,$r 0 0,1 $((cx+r)),$cx Z'" \
        -fill none -stroke "$c" -strokewidth 4 -draw "circle $cx,$cx $((cx+r)),$cx" \
        -fill "$c" -stroke none -draw "circle $cx,$cx $((cx+S/10)),$cx" \
        -resize ${s}x${s} "$out" ;;
    check)
      convert -size ${S}x${S} xc:none -fill none -stroke "$c" -strokewidth $((S/8)) \
        -draw "stroke-linecap round stroke-linejoin round polyline $((S*16/100)),$((S*52/100)) $((S*40/100)),$((S*76/100)) $((S*86/100)),$((S*26/100))" \
        -resize ${s}x${s} "$out" ;;
    undo)
      # counter-clockwise arrow: "put the folder back the way it was"
      convert -size ${S}x${S} xc:none -fill none -stroke "$c" -strokewidth $((S/10)) \
        -draw "stroke-linecap round path 'M $((S*54/100)),$((S*25/100)) A $((S*30/100)),$((S*30/100)) 0 1,1 $((S*29/100)),$((S*76/100))'" \
        -fill "$c" -stroke none \
        -draw "polygon $((S*30/100)),$((S*25/100)) $((S*56/100)),$((S*8/100)) $((S*56/100)),$((S*42/100))" \
        -resize ${s}x${s} "$out" ;;
  esac
}

# button OUT W H STYLE LIT LABEL GLYPH FONTSIZE
# Output is padded by P px on every side so shadow and glow fit; composite it
# at (x-P, y-P).
P=8
button() {
  local out=$1 w=$2 h=$3 style=$4 lit=$5 label=$6 gname=$7 fs=$8
  local r=6 cw=$((w + 2 * P)) ch=$((h + 2 * P))
  local top bot edge hi tcol
  case "$style:$lit" in
    glass:0)  top='rgba(80,175,225,0.50)'; bot='rgba(25,95,150,0.55)'; edge='rgba(140,215,250,0.55)'; hi='rgba(255,255,255,0.30)'; tcol='#eaf7ff' ;;
    glass:1)  top='rgba(120,215,250,0.62)'; bot='rgba(40,150,205,0.62)'; edge='rgba(190,245,255,0.95)'; hi='rgba(255,255,255,0.55)'; tcol='#ffffff' ;;
    accent:0) top='#2fc7a4'; bot='#14876f'; edge='#0c5f50'; hi='rgba(255,255,255,0.40)'; tcol='#ffffff' ;;
    accent:1) top='#5be6c4'; bot='#1fae8e'; edge='#8ff5dc'; hi='rgba(255,255,255,0.60)'; tcol='#ffffff' ;;
    slate:0)  top='#5a7190'; bot='#35475f'; edge='#22303f'; hi='rgba(255,255,255,0.28)'; tcol='#f1f6fb' ;;
    slate:1)  top='#7b95b6'; bot='#4b6283'; edge='#b6d2f0'; hi='rgba(255,255,255,0.50)'; tcol='#ffffff' ;;
  esac

  convert -size ${w}x${h} xc:none -fill white \
    -draw "roundrectangle 0,0 $((w-1)),$((h-1)) $r,$r" "$T/bmask.png"
  convert -size ${w}x${h} gradient:"$top"-"$bot" -alpha set "$T/bmask.png" \
    -compose DstIn -composite "$T/bbody.png"
  # soft sheen on the upper half
  convert -size ${w}x$((h/2)) gradient:'rgba(255,255,255,0.16)'-'rgba(255,255,255,0.02)' \
    -background none -extent ${w}x${h} -alpha set "$T/bmask.png" -compose DstIn -composite "$T/bsheen.png"

  txt "$T/blabel.png" "<span font=\"$UIFONT Bold $fs\" foreground=\"$tcol\">$label</span>"
  local lw lh gs
  gs=$(( h > 30 ? 16 : 12 ))
  lw=$(identify -format %w "$T/blabel.png")
  lh=$(identify -format %h "$T/blabel.png")
  glyph "$gname" "$tcol" "$T/bglyph.png" $gs
  # RTL: the glyph leads, so it sits right of the text
  local gap=5 tot
  tot=$((lw + gap + gs))
  local x0
  x0=$(( P + (w - tot) / 2 ))
  local ty gy
  ty=$(( P + (h - lh) / 2 )); gy=$(( P + (h - gs) / 2 ))

  local under
  if [ "$lit" = 1 ]; then
    # outer glow instead of a drop shadow; kept tight so it stays inside the
    # hover crop
    under=( -fill 'rgba(110,230,255,0.85)' -draw "roundrectangle $((P-1)),$((P-1)) $((P+w)),$((P+h)) $((r+1)),$((r+1))" -blur 0x2.2 )
  else
    under=( -fill 'rgba(0,0,0,0.55)' -draw "roundrectangle $P,$((P+2)) $((P+w-1)),$((P+h+1)) $r,$r" -blur 0x2.5 )
  fi

  convert -size ${cw}x${ch} xc:none "${under[@]}" \
    "$T/bbody.png" -geometry +$P+$P -compose Over -composite \
    "$T/bsheen.png" -geometry +$P+$P -composite \
    -fill none -stroke "$edge" -strokewidth 1 \
    -draw "roundrectangle $((P)).5,$((P)).5 $((P+w-1)).5,$((P+h-1)).5 $r,$r" \
    -stroke "$hi" -draw "line $((P+r)),$((P+1)) $((P+w-1-r)),$((P+1))" \
    "$T/blabel.png" -geometry +$((x0))+$((ty)) -composite \
    "$T/bglyph.png" -geometry +$((x0 + lw + gap))+$((gy)) -composite \
    "$out"
}

# ---------------------------------------------------------------- background

# deep navy to teal, lit from the upper right where the controls are
convert -size ${W}x${H} -define gradient:angle=115 gradient:'#0a1830'-'#0b4656' \
  \( -size 520x420 radial-gradient:'rgba(40,190,210,0.30)'-'rgba(40,190,210,0)' \) \
     -geometry +300-150 -compose Screen -composite \
  \( -size 500x360 radial-gradient:'rgba(20,60,140,0.35)'-'rgba(20,60,140,0)' \) \
     -geometry -200+80 -compose Screen -composite \
  "$T/bg_grad.png"

# faint ripple arcs in the lower right for texture without competing with text
convert -size ${W}x${H} xc:none -fill none -stroke 'rgba(160,235,255,0.07)' -strokewidth 1.2 \
  -draw "circle 690,400 690,250" -draw "circle 690,400 690,210" \
  -draw "circle 690,400 690,170" -draw "circle 690,400 690,128" \
  -draw "circle 690,400 690,84"  -draw "circle -60,-40 -60,150" \
  -draw "circle -60,-40 -60,190" "$T/bg_arcs.png"

# fine grain so the gradient does not band
convert -size ${W}x${H} xc:gray50 -seed 7 -attenuate 0.35 +noise Gaussian \
  -colorspace Gray -blur 0x0.4 "$T/bg_noise.png"

convert "$T/bg_grad.png" "$T/bg_arcs.png" -compose Over -composite \
  "$T/bg_noise.png" -compose SoftLight -define compose:args=35 -composite \
  "$T/bg_base0.png"

# footer strip behind the bottom status texts
convert "$T/bg_base0.png" \
  -fill 'rgba(0,8,20,0.32)' -draw "rectangle 0,279 $((W-1)),$((H-1))" \
  -fill 'rgba(140,220,255,0.14)' -draw "line 0,279 $((W-1)),279" \
  "$T/bg_base.png"

# preview frame: soft shadow plus hairline so the picture sits on the page
convert -size ${W}x${H} xc:none \
  -fill 'rgba(0,0,0,0.55)' -draw "roundrectangle 11,38 292,269 4,4" -blur 0x5 \
  -fill none -stroke 'rgba(150,225,255,0.35)' -strokewidth 1 \
  -draw "rectangle 12,35 291,265" "$T/l_frame.png"

# text boxes under the native edits (edits at x 424, w 223, h 19)
convert -size ${W}x${H} xc:none \
  -fill 'rgba(0,0,0,0.40)' -draw "roundrectangle 421,55 649,79 5,5" \
  -draw "roundrectangle 421,108 649,132 5,5" -blur 0x1.6 \
  -fill white -stroke '#8fb4c9' -strokewidth 1 \
  -draw "roundrectangle 421.5,53.5 648.5,76.5 4,4" \
  -draw "roundrectangle 421.5,106.5 648.5,129.5 4,4" \
  -stroke 'rgba(0,40,70,0.10)' -draw "line 425,55 645,55" -draw "line 425,108 645,108" \
  "$T/l_boxes.png"

# hue bar: pure hues, the program samples it
convert -size 25x233 gradient:black-white -rotate -90 \
  \( -size 233x25 xc:white \) \( -size 233x25 xc:gray50 \) \
  -set colorspace HSL -combine -colorspace sRGB "$T/hue.png"
convert -size ${W}x${H} xc:none \
  -fill 'rgba(0,0,0,0.5)' -draw "rectangle 417,160 651,186" -blur 0x2 \
  "$T/hue.png" -geometry +418+159 -compose Over -composite \
  -fill none -stroke 'rgba(220,245,255,0.75)' -strokewidth 1 \
  -draw "rectangle 417,158 651,184" "$T/l_hue.png"

# ---------------------------------------------------------------- app icon

# 256 px master: a folder whose front face is a landscape picture. Every icon
# size and the mark next to the title are scaled from it.
convert -size 256x256 gradient:'#f0ad35'-'#c87a14' -alpha set \
  \( -size 256x256 xc:none -fill white \
     -draw "roundrectangle 14,30 106,80 16,16" \
     -draw "path 'M 80,44 L 110,44 L 128,60 L 80,60 Z'" \
     -draw "roundrectangle 14,46 242,226 18,18" \) \
  -compose DstIn -composite "$T/ico_back.png"
convert -size 236x164 gradient:'#ffd66a'-'#f3a428' -alpha set \
  \( -size 236x164 xc:none -fill white -draw "roundrectangle 0,0 235,163 18,18" \) \
  -compose DstIn -composite "$T/ico_front.png"
convert -size 200x128 gradient:'#4fb8f0'-'#c4ecff' \
  -fill '#fff3a6' -draw "circle 150,36 150,54" \
  -fill '#4aa85a' -draw "path 'M 0,92 C 36,58 70,56 108,84 C 132,70 168,62 200,78 L 200,128 L 0,128 Z'" \
  -fill '#2d8043' -draw "path 'M 0,128 L 0,104 C 30,90 66,92 96,116 L 104,128 Z'" \
  -alpha set \( -size 200x128 xc:none -fill white -draw "roundrectangle 0,0 199,127 10,10" \) \
  -compose DstIn -composite "$T/ico_pic.png"
convert "$T/ico_front.png" "$T/ico_pic.png" -geometry +18+18 -compose Over -composite \
  -fill none -stroke 'rgba(255,255,255,0.7)' -strokewidth 3 -draw "line 20,3 215,3" \
  "$T/ico_front2.png"
convert -size 256x256 xc:none \
  -fill 'rgba(0,0,0,0.35)' -draw "roundrectangle 16,52 244,236 20,20" -blur 0x5 \
  "$T/ico_back.png" -compose Over -composite \
  \( -size 256x256 xc:none -fill 'rgba(90,50,0,0.45)' -draw "roundrectangle 10,72 246,236 18,18" -blur 0x4 \) -composite \
  "$T/ico_front2.png" -geometry +10+70 -composite \
  "$T/ico_master.png"

# 256-colour entries only get 1-bit transparency: a soft shadow would turn
# into a dark fringe there, so they are scaled from a shadowless variant
convert "$T/ico_back.png" "$T/ico_front2.png" -geometry +10+70 -compose Over -composite \
  "$T/ico_flat.png"
icon_size() { # SRC SIZE OUT
  local sharpen=()
  # small sizes lose their edges to the filter; pull them back a little
  [ "$2" -le 32 ] && sharpen=( -unsharp 0x0.6+0.8+0 )
  convert "$1" -filter Lanczos -resize "$2x$2" "${sharpen[@]}" -strip PNG32:"$3"
}
for s in 16 32 48; do icon_size "$T/ico_flat.png" $s "$T/ico8_$s.png"; done
for s in 16 24 32 48 64 72 128; do icon_size "$T/ico_master.png" $s "$T/ico_$s.png"; done
python3 "$TOOLS/pack_ico.py" "$OUT/app.ico" \
  bmp8:"$T/ico8_16.png"  bmp32:"$T/ico_16.png" bmp32:"$T/ico_24.png" \
  bmp8:"$T/ico8_32.png"  bmp32:"$T/ico_32.png" \
  bmp8:"$T/ico8_48.png"  bmp32:"$T/ico_48.png" \
  bmp32:"$T/ico_64.png" bmp32:"$T/ico_72.png" png:"$T/ico_128.png"

# ---------------------------------------------------------------- headings

# program title, top right, led by the app mark (RTL: mark on the right)
txt "$T/title.png" "<span font=\"$TITLEFONT Bold 12\" foreground=\"#ffffff\">تغيير خلفية المجلدات</span>"
convert "$T/ico_master.png" -resize 20x20 "$T/mark.png"
tw=$(identify -format %w "$T/title.png"); th=$(identify -format %h "$T/title.png")
convert -size ${W}x${H} xc:none \
  "$T/mark.png" -geometry +$((W - 9 - 20))+4 -composite \
  \( "$T/title.png" \( +clone -background 'rgba(0,0,0,0.6)' -shadow 60x1.5+0+1 \) +swap \
     -background none -layers merge +repage \) \
  -geometry +$((W - 9 - 20 - 7 - tw))+$((13 - th / 2)) -composite \
  "$T/l_title.png"

# preview caption, right-aligned over the preview frame, with a hairline
# running left so the heading reads as a section rule
txt "$T/cap.png" "<span font=\"$UIFONT 9\" foreground=\"#9fe3f5\">معاينة المجلد</span>"
cw=$(identify -format %w "$T/cap.png"); chh=$(identify -format %h "$T/cap.png")
convert -size ${W}x${H} xc:none \
  "$T/cap.png" -geometry +$((291 - cw))+$((25 - chh / 2)) -composite \
  -stroke 'rgba(150,225,255,0.22)' -draw "line 48,25 $((291 - cw - 8)),25" \
  "$T/l_cap.png"

# ---------------------------------------------------------------- buttons

for lit in 0 1; do
  button "$T/b1_$lit.png"  97 26 glass  $lit "اختر المجلد"   folder  9
  button "$T/b2_$lit.png"  97 26 glass  $lit "اختر الصورة"   picture 9
  button "$T/b3_$lit.png"  97 26 glass  $lit "لون الخط"      palette 9
  button "$T/bt_$lit.png" 102 45 accent $lit "تطبيق"         check   11
  button "$T/be_$lit.png" 102 45 slate  $lit "إزالة الخلفية" undo    10
  convert "$T/bg_base.png" \
    "$T/l_frame.png" -composite "$T/l_boxes.png" -composite "$T/l_hue.png" -composite \
    "$T/l_title.png" -composite "$T/l_cap.png" -composite \
    "$T/b1_$lit.png" -geometry +$((316-P))+$((52-P))  -composite \
    "$T/b2_$lit.png" -geometry +$((316-P))+$((104-P)) -composite \
    "$T/b3_$lit.png" -geometry +$((316-P))+$((157-P)) -composite \
    "$T/bt_$lit.png" -geometry +$((545-P))+$((202-P)) -composite \
    "$T/be_$lit.png" -geometry +$((423-P))+$((202-P)) -composite \
    -alpha off "$T/full_$lit.png"
done

JPG=( -strip -sampling-factor 1x1 -quality 92 )
convert "$T/full_0.png" "${JPG[@]}" "$OUT/background.jpg"

# Hover crops: lit pixels in the middle, fading to the decoded background.jpg
# at the border so the swap shows no seam even with JPEG loss on both sides.
convert "$OUT/background.jpg" "$T/bg_decoded.png"
crop() {
  local out=$1 w=$2 h=$3 x=$4 y=$5
  convert -size ${w}x${h} xc:black -fill white -draw "rectangle 2,2 $((w-3)),$((h-3))" \
    -blur 0x1 "$T/cmask.png"
  convert "$T/bg_decoded.png" -crop ${w}x${h}+$x+$y +repage \
    \( "$T/full_1.png" -crop ${w}x${h}+$x+$y +repage \) "$T/cmask.png" \
    -compose Over -composite "${JPG[@]}" "$out"
}
crop "$OUT/btn1.jpg" 107 37 311 47
crop "$OUT/btn2.jpg" 107 37 311 101
crop "$OUT/btn3.jpg" 107 37 311 154
crop "$OUT/btne.jpg" 117 54 415 199
crop "$OUT/btnt.jpg" 111 55 541 199

# ---------------------------------------------------------------- close mark

# Anti-aliased against the real background pixels under (8,0) so the edge
# has no halo; only untouched pixels become the GIF's transparent colour.
convert -size 124x116 xc:none \
  -fill 'rgba(0,0,0,0.45)' -draw "circle 62,62 62,20" -blur 0x4 \
  \( -size 124x116 gradient:'#ff7a66'-'#c42a22' -alpha set \
     \( -size 124x116 xc:none -fill white -draw "circle 62,58 62,18" \) -compose DstIn -composite \) \
  -compose Over -composite \
  -fill none -stroke 'rgba(255,255,255,0.85)' -strokewidth 4 -draw "circle 62,58 62,18" \
  -stroke white -strokewidth 10 \
  -draw "stroke-linecap round line 48,44 76,72" -draw "stroke-linecap round line 76,44 48,72" \
  -resize 31x29 "$T/close_a.png"
convert "$T/bg_decoded.png" -crop 31x29+8+0 +repage "$T/close_bg.png"
# alpha below ~3 % would only tint the background: leave those transparent
convert "$T/close_a.png" -alpha extract -threshold 3% "$T/close_keep.png"
convert "$T/close_bg.png" "$T/close_a.png" -compose Over -composite \
  "$T/close_keep.png" -alpha off -compose CopyOpacity -composite \
  "$T/close_m.png"

# ---------------------------------------------------------------- explorer

# A small file-manager window. The file pane (x 89..276, y 47..220) is left
# transparent for the preview picture; the icons in it stay opaque and are
# drawn without anti-aliasing because they land on arbitrary pictures.
EW=278; EH=229
BORDER='#5b6f86'; LINE='#a9bacb'; INK='#5b6f86'; LINK='#4f74a3'

# Drawing helpers append ImageMagick arguments to the array D.
ex_folder() { # x y : 14x11
  local x=$1 y=$2
  D+=( -fill '#e0a235' -stroke '#93641a' -draw "rectangle $x,$y $((x+5)),$((y+2))"
       -draw "rectangle $x,$((y+1)) $((x+13)),$((y+10))"
       -fill '#f8cf62' -draw "rectangle $x,$((y+3)) $((x+13)),$((y+10))"
       -stroke '#fde9a8' -draw "line $((x+1)),$((y+4)) $((x+12)),$((y+4))" )
}
ex_doc() { # x y : 11x13
  local x=$1 y=$2
  D+=( -fill white -stroke '#6f8299'
       -draw "polygon $x,$y $((x+7)),$y $((x+10)),$((y+3)) $((x+10)),$((y+12)) $x,$((y+12))"
       -fill '#dfe6ee' -draw "polygon $((x+7)),$y $((x+7)),$((y+3)) $((x+10)),$((y+3))"
       -stroke '#9fb0c4' -draw "line $((x+2)),$((y+5)) $((x+8)),$((y+5))"
       -draw "line $((x+2)),$((y+7)) $((x+8)),$((y+7))"
       -draw "line $((x+2)),$((y+9)) $((x+6)),$((y+9))" )
}
ex_pic() { # x y : 13x12
  local x=$1 y=$2
  D+=( -fill white -stroke '#6f8299' -draw "rectangle $x,$y $((x+12)),$((y+11))"
       -fill '#7cc6f0' -stroke none -draw "rectangle $((x+2)),$((y+2)) $((x+10)),$((y+9))"
       -fill '#3f9c55' -draw "polygon $((x+2)),$((y+9)) $((x+5)),$((y+5)) $((x+7)),$((y+7)) $((x+8)),$((y+6)) $((x+10)),$((y+8)) $((x+10)),$((y+9))"
       -fill '#ffd84d' -draw "rectangle $((x+8)),$((y+3)) $((x+9)),$((y+4))" )
}
mini_folder() { # x y : 8x7, for the chrome
  local x=$1 y=$2
  D+=( -fill '#e0a235' -stroke none -draw "rectangle $x,$y $((x+3)),$((y+1))"
       -draw "rectangle $x,$((y+1)) $((x+7)),$((y+6))"
       -fill '#f8cf62' -draw "rectangle $x,$((y+2)) $((x+7)),$((y+6))" )
}
mini_pic() {
  local x=$1 y=$2
  D+=( -fill '#7cc6f0' -stroke '#6f8299' -draw "rectangle $x,$y $((x+7)),$((y+6))"
       -fill '#3f9c55' -stroke none -draw "polygon $((x+1)),$((y+5)) $((x+3)),$((y+3)) $((x+6)),$((y+5))" )
}
mini_dot() {
  local x=$1 y=$2 c=$3
  D+=( -fill "$c" -stroke none -draw "circle $((x+3)),$((y+3)) $((x+3)),$y" )
}
# task group: header strip, then rows of KIND:TEXTWIDTH
task_group() {
  local y0=$1 y1=$2; shift 2
  D+=( -fill '#f5f8fb' -stroke '#b4c4d6' -draw "roundrectangle 5,$y0 83,$y1 3,3"
       -fill '#dbe6f2' -stroke none -draw "rectangle 6,$((y0+1)) 82,$((y0+10))"
       -stroke '#b4c4d6' -draw "line 6,$((y0+11)) 82,$((y0+11))"
       -fill '#2f5584' -stroke none -draw "rectangle 9,$((y0+5)) 46,$((y0+6))"
       -fill '#5d7ea6' -draw "polygon 75,$((y0+4)) 80,$((y0+4)) 77,$((y0+7))" )
  local y=$((y0 + 15)) r w c=$LINK x=21
  for r in "$@"; do
    w=${r#*:}
    case ${r%%:*} in
      f) mini_folder 9 $y ;;
      p) mini_pic 9 $y ;;
      b) mini_dot 9 $y '#4c8fd6' ;;
      g) mini_dot 9 $y '#55b06a' ;;
      t) c='#8193a8'; x=9 ;;   # plain detail text, no icon
    esac
    D+=( -fill "$c" -stroke none -draw "rectangle $x,$((y+3)) $((x+w)),$((y+4))" )
    y=$((y + 11))
  done
}

D=()
mini_folder 4 3
D+=( -fill "$INK" -stroke none -draw "rectangle 16,6 62,7"
     # window buttons
     -fill '#e9eff6' -stroke '#7f93aa' -draw "roundrectangle 239,2 249,10 2,2"
     -draw "roundrectangle 251,2 261,10 2,2"
     -fill '#d8574d' -stroke '#a3352d' -draw "roundrectangle 263,2 275,10 2,2"
     -stroke "$INK" -draw "line 242,8 246,8"
     -fill none -draw "rectangle 254,4 258,8"
     -stroke white -draw "line 267,4 271,8" -draw "line 271,4 267,8"
     -stroke '#c2cfdd' -draw "line 1,13 276,13"
     # back / forward and menu words
     -antialias
     -fill '#6f8aab' -stroke none -draw "circle 10.5,21.5 10.5,16" -draw "circle 23.5,21.5 23.5,17.5"
     -fill white -draw "polygon 7.5,21.5 12,18.5 12,24.5" -draw "polygon 26,21.5 22.5,19 22.5,24"
     +antialias
     -fill "$INK" -draw "rectangle 36,20 52,21" -draw "rectangle 60,20 74,21"
     -draw "rectangle 82,20 96,21" -draw "rectangle 104,20 114,21"
     # address and search fields
     -fill white -stroke '#9aadc3' -draw "rectangle 4,31 205,43" )
mini_folder 7 34
D+=( -fill "$INK" -stroke none -draw "rectangle 19,36 44,37"
     -fill '#8a9db3' -draw "polygon 48,35 51,37 48,39"
     -fill "$INK" -draw "rectangle 55,36 88,37"
     -fill white -stroke '#9aadc3' -draw "rectangle 210,31 273,43"
     -antialias -fill none -stroke '#8194ab' -draw "circle 265.5,36.5 265.5,33.5"
     -strokewidth 1.5 -draw "line 263,39 260,42" -strokewidth 1 +antialias
     -fill '#b9c6d4' -stroke none -draw "rectangle 214,36 244,37"
     -stroke "$LINE" -draw "line 1,46 276,46" -draw "line 88,47 88,220" -draw "line 1,221 276,221" )
task_group 51 97 f:40 p:34 b:46
task_group 102 137 g:38 f:30
task_group 142 203 t:52 t:44 t:30 t:48
D+=( -fill "$INK" -stroke none -draw "rectangle 6,224 40,225" -draw "rectangle 190,224 230,225"
     -fill none -stroke "$BORDER" -draw "rectangle 0,0 $((EW-1)),$((EH-1))" )

convert -size ${EW}x${EH} xc:'#e2e9f1' \
  \( -size $((EW-2))x12 gradient:'#cbd8e7'-'#b2c3d7' \) -geometry +1+1 -composite \
  \( -size $((EW-2))x33 gradient:'#f2f6fa'-'#dce5ef' \) -geometry +1+13 -composite \
  \( -size 87x174 gradient:'#e8eef5'-'#cddbea' \) -geometry +1+47 -composite \
  \( -size $((EW-2))x7 gradient:'#e6ecf2'-'#d2dbe5' \) -geometry +1+221 -composite \
  +antialias -strokewidth 1 "${D[@]}" "$T/ex_chrome.png"

D=()
ex_folder 114 48; ex_folder 204 48
ex_folder 114 72; ex_doc 205 70
ex_pic 114 88;    ex_doc 205 94
convert "$T/ex_chrome.png" -alpha set \
  -region 188x174+89+47 -alpha transparent +region \
  +antialias -strokewidth 1 "${D[@]}" \
  -channel A -threshold 50% +channel "$T/ex_rgba.png"

# ---------------------------------------------------------------- GIF output

# Both GIFs use pure magenta as the key colour; nothing opaque is magenta.
gif() {
  convert "$1" -background '#ff00ff' -alpha background +dither -colors 255 \
    -transparent-color '#ff00ff' -strip "$2"
}
gif "$T/ex_rgba.png" "$OUT/explorer.gif"
gif "$T/close_m.png" "$OUT/close.gif"

# the program blits these at fixed places; a wrong size would misalign silently
check() {
  local got
  got=$(identify -format '%wx%h' "$OUT/$1[0]")
  [ "$got" = "$2" ] || { echo "$1 is $got, expected $2" >&2; exit 1; }
}
check background.jpg 657x321
check btn1.jpg 107x37; check btn2.jpg 107x37; check btn3.jpg 107x37
check btne.jpg 117x54; check btnt.jpg 111x55
check close.gif 31x29; check explorer.gif 278x229

# ---------------------------------------------------------------- bitmaps

# What the program carries: the same pixels as the bitmaps it paints, so that
# it decodes nothing before its first paint.
for f in background btn1 btn2 btn3 btne btnt; do
  python3 "$TOOLS/pack_bitmap.py" "$OUT/$f.jpg" "$OUT/$f.bmp.z"
done
for f in close explorer; do
  python3 "$TOOLS/pack_bitmap.py" "$OUT/$f.gif" "$OUT/$f.bmp.z"
done
echo "artwork written to $OUT"
