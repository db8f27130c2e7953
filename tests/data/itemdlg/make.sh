#!/usr/bin/env bash
# Makes the tree picture files of the item dialog tests with ImageMagick: one small tree (a
# triangle and a trunk) as a PNG with alpha (half-transparent trunk), a JPEG on white and a 24-bit
# BMP on magenta. Prints each file's content box as ImageMagick trims it; the tests expect these.
# Run from anywhere: tests/data/itemdlg/make.sh. Needs ImageMagick 6 (convert).
set -euo pipefail
cd "$(dirname "$0")"
IM=${IM:-/usr/bin/convert}
[ -x "$IM" ] || IM=convert
draw=(+antialias -fill '#1a8a2a' -draw 'polygon 20,4 4,44 36,44')
"$IM" -size 40x60 xc:none "${draw[@]}" -fill 'rgba(120,60,20,0.5)' -draw 'rectangle 16,45 23,55' \
  -define png:exclude-chunks=date,time PNG32:tree_alpha.png
"$IM" -size 40x60 xc:white "${draw[@]}" -fill '#785014' -draw 'rectangle 16,45 23,55' -quality 95 tree.jpg
"$IM" -size 40x60 xc:magenta "${draw[@]}" -fill '#785014' -draw 'rectangle 16,45 23,55' \
  -define bmp:format=bmp3 -type TrueColor tree24.bmp
for f in tree_alpha.png tree.jpg tree24.bmp; do
  echo "$f $("$IM" "$f" -fuzz 10% -trim -format '%wx%h%O' info:)"
done
