#!/usr/bin/env bash
# Redraws every picture of the shipped image sets: the default set straight in
# assets/app/menus/ and one sub-folder per alternative set. Each picture is drawn twice from
# the same shapes: at its own size ("back1.gif") and at twice the pixels for high-DPI screens
# ("back1@2x.gif"). Needs ImageMagick and the DejaVu fonts
# (apt-get install -y imagemagick fonts-dejavu-core). The GIFs are committed, so the build
# never runs this.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
menus="$here/../app/menus"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

FONT=DejaVu-Sans
FONT_BOLD=DejaVu-Sans-Bold
W=60   # navigation-bar button, pixels (900 x 450 twips)
H=30
SW=33  # add / remove / rename buttons
SH=21

# Scale of the pictures being drawn; set by use_scale. Every coordinate below is written in
# 1x pixels: shapes go through the MVG transform $AFF, pixel-aligned strips through box.
S=1 SUFFIX= AFF=

# use_scale N: draw at N times the pixels, into files named NAME@Nx.gif (nothing for 1).
use_scale() {
  S=$1 SUFFIX= AFF=
  if ((S > 1)); then
    SUFFIX=@${S}x
    # Maps the centre of a 1x pixel onto the centre of its S x S block.
    local half
    half=$(awk "BEGIN { print ($S - 1) / 2 }")
    AFF="affine $S,0,0,$S,$half,$half"
  fi
}

# px N: N pixels at the current scale.
px() { echo $(($1 * S)); }

# box X0,Y0 X1,Y1: the rectangle of whole 1x pixels X0..X1, Y0..Y1 (inclusive), as an MVG
# rectangle that covers exactly their S x S blocks, so edges and 1-pixel lines stay sharp.
box() {
  local x0=${1%,*} y0=${1#*,} x1=${2%,*} y1=${2#*,}
  echo "rectangle $((x0 * S)),$((y0 * S)) $((x1 * S + S - 1)),$((y1 * S + S - 1))"
}

# frame X0,Y0 X1,Y1: the 1-pixel outline of that rectangle, as four boxes that do not overlap.
frame() {
  local x0=${1%,*} y0=${1#*,} x1=${2%,*} y1=${2#*,}
  echo "$(box $x0,$y0 $x1,$y0) $(box $x0,$y1 $x1,$y1)" \
    "$(box $x0,$((y0 + 1)) $x0,$((y1 - 1))) $(box $x1,$((y0 + 1)) $x1,$((y1 - 1)))"
}

# out DIR NAME: the file of picture NAME at the current scale.
out() { echo "$1/$2$SUFFIX.gif"; }

# Look of the set being drawn; set by use_look.
STYLE= TOP= BOT= SYM= ACC= EDGE= LIGHT= HOVER= PRESS= LOGO_BG= LOGO_INK= LOGO_ACC=

# use_look STYLE TOP BOT SYMBOL ACCENT EDGE LIGHT HOVER% PRESS% LOGO_BG LOGO_INK LOGO_ACCENT
use_look() {
  STYLE=$1 TOP=$2 BOT=$3 SYM=$4 ACC=$5 EDGE=$6 LIGHT=$7 HOVER=$8 PRESS=$9
  LOGO_BG=${10} LOGO_INK=${11} LOGO_ACC=${12}
}

# symbol NAME COLOUR OUT: the picture of one button on a transparent 60x30 layer.
symbol() {
  local name=$1 ink=$2 out=$3 detail=$ACC
  [[ $ink == "$ACC" ]] && detail=$LIGHT  # keep the hub and the shutter visible on hover
  local size=$(px $W)x$(px $H)
  local base=(convert -size "$size" xc:none -fill "$ink" -stroke none)
  case $name in
    back)
      "${base[@]}" -draw "$AFF polygon 18,15 29,5 29,11 42,11 42,19 29,19 29,25" "$out" ;;
    next)
      "${base[@]}" -draw "$AFF polygon 42,15 31,5 31,11 18,11 18,19 31,19 31,25" "$out" ;;
    refresh)
      # A ring with its upper-right quarter cut away, and an arrowhead on the cut.
      "${base[@]}" -fill none -stroke "$ink" -strokewidth 3 -draw "$AFF circle 30,15 39,15" \
        \( -size "$size" xc:none -fill black \
           -draw "$AFF polygon 30,15 17.7,-0.8 30,-5 48.8,8.2" \) \
        -compose DstOut -composite -compose Over \
        -stroke none -fill "$ink" -draw "$AFF polygon 29.4,4.2 20.4,4.6 26.6,12.6" "$out" ;;
    colors)
      "${base[@]}" -stroke "$ink" -strokewidth 1.5 \
        -fill '#e8463a' -draw "$AFF circle 25,11 25,17" \
        -fill '#f2c230' -draw "$AFF circle 35,11 35,17" \
        -fill '#3a7be8' -draw "$AFF circle 30,19 30,25" "$out" ;;
    settings)
      "${base[@]}" \
        -draw "$AFF translate 30,15 rotate 0 rectangle -2,-11 2,11" \
        -draw "$AFF translate 30,15 rotate 45 rectangle -2,-11 2,11" \
        -draw "$AFF translate 30,15 rotate 90 rectangle -2,-11 2,11" \
        -draw "$AFF translate 30,15 rotate 135 rectangle -2,-11 2,11" \
        -draw "$AFF circle 30,15 30,23" \
        -fill "$detail" -draw "$AFF circle 30,15 30,18.5" "$out" ;;
    save)
      "${base[@]}" -draw "$AFF roundrectangle 20,4 40,26 2,2" \
        -fill "$LIGHT" -draw "$(box 23,15 37,24)" \
        -fill "$detail" -draw "$(box 24,5 34,11)" \
        -fill "$ink" -draw "$(box 31,6 33,10)" \
        -draw "$(box 25,18 35,18)" -draw "$(box 25,21 35,21)" "$out" ;;
  esac
}

