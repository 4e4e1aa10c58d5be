#!/bin/sh
# Installs what the build needs, builds everything and runs every test
# headless. Exits non-zero when a test fails.
set -eu
cd "$(dirname "$0")/.."
sh tools/packages.sh tests
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
