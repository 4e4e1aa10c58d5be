#!/bin/sh
# Builds the Debian package build/promille_<version>_<arch>.deb: installs
# what building and packing need, configures, builds the program and its
# documents, and packs them with CPack.
set -eu
cd "$(dirname "$0")/.."
sh tools/packages.sh package
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2 --target promille
cd build
cpack -G DEB