# face W H: the gradient or flat face of a button or of the bar, without decoration.
face() {
  if [[ $STYLE == flat ]]; then
    echo "xc:$TOP"
  else
    echo "gradient:$1-$2"
  fi
}

# background STATE OUT: the face of a navigation-bar button (normal, hover, pressed).
background() {
  local state=$1 out=$2 top=$TOP bot=$BOT
  if [[ $state == pressed ]]; then top=$BOT bot=$TOP; fi
  local face=(convert -size "$(px $W)x$(px $H)" "$(face "$top" "$bot")")
  case $STYLE in
    gloss)  face+=(-fill 'rgba(255,255,255,0.30)' -draw "$(box 0,0 59,13)") ;;
    pill)   face+=(-fill "$LIGHT" -stroke "$EDGE" -draw "$AFF roundrectangle 3,3 56,26 11,11"
                   -stroke none) ;;
    bevel)  face+=(-fill 'rgba(255,255,255,0.55)' -draw "$(box 0,0 59,0)") ;;
  esac
  case $state in
    hover)   face+=(-modulate "$HOVER") ;;
    pressed) face+=(-modulate "$PRESS") ;;
  esac
  # A separator at the right edge and a base line tie the row into one bar.
  face+=(-fill "$EDGE" -draw "$(box 59,0 59,29)" -draw "$(box 0,29 59,29)")
  "${face[@]}" "$out"
}

# button NAME STATE FILE: one navigation-bar picture.
button() {
  local name=$1 state=$2 file=$3 ink=$SYM offset=+0+0
  background "$state" "$work/bg.png"
  case $state in
    hover)   ink=$ACC ;;
    pressed) offset=+$(px 1)+$(px 1) ;;
  esac
  symbol "$name" "$ink" "$work/sym.png"
  local extra=()
  case $state in
    hover)
      [[ $STYLE == flat ]] && extra+=(-fill "$ACC" -draw "$(box 0,26 58,28)")
      extra+=(-fill "$ACC" -draw "$(frame 0,0 58,28)") ;;
    pressed)
      # Sunken: dark along the top and left, light along the bottom and right.
      extra+=(-fill 'rgba(0,0,0,0.55)' -draw "$(box 0,0 58,0) $(box 0,1 0,28)"
              -draw "$(box 1,1 57,1) $(box 1,2 1,27)"
              -fill 'rgba(255,255,255,0.45)' -draw "$(box 1,28 58,28) $(box 58,1 58,27)") ;;
  esac
  convert "$work/bg.png" "$work/sym.png" -geometry "$offset" -composite \
    "${extra[@]}" +dither "$file"
}

# bar FILE: the strip that fills the rest of the row; it is stretched sideways.
bar() {
  local face=(convert -size "$(px $W)x$(px $H)" "$(face "$TOP" "$BOT")")
  case $STYLE in
    gloss) face+=(-fill 'rgba(255,255,255,0.30)' -draw "$(box 0,0 59,13)") ;;
    bevel) face+=(-fill 'rgba(255,255,255,0.55)' -draw "$(box 0,0 59,0)") ;;
  esac
  face+=(-fill "$EDGE" -draw "$(box 0,29 59,29)")
  "${face[@]}" +dither "$1"
}

