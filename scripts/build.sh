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
# shellcheck source=lib/build-tree.sh
. "$root/scripts/lib/build-tree.sh"
build_tree "$dir"
