#!/usr/bin/env bash
# Makes docs/screenshot-windows.png: vetrin.exe under Wine after a check of the example project,
# with the statistics window open. The program is the real one, driven by vetrin-driver.exe on an
# X server without a screen; the picture is the whole screen (Wine's virtual desktop).
#   scripts/screenshot-windows.sh [output.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot-windows.png}")
"$root/scripts/build-windows.sh" >/dev/null
# shellcheck source=lib/wine-desktop.sh
. "$root/scripts/lib/wine-desktop.sh"
export WINEPREFIX="$root/build/windows/wineprefix-desktop"
wine_desktop_prefix "$WINEPREFIX"
work=$(mktemp -d)
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "${xvfbPid:-}" ] && kill "$xvfbPid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp -r "$root/dist/windows/." "$work/"
cp "$root/examples/"* "$work/"
printf '[Editor]\r\nCommandLine=notepad.exe /l%%L %%F\r\n' >"$work/vrt.ini"
start_xvfb
ready="$work/ready"
wine "$root/build/windows/bin/vetrin-driver.exe" show "$(wine_path "$ready")" \
    "$(wine_path "$work/vetrin.exe")" "$(wine_path "$work/Example.vbp")" \
    "$(wine_path "$work/Example.vrp")" &
driver=$!
for _ in $(seq 600); do [ -f "$ready" ] && break; sleep 0.1; done
[ -f "$ready" ] || { echo "vetrin.exe did not get ready" >&2; exit 1; }
sleep 1
mkdir -p "$(dirname "$out")"
import -window root "$out"
rm -f "$ready"
wait $driver
echo "Wrote $out"
