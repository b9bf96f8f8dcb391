#!/bin/sh
# vrt on projects it cannot check whole and on unusual paths (copies in a temporary folder):
#   Failures.sh VRT FIXTURES
# A run that missed a member exits 2 after its whole output (--allow-missing: 0 or 1) and
# records no baseline; a member that is a folder or a FIFO is told as such and never read; a
# "\" in a folder's name is a letter; a newline in a path cannot forge an output line; a file
# name that starts with "-" gets a hint.
set -u
LC_ALL=C
export LC_ALL
vrt=$1 fixtures=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-failures.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT

failed=0
fail() { echo "FAILED: $*"; failed=1; }
run() { # expected-status args...
    want=$1
    shift
    timeout 60 "$vrt" "$@" >"$work/out" 2>"$work/err"
    got=$?
    [ "$got" = "$want" ] || fail "vrt $* exited $got, expected $want; stderr: $(cat "$work/err")"
}

# A missing member: the findings of the others, then exit 2, said in the summary line.
cp -R "$fixtures/missing" "$work/m" && cd "$work/m" || exit 1
run 2 check Missing.vbp
grep -q 'Here.bas : ' "$work/out" || fail "the member that is there was not checked"
grep -q '; 1 file was missing or could not be read$' "$work/err" || fail "summary: $(cat "$work/err")"
run 1 check --allow-missing Missing.vbp
# No baseline from a run that did not see every file (it would take their findings for fixed).
run 2 check --allow-missing --write-baseline base.json Missing.vbp
[ -e base.json ] && fail "a baseline was written by an incomplete run"
grep -q 'base.json: not written' "$work/err" || fail "no word on the baseline: $(cat "$work/err")"

# Members that are a folder and a FIFO: told as what they are, never opened (a FIFO would wait).
mkdir "$work/kinds" && cd "$work/kinds" || exit 1
printf 'Type=Exe\r\nModule=D; D.bas\r\nModule=F; F.bas\r\nModule=A; A.bas\r\n' >P.vbp
mkdir D.bas && mkfifo F.bas
printf 'Attribute VB_Name = "A"\r\nSub G()\r\nDim unused As Long\r\nEnd Sub\r\n' >A.bas
run 2 --lang ja check P.vbp
grep -q 'D.bas : フォルダーです' "$work/err" || fail "folder member: $(cat "$work/err")"
grep -q 'F.bas : 通常のファイルではない' "$work/err" || fail "FIFO member: $(cat "$work/err")"
grep -q '見つかりません' "$work/err" && fail "a member that is there was called not found"
run 2 --lang en check P.vbp
grep -q 'D.bas : Cannot read: this is a folder' "$work/err" || fail "folder member in English: $(cat "$work/err")"
grep -q 'A.bas(3)' "$work/out" || fail "the member after them was not checked"

# A "\" in the name of the project's folder is part of the name, not a separator.
mkdir "$work/a\\b" && cp "$fixtures/locals/"* "$work/a\\b/" && cd "$work" || exit 1
run 1 check --quiet 'a\b/Locals.vbp'
[ -s "$work/err" ] && fail "backslash folder: $(cat "$work/err")"
grep -q 'a\\b/Locals.bas(' "$work/out" || fail "backslash folder: $(head -2 "$work/out")"

# A newline and a tab in a folder's name are escaped in the formats read line by line.
nl="$work/new
line	tab"
mkdir "$nl" && cp "$fixtures/locals/"* "$nl/" && cd "$nl" || exit 1
for format in text msvc github; do
    run 1 check --quiet --format $format Locals.vbp
    lines=$(wc -l <"$work/out")
    [ "$lines" -gt 0 ] || fail "$format: no findings"
    [ "$(grep -c "$work/new" "$work/out")" = "$lines" ] ||
        [ "$(grep -c 'Locals.bas' "$work/out")" = "$lines" ] ||
        fail "$format: a path was split over lines: $(cat "$work/out")"
done
run 1 check --quiet Locals.vbp
grep -q 'new\\x0Aline\\x09tab/Locals.bas(' "$work/out" || fail "text escapes: $(head -1 "$work/out")"
# DEL, and in UTF-8 a C1 control character (U+0085), are escaped wherever they stand in a line.
c1="$work/del$(printf '\177')next$(printf '\302\205')c1"
mkdir "$c1" && cp "$fixtures/locals/"* "$c1/" && cd "$c1" || exit 1
run 1 check --quiet Locals.vbp
grep -q 'del\\x7Fnext\\u0085c1/Locals.bas(' "$work/out" || fail "DEL, C1 escapes: $(head -1 "$work/out")"

# A file name that starts with "-" is taken for an option; the error says how to name it.
cd "$work/m" && cp Missing.vbp ./-x.vbp || exit 1
run 2 check -x.vbp
grep -q -- 'write -- before' "$work/err" || fail "no hint for -x.vbp: $(cat "$work/err")"
run 1 check --allow-missing -- -x.vbp

[ $failed = 0 ] || exit 1
