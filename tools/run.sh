#!/bin/sh
# Installs what the build needs, builds the program and starts it.
set -eu
cd "$(dirname "$0")/.."
sh tools/packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2 --target promille
exec ./build/app/promille
