#!/bin/sh
# Runs tests/lsp/nvim_client.lua in a headless Neovim against `vrt lsp`, on a copy of the example
# project. Usage: RunNvim.sh VRT SOURCE_DIR
set -eu
vrt=$1
source=$2
command -v nvim >/dev/null || { echo "nvim is not installed (scripts/setup.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/examples" "$work/Example"
member="$work/Example/modCommon.bas"
EXPECTED=$("$vrt" check --lang ja --format json --exit-zero "$work/Example/Example.vbp")
export VRT="$vrt" MEMBER="$member" EXPECTED
# No user configuration, no swap files, no shada: the client alone.
HOME="$work" timeout 120 nvim --headless -u NONE -i NONE -n -c "luafile $source/tests/lsp/nvim_client.lua"
