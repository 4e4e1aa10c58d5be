#!/bin/sh
# Installs the Debian 12 packages the build (and, with `tests`, the tests) need. Runs apt-get
# as root directly, otherwise through sudo. Skips the work when all are there.
set -eu

# Building and running the program needs Qt, its translations and
# fonts-liberation2 (the metric stand-in for the face its layout was drawn
# for); that is all `sh tools/packages.sh` installs. With `tests` it adds what
# the tests, the sanitizer and fuzz builds and the benchmarks use: an X
# server and a real window manager (openbox), the accessibility bus, the
# screen reader Orca with its speech and the German locale it runs in, the
# styles and themes the look tests try, the metadata validators, clang and
# clang-format (the style check), Google Benchmark, valgrind, and acl and
# attr, whose tools give the catalogue an ACL and an attribute to keep. With
# `package` it adds what making the Debian package takes (dpkg-shlibdeps
# from dpkg-dev, and file, with which CPack finds the program's libraries);
# `tests` includes those and lintian, which checks the package.
PAKETE="cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
 fonts-liberation2"
if [ "${1:-}" = tests ] || [ "${1:-}" = package ]; then
  PAKETE="$PAKETE dpkg-dev file"
fi
if [ "${1:-}" = tests ]; then
  PAKETE="$PAKETE lintian
 xvfb xauth x11-utils imagemagick fonts-dejavu-core openbox
 dbus dbus-x11 at-spi2-core python3-pyatspi
 orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng xdotool locales
 adwaita-qt6 qt6ct
 desktop-file-utils appstream clang clang-format libclang-rt-14-dev libbenchmark-dev valgrind
 acl attr"
fi

fehlend=""
for p in $PAKETE; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || fehlend="$fehlend $p"
done
[ -z "$fehlend" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then als_root=""; else als_root="sudo"; fi
echo "Installiere:$fehlend"
$als_root apt-get update
DEBIAN_FRONTEND=noninteractive $als_root apt-get install -y --no-install-recommends $fehlend
