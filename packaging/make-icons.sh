#!/usr/bin/env bash
# Renders the desktop icon at the sizes of the hicolor theme from
# icons/pexor.svg (rsvg-convert, package librsvg2-bin). Run again after
# changing the drawing; the PNGs are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" pexor.svg -o "${size}x${size}.png"
done
