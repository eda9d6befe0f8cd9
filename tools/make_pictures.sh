#!/usr/bin/env bash
# Draws the seven 150 x 300 pictures of the wizard's left panel (baseline JPEG) into
# src/wizard/pictures. Only needed when the pictures change: the JPEGs are committed, so a
# build needs no ImageMagick.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=${1:-$ROOT/src/wizard/pictures}
mkdir -p "$OUT"

# top colour, bottom colour, shape drawing, noise seed
pictures=(
  "#0b3d2e #6fae5a  circle 75,120 75,60"
  "#102a5c #4fa3d9  polygon 20,250 75,70 130,250"
  "#5a1f0b #e0943a  rectangle 25,80 125,200"
  "#2b2b2b #9a9a9a  ellipse 75,150 55,90 0,360"
  "#3b0b4d #c06bd6  polygon 75,60 135,150 75,240 15,150"
  "#4d3b0b #d9c36b  roundrectangle 20,60 130,240 20,20"
  "#0b4d4d #6bd6c9  line 10,290 140,10"
)

convert_to() {
  local index=$1 top=$2 bottom=$3; shift 3
  local file=$OUT/picture$index.jpg
  convert -size 150x300 "gradient:$top-$bottom" \
    -seed "$((index + 11))" -attenuate 0.6 +noise Uniform \
    \( -seed "$((index + 3))" -size 150x300 "plasma:$top-$bottom" \) -compose overlay -composite \
    -fill "rgba(255,255,255,0.35)" -stroke "rgba(255,255,255,0.8)" -strokewidth 3 \
    -draw "$*" \
    -stroke none -fill "rgba(0,0,0,0.55)" -draw "rectangle 0,255 150,300" \
    -fill white -font DejaVu-Sans-Bold -pointsize 30 -gravity south -annotate +0+8 "VELK" \
    -gravity northwest -pointsize 12 -fill "rgba(255,255,255,0.8)" -annotate +6+6 "$((index + 1))/7" \
    -interlace none -sampling-factor 1x1 -quality 92 -strip "$file"
  printf '%s %s bytes\n' "$file" "$(stat -c %s "$file")"
}

for i in "${!pictures[@]}"; do
  # shellcheck disable=SC2086  # the row is split into its fields on purpose
  convert_to "$i" ${pictures[$i]}
done
