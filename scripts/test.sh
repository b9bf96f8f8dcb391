#!/usr/bin/env bash
# Sets up what is missing, builds with the sanitizers, runs every test, fuzzes and checks the
# layout of the sources against .clang-format. The Windows build of
# vrt (scripts/build-windows.sh) runs the golden tests too, under Wine, and the desktop
# application vetrin.exe is driven under Wine on Xvfb; VETRIN_WINDOWS=0 leaves them out. The
# Debian package (scripts/package-deb.sh) is built, installed and run, and so is the Windows zip;
# VETRIN_PACKAGE=0 leaves the package out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
windows=${VETRIN_WINDOWS:-1}
if [ "$windows" = 1 ]; then
    "$root/scripts/setup.sh" --windows
else
    "$root/scripts/setup.sh"
fi
"$root/scripts/build.sh" asan
vrtExe= prefix= desktopPrefix= driver= zip= deb=
if [ "${VETRIN_PACKAGE:-1}" = 1 ]; then
    "$root/scripts/package-deb.sh"
    deb=$(ls "$root/dist/"vetrin_*.deb)
fi
if [ "$windows" = 1 ]; then
    "$root/scripts/build-windows.sh"
    vrtExe="$root/dist/windows/vrt.exe"
    zip=$(ls "$root/dist/windows/"vetrin-*-windows.zip)
    driver="$root/build/windows/bin/vetrin-driver.exe"
    # One Wine prefix for all runs of vrt.exe, made once (it takes a while).
    prefix="$root/build/windows/wineprefix"
    if [ ! -f "$prefix/system.reg" ]; then
        echo "Creating the Wine prefix $prefix"
        WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i
        WINEPREFIX="$prefix" wineserver -w
    fi
    # And one for the desktop application's tests, which end their Wine server after each run.
    desktopPrefix="$root/build/windows/wineprefix-desktop"
    (
        # shellcheck source=lib/wine-desktop.sh
        . "$root/scripts/lib/wine-desktop.sh"
        wine_desktop_prefix "$desktopPrefix"
    )
fi
cmake "$root/build/asan" -DVETRIN_WINDOWS_VRT="$vrtExe" -DVETRIN_WINEPREFIX="$prefix" \
    -DVETRIN_WINDOWS_DRIVER="$driver" -DVETRIN_WINE_DESKTOP_PREFIX="$desktopPrefix" \
    -DVETRIN_DEB_PACKAGE="$deb" -DVETRIN_WINDOWS_ZIP="$zip" >/dev/null
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
cd "$root/build/asan"
ctest --output-on-failure -j"$(nproc)"
# A short run of every fuzz target (clang, libFuzzer) from its seed corpus.
"$root/scripts/fuzz.sh" "${VETRIN_FUZZ_SECONDS:-30}"
# The layout of the sources against .clang-format.
"$root/scripts/check-format.sh"
