#!/bin/sh
# Start-up of the program against the floor program (a QMainWindow with one
# QLabel, bench/floor.cpp), each started under Xvfb:
#   - instructions under callgrind until the window is drawn and the program
#     idle (SIGTERM 4 s after the map was seen: the drawing counts, since a
#     user sees the drawn window, not the map), and up to the call that maps
#     the window (xcb_map_window); both the same in every run to 0.1 %;
#   - the font faces loaded (QFontDatabasePrivate::loadEngine: one family,
#     weight and size each) and the font files opened (FT_New_Face) until
#     drawn and idle, from the same count;
#   - wall time to the map, minimum of alternating runs (varies by ±10 % on a
#     shared machine, so only the minimum says much);
#   - peak resident memory until drawn and idle (0.5 s after the map).
# The program starts from a directory of its own with a 200-kind catalogue.
#
#   bench/startup.sh [BAUVERZEICHNIS] [LAEUFE]
#
# With OHNE_LAYOUTSCHRIFT=1 both run on a fontconfig set-up that hides the
# face the layout was drawn for and its stand-ins (Liberation Sans, Arimo),
# as on a system without fonts-liberation2.
#
# BAUVERZEICHNIS defaults to build-bench (configured with
# -DCMAKE_BUILD_TYPE=Release -DPROMILLE_BENCH=ON and built here if needed),
# LAEUFE (wall time and memory) to 10.
set -eu
cd "$(dirname "$0")/.."
bau=${1:-build-bench}
laeufe=${2:-10}

if [ ! -f "$bau/CMakeCache.txt" ]; then
  cmake -S . -B "$bau" -DCMAKE_BUILD_TYPE=Release -DPROMILLE_BENCH=ON -DPROMILLE_TESTS=OFF >/dev/null
fi
cmake --build "$bau" -j2 --target promille promille_floor mapwatch >/dev/null

arbeit=$(mktemp -d)
xpid=""
aufraeumen() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$arbeit"
}
trap aufraeumen EXIT INT TERM

# Each program alone in its own directory, as installed.
mkdir -p "$arbeit/programm" "$arbeit/boden" "$arbeit/laufzeit"
chmod 700 "$arbeit/laufzeit"
cp "$bau/app/promille" "$arbeit/programm/"
cp "$bau/bench/promille_floor" "$arbeit/boden/"
i=1
while [ $i -le 200 ]; do
  printf '"Sorte %d","%d%%","%d"\r\n' $i $((i % 101)) $((100 + i))
  i=$((i + 1))
done >"$arbeit/programm/AlkoholSorten.txt"
waechter=$(pwd)/$bau/bench/mapwatch

# A display of our own; the first free number from 90 on.
anzeige=90
while [ -e "/tmp/.X11-unix/X$anzeige" ] || [ -e "/tmp/.X$anzeige-lock" ]; do
  anzeige=$((anzeige + 1))
done
Xvfb ":$anzeige" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
export DISPLAY=":$anzeige"
n=0
until xdpyinfo >/dev/null 2>&1; do
  n=$((n + 1))
  [ $n -gt 100 ] && { echo "Xvfb startet nicht" >&2; exit 1; }
  sleep 0.1
done

# The same surroundings for both: no session bus, no desktop theme, one
# locale, a private runtime directory.
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$arbeit/laufzeit"
if [ "${OHNE_LAYOUTSCHRIFT:-0}" = 1 ]; then
  cat >"$arbeit/fonts.conf" <<'ENDE'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include>/etc/fonts/fonts.conf</include>
  <selectfont>
    <rejectfont>
      <pattern><patelt name="family"><string>MS Sans Serif</string></patelt></pattern>
      <pattern><patelt name="family"><string>Microsoft Sans Serif</string></patelt></pattern>
      <pattern><patelt name="family"><string>Liberation Sans</string></patelt></pattern>
      <pattern><patelt name="family"><string>Arimo</string></patelt></pattern>
    </rejectfont>
  </selectfont>
</fontconfig>
ENDE
  export FONTCONFIG_FILE="$arbeit/fonts.conf"
  echo "Ohne die Schrift des Layouts (Liberation Sans, Arimo ausgeblendet)"
fi

# Once each first, so that neither pays for a cold fontconfig cache.
"$waechter" "$arbeit/programm/promille" >/dev/null 2>&1
"$waechter" "$arbeit/boden/promille_floor" >/dev/null 2>&1

# Instruction counts. --dump-before writes the counts up to the first
# xcb_map_window into <datei>.1; the rest up to SIGTERM goes into <datei>.
zaehle() { # name programm -> "bis_map bis_ende"
  datei="$arbeit/callgrind.$1"
  rm -f "$datei" "$datei".*
  "$waechter" -t 600 -n 4 valgrind --tool=callgrind --callgrind-out-file="$datei" \
    --dump-before=xcb_map_window "$2" >/dev/null 2>&1
  teil1=$(sed -n 's/^summary: *//p' "$datei.1" 2>/dev/null | head -1)
  teil2=$(sed -n 's/^summary: *//p' "$datei" 2>/dev/null | head -1)
  [ -z "$teil1" ] && teil1=$(sed -n 's/^totals: *//p' "$datei.1" | head -1)
  [ -z "$teil2" ] && teil2=$(sed -n 's/^totals: *//p' "$datei" | head -1)
  echo "$teil1 $((teil1 + teil2)) $(aufrufe QFontDatabasePrivate::loadEngine "$datei" "$datei".1) $(aufrufe FT_New_Face "$datei" "$datei".1)"
}

