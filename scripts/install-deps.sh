#!/usr/bin/env bash
# Installs what building, running and testing DEZENARIO needs on Debian 12.
# Idempotent: only missing packages are fetched.
#   --windows  also the tools that build and test the Windows program: MinGW-w64
#              (posix threads), Wine, NSIS and icoutils, and Qt for Windows in .deps/qt6-mingw
#              (unpacked from ../shared/qt6-mingw, or built by scripts/build-qt-mingw.sh), and
#              minizip for Windows in .deps/minizip-mingw, from Debian's source.
set -euo pipefail
cd "$(dirname "$0")/.."

want=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra
  libminizip-dev python3-openpyxl
  libcups2-dev cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils ghostscript
  xvfb xauth xdotool xdg-utils dpkg-dev file
  lintian appstream desktop-file-utils man-db
  dbus at-spi2-core python3-pyatspi
  clang-format git
)
windows=false
if [ "${1:-}" = --windows ]; then
  windows=true
  want+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
         wine64 nsis icoutils libz-mingw-w64-dev)
fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if $windows && [ ! -f .deps/qt6-mingw/lib/cmake/Qt6/qt.toolchain.cmake ]; then
  mkdir -p .deps
  if [ -f ../shared/qt6-mingw/qt6.4.2-mingw-w64.tar.xz ]; then
    tar -xJf ../shared/qt6-mingw/qt6.4.2-mingw-w64.tar.xz -C .deps
  else
    bash scripts/build-qt-mingw.sh .deps/qt6-mingw
  fi
fi

if $windows && [ ! -f .deps/minizip-mingw/lib/libminizip.a ]; then
  bash scripts/build-minizip-mingw.sh .deps/minizip-mingw
fi
