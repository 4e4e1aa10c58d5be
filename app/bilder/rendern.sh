#!/bin/sh
# Renders the icons' pixel sizes from their SVG drawings. Run it after
# changing an SVG and commit the PNGs and the ICO with it; the build itself
# needs no SVG renderer. Needs rsvg-convert (librsvg2-bin) and ImageMagick.
set -eu
cd "$(dirname "$0")"
for s in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$s" -h "$s" flasche.svg -o "flasche-$s.png"
done
for s in 16 32 64; do
  rsvg-convert -w "$s" -h "$s" fragezeichen.svg -o "fragezeichen-$s.png"
done
# The Windows program icon carries every size, the shell picks one.
convert flasche-16.png flasche-24.png flasche-32.png flasche-48.png \
        flasche-64.png flasche-128.png flasche-256.png promille.ico
