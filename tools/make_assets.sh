#!/usr/bin/env bash
# Regenerates the program's pictures under assets/: the 590x64 banner
# (24-bit bottom-up BMP, no palette, 72 dpi) and the 32x32 32-bit icon.
# Needs ImageMagick and the WenQuanYi Micro Hei font.
set -euo pipefail
cd "$(dirname "$0")/../assets"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Banner: deep teal gradient, a stylised folder with list lines, the name and
# a one-line description.
convert -size 590x64 gradient:'#0f4c5c'-'#1f8a8a' -rotate 0 \
  \( -size 590x64 xc:none -fill 'rgba(255,255,255,0.08)' \
     -draw 'circle 540,-10 620,40' -draw 'circle 470,80 520,40' \) -composite \
  -fill '#f4b942' -draw 'roundrectangle 18,16 38,22 2,2' \
  -fill '#ffd166' -draw 'roundrectangle 18,20 58,50 3,3' \
  -fill '#0f4c5c' -draw 'rectangle 24,28 52,30' -draw 'rectangle 24,34 52,36' \
  -draw 'rectangle 24,40 44,42' \
  -font "$font" -fill white -pointsize 28 -annotate +72+40 'Filnor' \
  -fill '#d8f3f0' -pointsize 15 -annotate +170+30 '文件名批量提取' \
  -fill '#a8dcd6' -pointsize 11 -annotate +170+48 '一键列出文件夹及子文件夹中的全部文件名，保存到桌面' \
  -alpha off -type TrueColor -units PixelsPerInch -density 72 \
  BMP3:banner.bmp

# Icon: the same folder on a rounded teal tile, with alpha.
convert -size 32x32 xc:none \
  -fill '#1f8a8a' -draw 'roundrectangle 0,0 31,31 6,6' \
  -fill '#f4b942' -draw 'roundrectangle 5,8 14,12 1,1' \
  -fill '#ffd166' -draw 'roundrectangle 5,10 26,25 2,2' \
  -fill '#0f4c5c' -draw 'rectangle 9,14 22,15' -draw 'rectangle 9,18 22,19' \
  -draw 'rectangle 9,22 17,23' \
  -define bmp:format=bmp4 "$tmp/icon.png"
convert "$tmp/icon.png" -define icon:auto-resize=32 -type TrueColorAlpha filnor.ico
