#!/usr/bin/env bash
# Builds Qt 6.4.2's qtbase for 64-bit Windows from Debian's own source package,
# with Debian's MinGW-w64 (posix threads), into the folder given (relocatable).
# About 25 minutes on 2 cores. Needs the tools of install-deps.sh --windows.
set -euo pipefail
prefix=$(realpath -m "${1:?where to install}")
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# The host's moc, rcc and uic, and the Wintab headers that Debian's source leaves out.
$SUDO apt-get install -y -qq --no-install-recommends qt6-base-dev qt6-base-dev-tools libwine-dev perl ninja-build
here=$(dirname "$(realpath "$0")")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
bash "$here/debian-source.sh" --download-only qt6-base=6.4.2+dfsg-10
tar -xJf qt6-base_6.4.2+dfsg.orig.tar.xz
src=$work/qtbase-everywhere-src-6.4.2
mkdir -p "$src/src/3rdparty/wintab"
cp /usr/include/wine/wine/windows/pktdef.h "$src/src/3rdparty/wintab/"
{
  printf '#ifndef API\n# define API WINAPI\n#endif\n#ifndef DECL_WINELIB_TYPE_AW\n'
  printf '# ifdef UNICODE\n#  define WINELIB_NAME_AW(name) name##W\n# else\n#  define WINELIB_NAME_AW(name) name##A\n# endif\n'
  printf '# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;\n#endif\n'
  cat /usr/include/wine/wine/windows/wintab.h
} >"$src/src/3rdparty/wintab/wintab.h"

cat >mingw-w64.toolchain.cmake <<'CMAKE'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
CMAKE

cmake -S "$src" -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64.toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
  -DINPUT_opengl=no -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
cmake --build build --parallel "$(nproc)"
cmake --install build

# Relocatable: the toolchain travels with Qt, and Qt's own toolchain file finds it beside itself.
cp mingw-w64.toolchain.cmake "$prefix/lib/cmake/Qt6/"
sed -i 's|^set(__qt_initially_configured_toolchain_file .*|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/mingw-w64.toolchain.cmake")|' \
  "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
find "$prefix" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
echo "Qt for Windows is in $prefix"
