#!/usr/bin/env bash
# bench/run_desktop_windows.sh [SIZE_MB [SEED]]
#
# The Windows desktop against vrt.exe, both under Wine on Xvfb: generates a corpus with
# gen_corpus.py (default 20 MB), times `vrt.exe check` of it (all nine rules, the best of RUNS
# rounds, default 3) and vetrin.exe's check of it from the press on チェック with every rule ticked
# to the run's end with the last finding in the result list (vetrin-driver.exe's bench scenario,
# the best of RUNS starts of the program, each reading the project), and prints both and their
# ratio, with the findings and log lines the desktop counted. The goal:
# the desktop shows the last finding in at most twice vrt.exe's time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
size=${1:-20}
seed=${2:-1}
runs=${RUNS:-3}
"$root/scripts/build-windows.sh" >/dev/null
# shellcheck source=../scripts/lib/wine-desktop.sh
. "$root/scripts/lib/wine-desktop.sh"
export WINEPREFIX="$root/build/windows/wineprefix-desktop"
wine_desktop_prefix "$WINEPREFIX"
corpus="$root/bench/out/corpus-${size}mb-s$seed"
[ -f "$corpus/BenchProject.vbp" ] || python3 "$root/bench/gen_corpus.py" --size-mb "$size" \
    --seed "$seed" --out "$corpus" >/dev/null
work=$(mktemp -d)
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "${xvfbPid:-}" ] && kill "$xvfbPid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp -r "$root/dist/windows/." "$work/"
start_xvfb
project=$(wine_path "$corpus/BenchProject.vbp")
best=
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    wine "$work/vrt.exe" check --quiet "$project" >/dev/null || [ $? = 1 ]
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    [ -z "$best" ] || [ "$ms" -lt "$best" ] && best=$ms
done
# The desktop: a new start of the program each round, so that each check reads the project.
desktop=
for _ in $(seq "$runs"); do
    line=$(wine "$root/build/windows/bin/vetrin-driver.exe" bench 1 "$(wine_path "$work/vetrin.exe")" \
        "$project" | grep '^RESULT')
    ms=$(echo "$line" | sed -n 's/^RESULT desktop_ms=\([0-9]*\).*/\1/p')
    [ -z "$desktop" ] || [ "$ms" -lt "$desktop" ] && desktop=$ms
done
echo "corpus: $corpus"
echo "vrt.exe check:            $best ms (best of $runs, Wine start included)"
echo "vetrin.exe to last finding: $desktop ms (best of $runs; $line)"
awk -v d="$desktop" -v v="$best" 'BEGIN { printf "ratio: %.2f (goal: at most 2)\n", d / v }'
