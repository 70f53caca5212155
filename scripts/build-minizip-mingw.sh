#!/usr/bin/env bash
# Cross-builds minizip for Windows from Debian's source package with MinGW-w64, as a static
# library, into the folder given (headers in include/minizip, library in lib). It reads zlib's
# static library from Debian's libz-mingw-w64-dev.
set -euo pipefail
prefix=$(realpath -m "$1")
src=$(mktemp -d)
trap 'rm -rf "$src"' EXIT
here=$(dirname "$(realpath "$0")")
(cd "$src" && bash "$here/debian-source.sh" minizip >/dev/null)
dir=$(ls -d "$src"/minizip-*/)
cc=x86_64-w64-mingw32-gcc-posix
mkdir -p "$prefix/include/minizip" "$prefix/lib"
for c in unzip ioapi; do
  $cc -O2 -Wall -DNOCRYPT -c "$dir/$c.c" -o "$src/$c.o"
done
x86_64-w64-mingw32-ar rcs "$prefix/lib/libminizip.a" "$src/unzip.o" "$src/ioapi.o"
cp "$dir/unzip.h" "$dir/ioapi.h" "$prefix/include/minizip/"
