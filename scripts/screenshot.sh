#!/usr/bin/env bash
# Makes docs/screenshot.png: the desktop application after a check of examples/Example.vbp with
# the statistics window open. The windows are the real ones (ApplicationScreenshotTest builds
# them as the program does), drawn offscreen and saved with QWidget::grab.
#   scripts/screenshot.sh [output.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
"$root/scripts/setup.sh"
dir="$root/build/release"
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVETRIN_SANITIZE=OFF >/dev/null
fi
cmake --build "$dir" --target ApplicationScreenshotTest vetrin_word_lists -- -j"${VETRIN_JOBS:-$(nproc)}"
mkdir -p "$(dirname "$out")"
QT_QPA_PLATFORM=offscreen VETRIN_SCREENSHOT="$out" "$dir/bin/ApplicationScreenshotTest" >/dev/null
echo "Wrote $out"
