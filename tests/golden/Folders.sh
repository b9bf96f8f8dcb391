#!/bin/sh
# Projects found by folder (in a temporary tree):
#   Folders.sh VRT
# every .vbp under the folder, in sorted order, hidden folders skipped, a loop of symbolic links
# walked once; no argument: the current folder; a folder without projects is an error.
set -u
LC_ALL=C
export LC_ALL
vrt=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-folders.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# Each project reports one finding on its own line (version auto-increment off), so the output
# lists the projects in the order they were checked.
tree="$work/tree"
for p in b/Two.vbp a/One.VBP a/sub/Three.vbp .hidden/Hidden.vbp a/.Dot.vbp; do
    mkdir -p "$tree/$(dirname "$p")"
    printf 'Type=Exe\r\nAutoIncrementVer=0\r\n' >"$tree/$p"
done
printf 'not a project name\r\n' >"$tree/a/notes.txt"
ln -s .. "$tree/a/sub/up"     # a loop back to a
ln -s ../b "$tree/a/link-to-b" # a folder reached twice, through a link and by name

cd "$tree" || exit 1
"$vrt" check --quiet >"$work/out" 2>"$work/err"
[ $? = 1 ] || fail "no argument: status $?: $(cat "$work/err")"
printf '%s\n' a/One.VBP a/link-to-b/Two.vbp a/sub/Three.vbp >"$work/expected"
sed -E 's/\([0-9]+\) : .*//' "$work/out" >"$work/got"
cmp -s "$work/expected" "$work/got" || { fail "projects found under the current folder:"; diff "$work/expected" "$work/got"; }

cd "$work" || exit 1
"$vrt" check --quiet tree/b tree/a/sub >"$work/out" 2>"$work/err"
[ $? = 1 ] || fail "folders named: status $?"
sed -E 's/\([0-9]+\) : .*//' "$work/out" >"$work/got"
# Each folder named is walked on its own, as if named alone.
printf '%s\n' tree/b/Two.vbp tree/a/sub/Three.vbp tree/a/sub/up/One.VBP tree/a/sub/up/link-to-b/Two.vbp >"$work/expected"
cmp -s "$work/expected" "$work/got" || { fail "folders named:"; diff "$work/expected" "$work/got"; }

"$vrt" stats --tsv tree >"$work/out" 2>"$work/err"
[ $? = 0 ] || fail "stats of a folder: status $?: $(cat "$work/err")"

mkdir empty
"$vrt" check empty >"$work/out" 2>"$work/err"
[ $? = 2 ] && grep -q 'no VB project' "$work/err" || fail "a folder without projects: $(cat "$work/err")"

[ $failed = 0 ] || exit 1
