#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing. Quick when all are there.
set -euo pipefail
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev qt6-base-dev qt6-base-dev-tools
          libgl1-mesa-dev libcli11-dev nlohmann-json3-dev fonts-noto-cjk cloc ccache
          clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
