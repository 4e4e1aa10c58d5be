#!/bin/sh
# Second CI pass: the whole test suite once more, built with AddressSanitizer
# and UndefinedBehaviorSanitizer. Any report fails the test that caused it.
set -eu
cd "$(dirname "$0")/.."
sh tools/packages.sh tests

bau=build-asan
cmake -S . -B "$bau" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPROMILLE_SANITIZE=ON -DPROMILLE_TESTS=ON -DPROMILLE_BENCH=ON \
  -DPROMILLE_WERROR="${PROMILLE_WERROR:-OFF}"
cmake --build "$bau" -j2

# Leaks are reported, except those of system libraries that keep their
# caches until the process ends (fontconfig, the X and D-Bus client libraries).
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
LSAN_OPTIONS="suppressions=$(pwd)/.ci/lsan-suppressions.txt:print_suppressions=0"
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

cd "$bau"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The benchmarks once through, briefly: they drive the catalogue read, the
# rewrite and the keystrokes under the sanitizers too, and stay buildable.
# Their timings mean nothing here.
./bench/promille_bench --benchmark_min_time=0.001 >bench.log 2>&1 || { cat bench.log; exit 1; }
if grep -q "ERROR OCCURRED" bench.log; then
  cat bench.log
  exit 1
fi
