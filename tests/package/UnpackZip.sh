#!/usr/bin/env bash
# Unpacks the Windows zip into a folder named with a blank and Japanese and runs vrt.exe from there
# under Wine (WINEPREFIX set by the caller).
#   UnpackZip.sh ZIP ROOT VERSION
# ZIP: the zip of scripts/build-windows.sh; ROOT: the repository; VERSION: the CMake version.
set -euo pipefail
zip=$1 root=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/Vetrin テスト 1"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
failed=0
fail() { echo "FAILED: $*"; failed=1; }
for file in vrt.exe vetrin.exe vb/keyword.txt vb/operator.txt vb/internal.txt README.md LICENSE.txt; do
    [ -f "$folder/$file" ] || fail "the zip has no $file"
done

shown=$(LC_ALL=C.UTF-8 WINEDEBUG=-all wine "$folder/vrt.exe" --version | tr -d '\r')
case $shown in
"vrt $version" | "vrt $version "* | "vrt $version+"*) ;;
*) fail "vrt.exe --version says '$shown', not version $version" ;;
esac

# Both programs carry a version record with the same numbers.
python3 "$root/tests/package/VersionRecord.py" "$version" "$folder/vrt.exe" "$folder/vetrin.exe" ||
    fail "a version record is missing or wrong"

# vrt.exe from that folder checks the example as the Linux vrt does (the golden files).
WINEDEBUG=-all sh "$root/tests/golden/RunGolden.sh" "$folder/vrt.exe" "$root/examples" 1 \
    "$root/tests/golden/expected/example.txt" "$root/tests/golden/expected/example.summary.txt" \
    - - - -- --lang ja check --rules Example.vrp Example.vbp || fail "vrt.exe from the zip checks differently"
exit $failed
