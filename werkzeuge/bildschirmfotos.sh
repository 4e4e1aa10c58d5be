#!/bin/sh
# Takes screenshots of the four windows from the real program under Xvfb,
# driven through the accessibility interface, for the README.
#
#   sh werkzeuge/bildschirmfotos.sh              # docs/bilder/*.png, scale 2
#   sh werkzeuge/bildschirmfotos.sh /tmp/fotos 1 # elsewhere, at scale 1
#
# The README shows the pictures at half their width, which keeps them sharp
# on HiDPI screens; the scale is QT_SCALE_FACTOR.
#
# Builds the program in $BAU (default: build) first. The program runs from a
# temporary copy with the shipped catalogue; the build's catalogue is not
# touched.
set -eu
cd "$(dirname "$0")/.."
ziel=${1:-docs/bilder}
skalierung=${2:-2}
bau=${BAU:-build}

sh werkzeuge/pakete.sh
[ -f "$bau/CMakeCache.txt" ] || cmake -S . -B "$bau" -DCMAKE_BUILD_TYPE=Release
cmake --build "$bau" -j2 --target promille

echo "Bildschirmfotos nach $ziel (Skalierung $skalierung):"
exec timeout 300 /usr/bin/python3 werkzeuge/bildschirmfotos.py \
  "$bau/app/promille" daten/AlkoholSorten.txt "$ziel" $skalierung
