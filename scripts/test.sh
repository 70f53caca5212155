#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. the layout of all C++ against .clang-format;
#   2. the whole suite (ctest), printing for real through CUPS, and the Windows
#      program from its installer under Wine, printing on the same queues;
#   3. the whole suite again built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows
echo "== layout"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
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

# The layout check, each ctest suite, and each suite again under the sanitizers.
suites=$(( 1 + $(ctest --test-dir build -N | awk '/Total Tests/ {print $3}') + $(ctest --test-dir build-asan -N -E '^package$' | awk '/Total Tests/ {print $3}') ))
echo "summary: $suites passed, 0 failed"
