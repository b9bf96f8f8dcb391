#!/usr/bin/env bash
# bench/run_desktop.sh [SIZE_MB] [MEMBERS]: the desktop's check against vrt's on one generated
# project (default: 16 MB in 539 members, about 480,000 lines). Builds the release tree, generates
# the corpus when bench/out does not hold it, then times `vrt check` (every rule, as the desktop
# with 全てチェックする) and desktop_bench (offscreen: from the click on チェック to the last finding
# painted), best of RUNS (default 3) each, and prints the ratio and the goal (at most 2 x vrt).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
size=${1:-16}
members=${2:-539}
runs=${RUNS:-3}
corpus="$root/bench/out/desktop-${size}mb-m${members}"
project="$corpus/BenchProject.vbp"

flags=(-DCMAKE_BUILD_TYPE=Release -DVETRIN_SANITIZE=OFF)
# shellcheck source=../scripts/lib/build-tree.sh
. "$root/scripts/lib/build-tree.sh"
build_tree "$root/build/release" vrt desktop_bench vetrin_word_lists >/dev/null
[ -f "$project" ] || python3 "$root/bench/gen_corpus.py" --size-mb "$size" --members "$members" \
    --seed 1 --out "$corpus" >/dev/null
bin="$root/build/release/bin"

best_vrt=""
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    status=0
    "$bin/vrt" check --quiet "$project" >/dev/null || status=$?
    [ "$status" -le 1 ] || { echo "vrt check failed ($status)" >&2; exit 1; }
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best_vrt" ] || [ "$ms" -lt "$best_vrt" ]; then best_vrt=$ms; fi
done
findings=$("$bin/vrt" check --quiet "$project" | wc -l || true)

result=$(QT_QPA_PLATFORM=offscreen "$bin/desktop_bench" "$project" --repeat "$runs" | grep '^RESULT')
desktop=$(sed -n 's/.*desktop_ms=\([0-9]*\).*/\1/p' <<<"$result")
shown=$(sed -n 's/.*findings=\([0-9]*\).*/\1/p' <<<"$result")

echo "corpus: $project"
echo "vrt check:  ${best_vrt} ms, ${findings} findings"
echo "desktop:    ${desktop} ms, ${shown} findings shown"
ratio=$(awk -v d="$desktop" -v v="$best_vrt" 'BEGIN { printf "%.2f", d / (v > 0 ? v : 1) }')
goal=$(awk -v r="$ratio" 'BEGIN { print (r <= 2.0 ? "met" : "missed") }')
echo "desktop / vrt: ${ratio} (goal: at most 2: ${goal})"
