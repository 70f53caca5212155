#!/usr/bin/env bash
# Installs what is missing, cross-builds the Windows program and its tests with
# MinGW-w64 against Qt 6.4 for Windows, and makes the installer and a portable
# .zip: build-win/DEZENARIO-<version>-win64.exe and .zip, with the installer's SHA-256 beside it
# (.exe.sha256) for users to check what they downloaded.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/.deps/qt6-mingw/lib/cmake/Qt6/qt.toolchain.cmake"
cmake --build build-win
cd build-win
cpack
for exe in DEZENARIO-*-win64.exe; do sha256sum "$exe" >"$exe.sha256"; done
ls -l DEZENARIO-*-win64.*
