#!/usr/bin/env bash
# scripts/build.sh release|asan : configures (once) and builds into build/<kind>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
dir="$root/build/$kind"
case "$kind" in
    release) flags=(-DCMAKE_BUILD_TYPE=Release -DVETRIN_SANITIZE=OFF) ;;
    asan)    flags=(-DCMAKE_BUILD_TYPE=Debug -DVETRIN_SANITIZE=ON -DCMAKE_CXX_FLAGS=-O1) ;;
    *) echo "usage: $0 release|asan" >&2; exit 2 ;;
esac
# ccache, where it is installed, shares compiled objects between build folders and checkouts.
if command -v ccache >/dev/null; then
    flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
fi
cmake --build "$dir" -- -j"${VETRIN_JOBS:-$(nproc)}"
