#!/usr/bin/env bash
# scripts/build-windows.sh : cross-compiles vrt for 64-bit Windows with MinGW-w64 into
# build/windows and puts dist/windows/vrt.exe (statically linked: it needs nothing but Windows)
# with the word lists beside it in dist/windows/vb/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --windows
dir="$root/build/windows"
flags=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release
       -DVETRIN_GUI=OFF -DVETRIN_TESTS=OFF -DVETRIN_BENCH=OFF)
# shellcheck source=lib/build-tree.sh
. "$root/scripts/lib/build-tree.sh"
build_tree "$dir" vrt vetrin_word_lists
dist="$root/dist/windows"
rm -rf "$dist"
mkdir -p "$dist/vb"
x86_64-w64-mingw32-strip -o "$dist/vrt.exe" "$dir/bin/vrt.exe"
cp "$dir/bin/vb/"*.txt "$dist/vb/"
echo "Wrote $dist/vrt.exe"