# small NAME FILE: add, remove and rename buttons of the catalog lists.
small() {
  local name=$1 file=$2
  local face=(convert -size "$(px $SW)x$(px $SH)" "$(face "$TOP" "$BOT")")
  [[ $STYLE == pill ]] && face=(convert -size "$(px $SW)x$(px $SH)" "gradient:$LIGHT-$TOP")
  face+=(-fill "$EDGE" -draw "$(frame 0,0 32,20)" -fill "$SYM")
  case $name in
    add)    face+=(-draw "$(box 10,9 22,11)" -draw "$(box 15,4 17,16)") ;;
    remove) face+=(-draw "$(box 10,9 22,11)") ;;
    edit)   face+=(-font "$FONT_BOLD" -pointsize "$(px 14)" -gravity center -annotate +0+0 "R"
                   -fill "$ACC" -draw "$(box 22,15 26,16)") ;;
  esac
  "${face[@]}" +dither "$file"
}

# logo FILE: the product mark, a kestrel hovering with raised wings, beside the name.
logo() {
  convert -size "$(px 160)x$(px 80)" "xc:$LOGO_BG" \
    -fill none -stroke "$LOGO_ACC" -strokewidth 2 -draw "$AFF roundrectangle 1,1 158,78 8,8" \
    -stroke none -fill "$LOGO_INK" \
    -draw "$AFF polygon 27,31 15,23 3,13 7,25 12,32 19,38 27,43" \
    -draw "$AFF polygon 35,31 47,23 59,13 55,25 50,32 43,38 35,43" \
    -draw "$AFF ellipse 31,40 5,12 0,360" \
    -draw "$AFF circle 31,28 31,32.5" \
    -draw "$AFF polygon 28,48 34,48 39,65 23,65" \
    -fill "$LOGO_ACC" -draw "$AFF polygon 23.7,62 38.3,62 39,65 23,65" \
    -draw "$AFF polygon 3,13 9,19 6,23" -draw "$AFF polygon 59,13 53,19 56,23" \
    -draw "$AFF polygon 29.5,24.5 32.5,24.5 31,21" \
    -fill "$LOGO_INK" -font "$FONT_BOLD" -pointsize "$(px 17)" \
    -annotate "+$(px 64)+$(px 43)" "Kestrova" \
    -fill "$LOGO_ACC" -draw "$(box 65,49 149,50)" \
    -font "$FONT" -pointsize "$(px 9)" -annotate "+$(px 65)+$(px 63)" "game launcher" \
    +dither "$1"
}

# draw_set DIR: every picture of one set, at 1x and at 2x.
draw_set() {
  local dir=$1
  mkdir -p "$dir"
  for scale in 1 2; do
    use_scale $scale
    for name in back refresh next colors save; do
      button "$name" normal "$(out "$dir" "${name}1")"
      button "$name" hover "$(out "$dir" "${name}2")"
      button "$name" pressed "$(out "$dir" "${name}3")"
    done
    button settings normal "$(out "$dir" settings)"
    button settings hover "$(out "$dir" settings2)"
    button settings pressed "$(out "$dir" settings3)"
    bar "$(out "$dir" bar)"
    small add "$(out "$dir" add)"
    small remove "$(out "$dir" remove)"
    small remove "$(out "$dir" Remove)"
    small edit "$(out "$dir" edit)"
    logo "$(out "$dir" logo)"
  done
}

# Kestrel: warm cream and chestnut, glossy; also the default set.
use_look gloss '#f7ecda' '#d8bd93' '#6e3418' '#b8461b' '#9c7b52' '#fff8ec' 112,105 80 \
  '#fbf4e8' '#5a2a12' '#c0541e'
draw_set "$menus"
draw_set "$menus/Kestrel"

# Slate: flat dark grey-blue with pale symbols and a cyan accent.
use_look flat '#3b4450' '#2c333c' '#e4ebf2' '#6ccff0' '#1c2128' '#56606d' 135,100 70 \
  '#2f3640' '#e4ebf2' '#6ccff0'
draw_set "$menus/Slate"

# Sunrise: apricot to coral gradient with plum symbols.
use_look bevel '#ffd37e' '#ff8a64' '#4a1a4e' '#8e1f66' '#b4533f' '#fff1d6' 110,110 82 \
  '#fff0dc' '#4a1a4e' '#e0623f'
draw_set "$menus/Sunrise"

# Lagoon: sea-green bar with pale pill-shaped buttons and navy symbols.
use_look pill '#6cc4b3' '#3e9a8c' '#0f3b4a' '#0b6f93' '#2a7064' '#e4f6f1' 112,100 84 \
  '#e9f7f3' '#0f3b4a' '#1f9a86'
draw_set "$menus/Lagoon"

echo "Image sets drawn in $menus"
