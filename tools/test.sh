#!/bin/sh
# Installs what the build needs, builds everything and runs every test
# headless. Exits non-zero when a test fails.
set -eu
cd "$(dirname "$0")/.."
sh tools/packages.sh tests
# Warnings are errors only where PROMILLE_WERROR=ON asks for it (CI does).
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPROMILLE_WERROR="${PROMILLE_WERROR:-OFF}"
cmake --build build -j2
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
