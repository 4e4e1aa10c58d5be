#!/bin/sh
# Third CI pass: the fuzz targets replay their seed corpus, then each one
# fuzzes for a short while (FUZZ_SEKUNDEN, default 25) on one core. New
# inputs go to a scratch corpus, not into the repository; a finding is
# kept as build-fuzz/funde/<target>-crash-… and fails the pass.
set -eu
cd "$(dirname "$0")/.."
sh tools/packages.sh tests

sekunden=${FUZZ_SEKUNDEN:-25}
bau=build-fuzz
ziele="katalog zahlen prozentregel anzeige"

cmake -S . -B "$bau" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPROMILLE_FUZZ=ON -DPROMILLE_TESTS=OFF -DPROMILLE_WERROR="${PROMILLE_WERROR:-OFF}"
for ziel in $ziele; do
  cmake --build "$bau" -j2 --target "fuzz_$ziel"
done

# A smaller quarantine keeps each fuzzer near 100 MB instead of 600 MB on
# this shared machine; use-after-free within the last 64 MB is still caught.
export ASAN_OPTIONS="detect_leaks=1:quarantine_size_mb=64"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$bau/funde"
for ziel in $ziele; do
  programm="$bau/fuzz/fuzz_$ziel"
  echo "== fuzz_$ziel: Saatkorpus"
  "$programm" -runs=0 -artifact_prefix="$bau/funde/$ziel-" "fuzz/corpus/$ziel"

  echo "== fuzz_$ziel: $sekunden s"
  arbeit="$bau/corpus-$ziel"
  mkdir -p "$arbeit"
  protokoll="$bau/fuzz_$ziel.log"
  if ! "$programm" -max_total_time="$sekunden" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
      -print_final_stats=1 -artifact_prefix="$bau/funde/$ziel-" \
      "$arbeit" "fuzz/corpus/$ziel" >"$protokoll" 2>&1; then
    tail -n 60 "$protokoll" >&2
    echo "fuzz_$ziel: Fund, siehe $bau/funde/ und $protokoll" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$protokoll"
done
