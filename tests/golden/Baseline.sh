#!/bin/sh
# The baseline round trip on a copy of a fixture project:
#   Baseline.sh VRT FIXTURE_DIR PROJECT SOURCE
# records the findings, checks again with the baseline (nothing new), shifts the source's lines
# (still nothing new), adds a second occurrence of an old finding (exactly that one is new) and
# fixes one (reported as fixed, not as an error); a missing or malformed baseline exits 2.
set -u
LC_ALL=C
export LC_ALL
vrt=$1 fixture=$2 project=$3 source=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-baseline.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cp -R "$fixture" "$work/p" && cd "$work/p" || exit 1
cp "$source" "$work/original"

failed=0
fail() { echo "FAILED: $*"; failed=1; }
run() { # expected-status args...
    want=$1
    shift
    "$vrt" check --quiet "$@" >"$work/out" 2>"$work/err"
    got=$?
    [ "$got" = "$want" ] || fail "vrt check $* exited $got, expected $want; stderr: $(cat "$work/err")"
}

run 1 --write-baseline base.json "$project"
[ -s base.json ] || fail "no baseline written"
all=$(wc -l <"$work/out")
[ "$(grep -c '"occurrence"' base.json)" = "$all" ] || fail "baseline does not hold the $all findings"
run 1 --write-baseline again.json "$project"
cmp -s base.json again.json || fail "a second recording differs from the first"

run 0 --baseline base.json "$project"
[ -s "$work/out" ] && fail "findings reported although all are in the baseline: $(cat "$work/out")"

# The language does not count: a baseline recorded in Japanese holds for an English run and the
# other way round, the recordings are the same, and one without the messages' keys and fields
# (as earlier versions wrote them) matches by the Japanese text.
run 1 --lang ja --write-baseline ja.json "$project"
run 1 --lang en --write-baseline en.json "$project"
cmp -s ja.json en.json || fail "the baselines of a Japanese and an English run differ"
grep -q '"messageId":"UnusedLocalVariable","fields":{"name":' ja.json || fail "no key: $(head -3 ja.json)"
run 0 --lang en --baseline ja.json "$project"
run 0 --lang ja --baseline en.json "$project"
sed -E 's/,"messageId":"[A-Za-z]+","fields":\{[^}]*\}//' ja.json >plain.json
grep -q messageId plain.json && fail "the keys were not taken out"
run 0 --lang en --baseline plain.json "$project"

# Lines inserted above every finding: the findings move, none becomes new.
{ head -n 1 "$work/original"; printf "' inserted\r\n\r\n' lines\r\n"; tail -n +2 "$work/original"; } >"$source"
run 0 --baseline base.json "$project"
[ -s "$work/out" ] && fail "shifted findings reported as new: $(cat "$work/out")"
run 1 --write-baseline shifted.json "$project"
cmp -s base.json shifted.json || fail "shifting lines changed the recorded baseline"

# A second occurrence of an old message in the same file is new, and is the only new finding.
cp "$work/original" "$source"
printf 'Private Sub Again()\r\n    Dim note As String\r\nEnd Sub\r\n' >>"$source"
run 1 --baseline base.json "$project"
[ "$(wc -l <"$work/out")" = 1 ] && grep -q 'note' "$work/out" ||
    fail "expected exactly the new occurrence of note, got: $(cat "$work/out")"
run 1 --write-baseline grown.json "$project"

# Fixed: the original file against the grown baseline; one entry fixed, not an error.
cp "$work/original" "$source"
"$vrt" check --baseline grown.json "$project" >"$work/out" 2>"$work/err"
got=$?
[ "$got" = 0 ] || fail "fixed finding: exit $got, expected 0"
grep -q '^vrt: 1 baseline entry has been resolved$' "$work/err" || fail "no fixed line: $(cat "$work/err")"
grep -q '^vrt: 0 findings in 0 files (.* checked, .*); [0-9]* in the baseline$' "$work/err" ||
    fail "no summary line: $(cat "$work/err")"

# A missing or malformed baseline is an error: exit 2, one line.
run 2 --baseline missing.json "$project"
[ "$(wc -l <"$work/err")" = 1 ] || fail "missing baseline: $(cat "$work/err")"
printf '{"version": 1, "findings": [{"rule": 3}]}' >bad.json
run 2 --baseline bad.json "$project"
[ "$(wc -l <"$work/err")" = 1 ] && [ ! -s "$work/out" ] || fail "malformed baseline: $(cat "$work/err")"
printf 'not json' >bad.json
run 2 --baseline bad.json "$project"

# Two projects of the same file name in two folders: each is its own project in the baseline
# (named by its path relative to the baseline's folder), so an old finding of one never hides a
# new finding of the other.
cp "$work/original" "$source"
mkdir -p "$work/two/A" "$work/two/B" && cp -R "$fixture/." "$work/two/A/" &&
    cp -R "$fixture/." "$work/two/B/" && cd "$work/two" || exit 1
run 1 --write-baseline base.json "A/$project"
grep -q "\"project\":\"A/$project\"" base.json || fail "project not named by its path: $(head -3 base.json)"
run 0 --baseline base.json "A/$project"
run 1 --baseline base.json "A/$project" "B/$project"
[ "$(wc -l <"$work/out")" = "$all" ] && ! grep -q "/A/" "$work/out" ||
    fail "B's findings should be new, A's old: $(cat "$work/out")"
# A baseline of the earlier version names projects by file name: it still matches a project
# whose name is unique in the run, and hides nothing when two projects share the name.
sed -e 's/"version": 2/"version": 1/' -e "s|\"project\":\"A/|\"project\":\"|" base.json >v1.json
run 0 --baseline v1.json "A/$project"
run 1 --baseline v1.json "A/$project" "B/$project"
[ "$(wc -l <"$work/out")" = "$((all * 2))" ] || fail "a shared name matched: $(cat "$work/out")"

[ $failed = 0 ] || exit 1
