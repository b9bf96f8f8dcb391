#!/usr/bin/env bash
# scripts/build-windows.sh : cross-compiles vrt.exe and the desktop application vetrin.exe for
# 64-bit Windows with MinGW-w64 into build/windows and puts them into dist/windows/ (statically
# linked: they need nothing but Windows) with the word lists beside them in dist/windows/vb/, and
# packs them with the README and the licence into dist/windows/vetrin-<version>-windows.zip.
# The test driver of vetrin.exe stays in build/windows/bin/vetrin-driver.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --windows
dir="$root/build/windows"
flags=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release
       -DVETRIN_GUI=OFF -DVETRIN_TESTS=OFF -DVETRIN_BENCH=OFF)
# shellcheck source=lib/build-tree.sh
. "$root/scripts/lib/build-tree.sh"
build_tree "$dir" vrt vetrin vetrin_driver vetrin_word_lists
dist="$root/dist/windows"
rm -rf "$dist"
mkdir -p "$dist/vb"
for exe in vrt vetrin; do
    x86_64-w64-mingw32-strip -o "$dist/$exe.exe" "$dir/bin/$exe.exe"
done
cp "$dir/bin/vb/"*.txt "$dist/vb/"
# The zip: what dist/windows holds, the README and the licence, at its top level (Windows'
# "Extract All" makes the folder).
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
stage="$dir/zip"
rm -rf "$stage"
mkdir -p "$stage"
cp -r "$dist/vrt.exe" "$dist/vetrin.exe" "$dist/vb" "$stage/"
cp "$root/README.md" "$stage/README.md"
cp "$root/LICENSE" "$stage/LICENSE.txt"
zip="$dist/vetrin-$version-windows.zip"
(cd "$stage" && zip -qrX "$zip" .)
echo "Wrote $dist/vrt.exe, $dist/vetrin.exe and $zip"