# How often a function was called, summed over the call sites in the given
# callgrind files (names are compressed: "(id) name" once, "(id)" after).
aufrufe() { # funktion datei…
  f=$1
  shift
  for d in "$@"; do
    awk -v f="$f" '
      /^c?fn=\(/ {
        id = $0; sub(/^c?fn=/, "", id); name = id; sub(/\).*/, ")", id); sub(/^\([0-9]+\) ?/, "", name)
        if (name != "") namen[id] = name
        if ($0 ~ /^cfn=/) ziel = namen[id]
      }
      /^calls=/ { if (ziel == f || index(ziel, f "(") == 1) { split($0, a, /[= ]/); n += a[2] } }
      END { print n + 0 }' "$d"
  done | awk '{ s += $1 } END { print s }'
}

echo "Befehle (callgrind, Ir), je zwei Läufe:"
set -- $(zaehle programm "$arbeit/programm/promille")
p_map1=$1 p_ende1=$2 p_fe=$3 p_ft=$4
set -- $(zaehle programm "$arbeit/programm/promille")
p_map2=$1 p_ende2=$2
set -- $(zaehle boden "$arbeit/boden/promille_floor")
b_map1=$1 b_ende1=$2 b_fe=$3 b_ft=$4
set -- $(zaehle boden "$arbeit/boden/promille_floor")
b_map2=$1 b_ende2=$2

# Wall time and memory, alternating so that both see the same machine.
p_ms="" b_ms="" p_kb="" b_kb=""
i=0
while [ $i -lt "$laeufe" ]; do
  set -- $("$waechter" -n 0.5 "$arbeit/programm/promille" 2>/dev/null | tr '=' ' ')
  p_ms="$p_ms $2" p_kb="$p_kb $4"
  set -- $("$waechter" -n 0.5 "$arbeit/boden/promille_floor" 2>/dev/null | tr '=' ' ')
  b_ms="$b_ms $2" b_kb="$b_kb $4"
  i=$((i + 1))
done
minimum() { printf '%s\n' $1 | sort -g | head -1; }
maximum() { printf '%s\n' $1 | sort -g | tail -1; }

awk -v pm1="$p_map1" -v pm2="$p_map2" -v pe1="$p_ende1" -v pe2="$p_ende2" \
    -v bm1="$b_map1" -v bm2="$b_map2" -v be1="$b_ende1" -v be2="$b_ende2" \
    -v pfe="$p_fe" -v pft="$p_ft" -v bfe="$b_fe" -v bft="$b_ft" \
    -v pms="$(minimum "$p_ms")" -v bms="$(minimum "$b_ms")" \
    -v pkb="$(minimum "$p_kb")" -v bkb="$(minimum "$b_kb")" \
    -v pkbx="$(maximum "$p_kb")" -v bkbx="$(maximum "$b_kb")" -v n="$laeufe" '
function ab(a, b) { return a > b ? a - b : b - a }
BEGIN {
  printf "%-34s %16s %16s %8s\n", "", "Programm", "Boden", "Faktor"
  printf "%-34s %16d %16d %8.3f\n", "Befehle gezeichnet+ruhig, Lauf 1", pe1, be1, pe1 / be1
  printf "%-34s %16d %16d %8.3f\n", "Befehle gezeichnet+ruhig, Lauf 2", pe2, be2, pe2 / be2
  printf "%-34s %16d %16d %8.3f\n", "Befehle bis xcb_map_window, Lauf 1", pm1, bm1, pm1 / bm1
  printf "%-34s %16d %16d %8.3f\n", "Befehle bis xcb_map_window, Lauf 2", pm2, bm2, pm2 / bm2
  printf "%-34s %15.1f%% %15.1f%%\n", "  Abweichung Lauf 1/2 (gezeichnet)", 100 * ab(pe1, pe2) / pe1, 100 * ab(be1, be2) / be1
  printf "%-34s %16d %16d\n", "Schriften geladen (loadEngine)", pfe, bfe
  printf "%-34s %16d %16d\n", "Schriftdateien (FT_New_Face)", pft, bft
  printf "%-34s %13.1f ms %13.1f ms %8.3f\n", "Zeit bis Map, Minimum aus " n, pms, bms, pms / bms
  printf "%-34s %13d kB %13d kB %8.3f\n", "Spitze RSS gezeichnet, Minimum", pkb, bkb, pkb / bkb
  printf "%-34s %13d kB %13d kB %8.3f\n", "Spitze RSS gezeichnet, Maximum", pkbx, bkbx, pkbx / bkbx
}'
