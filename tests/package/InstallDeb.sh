#!/usr/bin/env bash
# Installs the Debian package on this machine and runs what it installed.
#   InstallDeb.sh DEB ROOT VERSION
# DEB: the package of scripts/package-deb.sh; ROOT: the repository; VERSION: the CMake version.
# apt brings the libraries the package depends on; installing again replaces the earlier copy.
# Without root (and without sudo that asks nothing) nothing may be installed: skipped (77).
set -euo pipefail
deb=$(realpath "$1") root=$2 version=$3
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "not root and no sudo: the package is not installed"; exit 77; }
    sudo_cmd=(sudo -n)
fi
failed=0
fail() { echo "FAILED: $*"; failed=1; }

DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall "$deb" >/dev/null
[ "$(dpkg-query -W -f='${Status} ${Version}' vetrin)" = "install ok installed $version" ] ||
    fail "dpkg does not list vetrin $version as installed"

# The version is the build's: "vrt 1.0.0", then what git describe said, if anything.
shown=$(/usr/bin/vrt --version)
case $shown in
"vrt $version" | "vrt $version "* | "vrt $version+"*) ;;
*) fail "vrt --version says '$shown', not version $version" ;;
esac

# The installed vrt finds its word lists through the link in /usr/bin and checks the example as
# the build's vrt does (the golden files hold the build's output).
sh "$root/tests/golden/RunGolden.sh" /usr/bin/vrt "$root/examples" 1 \
    "$root/tests/golden/expected/example.txt" "$root/tests/golden/expected/example.summary.txt" \
    - - - -- --lang ja check --rules Example.vrp Example.vbp || fail "the installed vrt checks differently"

# Every library of the programs is there (the package's Depends brought them).
for program in /usr/lib/vetrin/*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    if ldd "$program" | grep -q "not found"; then fail "$program misses libraries"; fi
done

# The man page is made from vrt's help: its commands are in it. (Minimal images tell dpkg not to
# unpack man pages; it is read from the package then.)
man=/usr/share/man/man1/vrt.1.gz
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ".$man" | gzip -dc | grep -q 'vrt check \[' ||
    fail "the package's man page does not describe vrt check"
if [ -f "$man" ] && command -v man >/dev/null; then
    [ "$(man -w vrt)" = "$man" ] || fail "man -w vrt does not find $man"
fi
if [ -x /usr/lib/vetrin/vetrin ]; then
    for file in /usr/share/applications/vetrin.desktop /usr/share/icons/hicolor/48x48/apps/vetrin.png; do
        dpkg -L vetrin | grep -qx "$file" || fail "the package does not install $file"
    done
fi
exit $failed
