#!/usr/bin/env bash
# The version text of a build (cmake/VersionHeader.cmake) from a source tarball, from a checkout
# without tags and from one with a tag, and the header is left alone when its text is the same.
#   VersionText.sh ROOT
set -euo pipefail
script=$1/cmake/VersionHeader.cmake
command -v git >/dev/null || { echo "no git: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
text() { # SOURCE_DIR: the version text the header gets for 2.3.4
    cmake -DSOURCE_DIR="$1" -DVERSION=2.3.4 -DOUTPUT="$work/VetrinVersion.h" -P "$script"
    sed -n 's/^#define VETRIN_VERSION_TEXT "\(.*\)"$/\1/p' "$work/VetrinVersion.h"
}
expect() { # WHAT ACTUAL PATTERN
    [[ $2 =~ ^$3$ ]] || { echo "FAILED: $1: '$2'"; failed=1; }
}
git() { command git -C "$work/repo" -c user.email=v@example.org -c user.name=v "$@"; }
mkdir -p "$work/tarball/vetrin-2.3.4" "$work/repo/sub"
expect "a source tarball" "$(text "$work/tarball/vetrin-2.3.4")" '2\.3\.4'
git init -q && git commit -q --allow-empty -m one
expect "a checkout without tags" "$(text "$work/repo")" '2\.3\.4\+g[0-9a-f]{7,}'
expect "a folder inside another checkout" "$(text "$work/repo/sub")" '2\.3\.4'
git tag v2.3.4 && git commit -q --allow-empty -m two
expect "a checkout with a tag" "$(text "$work/repo")" '2\.3\.4 \(v2\.3\.4-1-g[0-9a-f]{7,}\)'
touch "$work/repo/file" && git add file
expect "a checkout with a change" "$(text "$work/repo")" '2\.3\.4 \(v2\.3\.4-1-g[0-9a-f]{7,}-dirty\)'
touch -d @0 "$work/VetrinVersion.h"
text "$work/repo" >/dev/null
[ "$(stat -c %Y "$work/VetrinVersion.h")" = 0 ] || { echo "FAILED: the same text rewrote the header"; failed=1; }
exit $failed
