#!/bin/sh
# Projects in folders whose names the source code page cannot hold, and sources in code pages
# other than 932. The folders are made here, in a temporary folder.
#   RunCodePages.sh VRT SOURCE_DIR EXPECTED_DIR
# A VRT ending in .exe is the Windows build: it runs under Wine (${VETRIN_WINE:-wine}), which shows
# a folder as Z:\... with "\" separators; those are written as on Linux before the comparisons.
# Paths in the outputs are written <ROOT>; with VETRIN_GOLDEN_UPDATE=1 the expected files of the
# code page 1252 project are rewritten (check every line of them by hand before committing).
set -u
vrt=$1 src=$2 expected=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-codepages.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
windows=0
case $vrt in *.exe) windows=1 ;; esac

runvrt() {
    if [ $windows = 1 ]; then
        # Wine takes the arguments and file names in the locale's character set.
        LC_ALL=C.UTF-8 ${VETRIN_WINE:-wine} "$vrt" --lang ja "$@"
    else
        "$vrt" --lang ja "$@"
    fi
}

# A folder as Wine shows it (drive Z: is the Unix root), as a sed pattern.
winefolder() { printf 'Z:%s' "$1" | tr / '\\' | sed 's/[][\\.*^$|]/\\&/g'; }

# run FOLDER STATUS OUT ARGS...: runs vrt in FOLDER, the folder's path replaced by <ROOT> in OUT
# (in UTF-8, and in code page 1252 for the native output).
run() {
    folder=$1 want=$2 out=$3
    shift 3
    (cd "$folder" && runvrt "$@") >"$work/raw" 2>"$work/err"
    got=$?
    [ "$got" = "$want" ] || fail "$folder $*: status $got, expected $want: $(cat "$work/err")"
    [ -s "$work/err" ] && fail "$folder $*: stderr: $(cat "$work/err")"
    native=$(printf '%s' "$folder" | iconv -f UTF-8 -t CP1252 2>/dev/null || printf '%s' "$folder")
    if [ $windows = 1 ]; then
        # The Windows form of the folder, then "\" as "/" in the rest of a path that starts a line.
        LC_ALL=C sed -e "s|$(winefolder "$folder")|<ROOT>|g" -e "s|$(winefolder "$native")|<ROOT>|g" \
            -e ':a' -e 's|^\(<ROOT>[^ (]*\)\\|\1/|' -e 'ta' "$work/raw" >"$out"
    else
        LC_ALL=C sed -e "s|$folder|<ROOT>|g" -e "s|$native|<ROOT>|g" "$work/raw" >"$out"
    fi
}

same() {
    cmp -s "$1" "$2" || { fail "$3"; diff "$1" "$2" | head -20; }
}

# The example project in ASCII, accented, Hangul and Japanese folders: the same findings.
mkdir -p "$work/plain"
cp "$src/examples/"* "$work/plain/"
run "$work/plain" 1 "$work/plain.txt" check --quiet --rules Example.vrp Example.vbp
for name in "josé" "한글" "日本語"; do
    mkdir -p "$work/$name"
    cp "$src/examples/"* "$work/$name/"
    run "$work/$name" 1 "$work/$name.txt" check --quiet --rules Example.vrp Example.vbp
    same "$work/plain.txt" "$work/$name.txt" "example project in $name"
    # Given as an absolute path, from elsewhere.
    run "$work" 1 "$work/$name.abs.txt" check --quiet --rules "$work/$name/Example.vrp" "$work/$name/Example.vbp"
    grep -q "^<ROOT>/$name/MainForm.frm" "$work/$name.abs.txt" ||
        fail "absolute path in $name: $(head -3 "$work/$name.abs.txt")"
done

# A code page 1252 project in an accented folder; its member Año.bas is named in the project
# in code page 1252 and on disk in UTF-8.
spanish="$work/carpeta ñandú"
mkdir -p "$spanish" "$work/ascii"
for d in "$spanish" "$work/ascii"; do
    cp "$src/tests/golden/fixtures/cp1252/Spanish.vbp" "$src/tests/golden/fixtures/cp1252/Utilidades.bas" "$d/"
    cp "$src/tests/golden/fixtures/cp1252/Anio.bas" "$d/Año.bas"
done
run "$spanish" 1 "$work/cp1252.txt" check --quiet --codepage 1252 Spanish.vbp
run "$spanish" 1 "$work/cp1252.native.txt" check --quiet --codepage 1252 --encoding native Spanish.vbp
run "$work/ascii" 1 "$work/cp1252.ascii.txt" check --quiet --codepage 1252 Spanish.vbp
same "$work/cp1252.txt" "$work/cp1252.ascii.txt" "code page 1252 project: accented and ASCII folders"
if [ "${VETRIN_GOLDEN_UPDATE:-}" = 1 ]; then
    cp "$work/cp1252.txt" "$expected/cp1252.txt"
    cp "$work/cp1252.native.txt" "$expected/cp1252.native.txt"
else
    same "$expected/cp1252.txt" "$work/cp1252.txt" "code page 1252 project, UTF-8 output"
    same "$expected/cp1252.native.txt" "$work/cp1252.native.txt" "code page 1252 project, native output"
fi

# Members that cannot be read: one stderr line each, and the members after them still checked
# (the member that fails is a POSIX device file: not under Wine).
[ $windows = 1 ] && exit $failed
broken="$work/broken"
mkdir -p "$broken"
printf 'Type=Exe\r\nModule=A; A.bas\r\nModule=B; B.bas\r\nModule=C; C.bas\r\n' >"$broken/P.vbp"
for m in A C; do
    printf 'Attribute VB_Name = "%s"\r\nSub F()\r\nDim x%s As Long\r\nEnd Sub\r\n' $m $m >"$broken/$m.bas"
done
ln -s /proc/self/mem "$broken/B.bas" # a file that is there but gives an I/O error when read
(cd "$broken" && "$vrt" check P.vbp) >"$work/out" 2>"$work/err"
[ $? = 2 ] || fail "unreadable member: status (a run that missed a member exits 2)"
[ "$(grep -c 'B.bas' "$work/err")" = 1 ] || fail "unreadable member: stderr: $(cat "$work/err")"
grep -q 'C.bas(3)' "$work/out" || fail "unreadable member: C.bas not checked: $(cat "$work/out")"

exit $failed
