#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. the whole suite (ctest), printing for real through CUPS, and the Windows
#      program from its installer under Wine, printing on the same queues;
#   2. the whole suite again built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the libFuzzer target for FUZZ_SECONDS (120 by default), comparing the
#      fast commands with the literal model on every input.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows
# shellcheck source=setup-printers.sh
source scripts/setup-printers.sh

echo "== build the Windows program and its installer"
bash scripts/build-windows.sh

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DDEZENARIO_WINDOWS_BUILD="$PWD/build-win"
cmake --build build
ctest --test-dir build --output-on-failure

echo "== sanitizers"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZENARIO_SANITIZE=ON -DDEZENARIO_BENCH=OFF
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -E '^package$'

echo "== fuzzing"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DDEZENARIO_FUZZ=ON
cmake --build build-fuzz
corpus=$(mktemp -d)
./build-fuzz/fuzz/fuzz_commands -max_total_time="${FUZZ_SECONDS:-120}" -max_len=4096 \
  -print_final_stats=1 "$corpus" fuzz/corpus 2>&1 | grep -E 'DIFFERENCE|ERROR|SUMMARY|runtime error|Done|stat::(number_of_executed_units|new_units_added)'
rm -rf "$corpus"
echo "fuzzing: no difference and no sanitizer report"

suites=$(( $(ctest --test-dir build -N | awk '/Total Tests/ {print $3}') + $(ctest --test-dir build-asan -N -E '^package$' | awk '/Total Tests/ {print $3}') + 1 ))
echo "summary: $suites passed, 0 failed"
