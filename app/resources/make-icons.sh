#!/usr/bin/env bash
# Draws the toolbar's fallback pictures and the program icon (16-colour
# palette). Run again after changing a drawing; the PNGs are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
c=/usr/bin/convert
icon() { "$c" -size 16x16 xc:none "$@" -type TrueColorAlpha "PNG32:toolbar/$name.png"; }
mkdir -p toolbar
name=new; icon -fill white -stroke black -draw "polygon 3,1 10,1 13,4 13,14 3,14" -draw "line 10,1 10,4" -draw "line 10,4 13,4"
name=print; icon -fill silver -stroke black -draw "rectangle 1,6 14,12" -fill white -draw "rectangle 4,1 11,6" -draw "rectangle 4,10 11,14" -stroke navy -draw "line 5,12 10,12"
name=zoom-in; icon -fill white -stroke black -draw "circle 6,6 6,1" -stroke navy -draw "line 4,6 8,6" -draw "line 6,4 6,8" -stroke black -strokewidth 2 -draw "line 10,10 14,14"
name=zoom-out; icon -fill white -stroke black -draw "circle 6,6 6,1" -stroke navy -draw "line 4,6 8,6" -stroke black -strokewidth 2 -draw "line 10,10 14,14"
name=zoom-original; icon -fill white -stroke black -draw "circle 6,6 6,1" -stroke maroon -draw "line 4,4 8,8" -draw "line 8,4 4,8" -stroke black -strokewidth 2 -draw "line 10,10 14,14"
name=go-previous; icon -fill navy -stroke navy -draw "polygon 2,8 8,2 8,6 14,6 14,10 8,10 8,14"
name=go-down; icon -fill navy -stroke navy -draw "polygon 8,14 2,8 6,8 6,2 10,2 10,8 14,8"
name=go-up; icon -fill navy -stroke navy -draw "polygon 8,2 14,8 10,8 10,14 6,14 6,8 2,8"
name=go-next; icon -fill navy -stroke navy -draw "polygon 14,8 8,14 8,10 2,10 2,6 8,6 8,2"
name=help; icon -fill yellow -stroke black -draw "circle 8,8 8,1" -fill none -stroke navy -strokewidth 2 -draw "path 'M 5,6 C 5,2 11,2 11,6 C 11,8 8,8 8,10'" -fill navy -draw "point 8,13" -draw "rectangle 7,12 8,13"
name=exit; icon -fill olive -stroke black -draw "rectangle 2,1 9,14" -fill maroon -stroke maroon -draw "polygon 15,8 11,4 11,6 7,6 7,10 11,10 11,12"
"$c" -size 32x32 xc:none -fill white -stroke black -draw "rectangle 3,3 28,28" \
    -stroke silver -draw "line 3,22 28,22" -draw "line 3,14 28,14" \
    -stroke red -strokewidth 2 -fill none -draw "polyline 5,24 11,12 17,18 23,8 27,14" \
    -stroke navy -strokewidth 1 -draw "line 3,3 3,28" -draw "line 3,28 28,28" \
    -colors 16 "PNG32:pexor.png"
