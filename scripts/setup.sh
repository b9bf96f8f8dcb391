#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing. Quick when all are there.
#   scripts/setup.sh [--windows]
set -euo pipefail
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev qt6-base-dev qt6-base-dev-tools
          libgl1-mesa-dev libcli11-dev nlohmann-json3-dev fonts-noto-cjk cloc ccache
          qt6-translations-l10n qt6-l10n-tools qt6-tools-dev clang libclang-rt-14-dev clang-format
          libxml2-utils python3-jsonschema help2man dpkg-dev zip unzip neovim)
# With --windows also the MinGW-w64 cross compiler for vrt.exe and vetrin.exe, Wine to run them,
# Wine's fonts, an X server without a screen and ImageMagick for the desktop application's tests
# and screenshot, and the locales package for the Japanese locale Wine takes text in (without
# their recommended packages: nothing else is needed).
windows=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64 fonts-wine xvfb imagemagick
         locales)

missing_of() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
updated=0
install() { # [apt-get options] -- packages
    local options=()
    while [ "$1" != -- ]; do options+=("$1"); shift; done
    shift
    [ $# -gt 0 ] || return 0
    echo "Installing: $*"
    [ $updated = 1 ] || "${sudo_cmd[@]}" apt-get update -qq
    updated=1
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${options[@]}" "$@" \
        >/dev/null
}
mapfile -t missing < <(missing_of "${packages[@]}")
# The SARIF validator comes from npm and the HTML report test runs on Python; a machine that
# already has the commands (from another source than Debian) keeps them.
command -v npm >/dev/null || missing+=(npm)
command -v python3 >/dev/null || missing+=(python3)
install -- "${missing[@]}"
if [ "${1:-}" = --windows ]; then
    mapfile -t missing < <(missing_of "${windows[@]}")
    install --no-install-recommends -- "${missing[@]}"
    # Wine reads arguments and file names in the locale's character set: Japanese needs a UTF-8
    # Japanese locale.
    if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
        echo "Generating the locale ja_JP.UTF-8"
        "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    fi
fi
# The VS Code extension (editors/vscode) is built into editors/vscode/vetrin.vsix with its npm
# packages, installed in its own node_modules; again only when a source of it is newer.
vscode="$(cd "$(dirname "$0")/.." && pwd)/editors/vscode"
if command -v npm >/dev/null; then
    if [ ! -d "$vscode/node_modules/vscode-languageclient" ] ||
        [ ! -x "$vscode/node_modules/.bin/vsce" ] || [ ! -x "$vscode/node_modules/.bin/tsc" ]; then
        echo "Installing the VS Code extension's npm packages"
        npm install --prefix "$vscode" --no-audit --no-fund >/dev/null 2>&1 ||
            echo "setup: npm could not install the VS Code extension's packages" >&2
    fi
    if [ -x "$vscode/node_modules/.bin/vsce" ] && { [ ! -f "$vscode/vetrin.vsix" ] ||
        [ -n "$(find "$vscode/src" "$vscode/package.json" -newer "$vscode/vetrin.vsix")" ]; }; then
        echo "Building the VS Code extension"
        (cd "$vscode" && npm run --silent package >/dev/null) ||
            echo "setup: the VS Code extension could not be built" >&2
    fi
fi
