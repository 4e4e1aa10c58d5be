#!/bin/sh
# Renders the icons' pixel sizes from their SVG drawings. Run it after
# changing an SVG and commit the PNGs, BMPs and the ICO with it; the build itself
# needs no SVG renderer. Needs rsvg-convert (librsvg2-bin) and ImageMagick.
set -eu
cd "$(dirname "$0")"
for s in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$s" -h "$s" flasche.svg -o "flasche-$s.png"
done
for s in 16 32 64; do
  rsvg-convert -w "$s" -h "$s" fragezeichen.svg -o "fragezeichen-$s.png"
done
# What the program reads at start-up: uncompressed 32-bit BMPs with their
# alpha channel, which load with no decoder to speak of (a PNG costs a zlib
# inflate and libpng's set-up for each picture).
for s in 16 24 32 48 64; do
  convert "flasche-$s.png" -define bmp:format=bmp4 "flasche-$s.bmp"
done
for s in 16 32 64; do
  convert "fragezeichen-$s.png" -define bmp:format=bmp4 "fragezeichen-$s.bmp"
done
# The Windows program icon carries every size, the shell picks one.
convert flasche-16.png flasche-24.png flasche-32.png flasche-48.png \
        flasche-64.png flasche-128.png flasche-256.png promille.ico
