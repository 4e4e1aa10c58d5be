#!/bin/sh
# Takes screenshots of the four windows from the real program under Xvfb,
# driven through the accessibility interface, for the README.
#
#   sh tools/screenshots.sh              # docs/images/*.png, scale 2
#   sh tools/screenshots.sh /tmp/fotos 1 # elsewhere, at scale 1
#
# The README shows the pictures at half their width, which keeps them sharp
# on HiDPI screens; the scale is QT_SCALE_FACTOR.
#
# Builds the program in $BAU (default: build) first. The program runs from a
# temporary copy with the shipped catalogue; the build's catalogue is not
# touched.
set -eu
cd "$(dirname "$0")/.."
ziel=${1:-docs/images}
skalierung=${2:-2}
bau=${BAU:-build}

sh tools/packages.sh tests
[ -f "$bau/CMakeCache.txt" ] || cmake -S . -B "$bau" -DCMAKE_BUILD_TYPE=Release
cmake --build "$bau" -j2 --target promille

echo "Bildschirmfotos nach $ziel (Skalierung $skalierung):"
exec timeout 300 /usr/bin/python3 tools/screenshots.py \
  "$bau/app/promille" data/AlkoholSorten.txt "$ziel" $skalierung
