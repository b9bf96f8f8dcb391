#!/usr/bin/env bash
# scripts/package-deb.sh : builds vrt, vetrin and the man page in the release build (build/release)
# and makes the Debian package with cpack: dist/vetrin_<version>_<arch>.deb. Install it with
#   sudo apt-get install ./dist/vetrin_<version>_<arch>.deb
# (apt brings the libraries it depends on). lintian's opinion is printed when lintian is there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir="$root/build/release"
flags=(-DCMAKE_BUILD_TYPE=Release -DVETRIN_SANITIZE=OFF)
# shellcheck source=lib/build-tree.sh
. "$root/scripts/lib/build-tree.sh"
build_tree "$dir" vrt vetrin vrt_man vetrin_package_docs vetrin_word_lists
(cd "$dir" && cpack -G DEB -B "$dir/cpack" >/dev/null)
mkdir -p "$root/dist"
rm -f "$root/dist/"vetrin_*.deb
package=$(ls "$dir/cpack/"vetrin_*.deb)
cp "$package" "$root/dist/"
deb="$root/dist/$(basename "$package")"
if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" || true
fi
echo "Wrote $deb"
