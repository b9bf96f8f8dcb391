#!/usr/bin/env bash
# Runs one scenario of the desktop application vetrin.exe under Wine on its own X server, driven
# by vetrin-driver.exe (tests/win32driver).
#   RunDriver.sh PREFIX DIST DRIVER ROOT SCENARIO
# PREFIX: the Wine prefix (made by scripts/test.sh); DIST: the folder of vetrin.exe, vrt.exe and
# vb/; ROOT: the repository. The program runs from a copy in a folder named with a blank and
# Japanese, with its own vrt.ini, and checks a copy of the example project in another such folder,
# so that paths reach it and the editor whole. The expected rows are vrt.exe's answer for the
# same project.
set -euo pipefail
prefix=$1 dist=$2 driver=$3 root=$4 scenario=$5
# shellcheck source=../../scripts/lib/wine-desktop.sh
. "$root/scripts/lib/wine-desktop.sh"
export WINEPREFIX=$prefix
work=$(mktemp -d)
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "${xvfbPid:-}" ] && kill "$xvfbPid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
app="$work/アプリ フォルダ"
project="$work/例 プロジェクト"
mkdir -p "$app" "$project"
cp -r "$dist/vetrin.exe" "$dist/vb" "$app/"
cp "$root/examples/"* "$project/"
record="$work/record.txt"
# The editor: the driver in its stand-in role, recording its arguments.
printf '[Editor]\r\nCommandLine="%s" record "%s" /l%%L %%F\r\n' "$(wine_path "$driver")" \
    "$(wine_path "$record")" >"$app/vrt.ini"
start_xvfb
winProject=$(wine_path "$project/Example.vbp")
winRules=$(wine_path "$project/Example.vrp")
expected="$work/expected.txt"
case $scenario in
english)
    # English is chosen in one run of the program and spoken in the next: the findings too,
    # where vrt.exe speaks it.
    lang=()
    wine "$dist/vrt.exe" --help 2>/dev/null | grep -q -- --lang && lang=(--lang en)
    (cd "$project" && wine "$dist/vrt.exe" check --quiet "${lang[@]}" --rules "$winRules" \
        "$winProject" >"$expected" || [ $? = 1 ]) ;;
check|editor)
    (cd "$project" && wine "$dist/vrt.exe" check --quiet --rules "$winRules" "$winProject" \
        >"$expected" || [ $? = 1 ]) ;;
stats)
    # The window shows each member's file name and its four counts, then their sums.
    (cd "$project" && wine "$dist/vrt.exe" stats --tsv --rules "$winRules" "$winProject") |
        tail -n +2 | sed 's|^[^\t]*[\\/]||' >"$expected"
    awk -F'\t' '{ for (i = 2; i <= 5; i++) sum[i] += $i }
        END { printf "合計\t%d\t%d\t%d\t%d\n", sum[2], sum[3], sum[4], sum[5] }' \
        "$expected" >>"$expected" ;;
esac
[ "$scenario" = editor ] && expected=$record
if [ "$scenario" = stop ]; then
    # A project of many members, so that the run is still reading when 中止 comes.
    python3 "$root/bench/gen_corpus.py" --size-mb 8 --members 400 --seed 1 --out "$project/big" \
        --name Big >/dev/null
    winProject=$(wine_path "$project/big/Big.vbp")
fi
# The driver closes the program at the end of each scenario; the screen at a failure is kept as
# win32-SCENARIO-failure.png in the test's folder.
status=0
if [ "$scenario" = english ]; then
    wine "$driver" choose-english none "$(wine_path "$app/vetrin.exe")" >"$work/driver.txt" 2>&1 ||
        { cat "$work/driver.txt"; exit 1; }
    grep -q '^Language=en' "$app/vrt.ini" || { echo "vrt.ini keeps no language"; exit 1; }
fi
wine "$driver" "$scenario" "$(wine_path "$expected")" "$(wine_path "$app/vetrin.exe")" \
    "$winProject" "$winRules" >"$work/driver.txt" 2>&1 &
driverPid=$!
while kill -0 $driverPid 2>/dev/null; do
    if grep -qs '^failure' "$work/driver.txt"; then
        import -window root "$PWD/win32-$scenario-failure.png" 2>/dev/null || true
        break
    fi
    sleep 0.5
done
wait $driverPid || status=$?
cat "$work/driver.txt"
exit $status
