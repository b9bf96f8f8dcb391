#!/bin/sh
# The CI formats of vrt check against their published schemas or references, on a copy of the
# example project in a folder whose name holds the characters those formats escape:
#   CheckFormats.sh VRT SOURCE_DIR
# gitlab and sonar against JSON schemas written from their documentation (Python's jsonschema),
# checkstyle and junit against XML schemas (xmllint), azure against the logging command grammar
# and its escaping; each tells the same findings as the text format. Also: GitLab fingerprints
# stay when lines are inserted above the findings, and --output writes the report whole.
# Exits 77 (skipped) when xmllint or jsonschema is missing (scripts/setup.sh installs both).
set -u
LC_ALL=C.UTF-8
export LC_ALL
vrt=$1 root=$2
here="$root/tests/formats"
command -v xmllint >/dev/null && python3 -c 'import jsonschema' 2>/dev/null || {
    echo "SKIPPED: xmllint or Python's jsonschema is missing (scripts/setup.sh installs them)"
    exit 77
}
work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-formats.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

project="$work/a;b]c%d e"
mkdir -p "$project" && cp "$root/examples/"* "$project/" && cd "$project" || exit 1
check() { # format [more arguments]
    format=$1
    shift
    "$vrt" check --rules Example.vrp --format "$format" "$@" Example.vbp >"$work/$format.out" 2>"$work/$format.err"
    [ $? = 1 ] || fail "$format: exit status $?: $(cat "$work/$format.err")"
}
check text --quiet
findings=$(wc -l <"$work/text.out")
files=$(sed -E 's/(\([0-9]+\))? : .*//' "$work/text.out" | sort -u | wc -l)

for format in gitlab sonar; do
    check $format
    python3 - "$here/$format-"*.schema.json "$work/$format.out" "$findings" <<'PY' || fail "$format"
import json, sys, jsonschema
schema, report, findings = json.load(open(sys.argv[1])), json.load(open(sys.argv[2])), int(sys.argv[3])
jsonschema.validate(report, schema)
issues = report if isinstance(report, list) else report["issues"]
assert len(issues) == findings, f"{len(issues)} issues for {findings} findings"
if isinstance(report, list):
    prints = [i["fingerprint"] for i in issues]
    assert len(set(prints)) == len(prints), "two findings share a fingerprint"
else:
    ids = {r["id"] for r in report["rules"]}
    assert all(i["ruleId"] in ids for i in issues), "an issue of an unlisted rule"
PY
done

for format in checkstyle junit; do
    check $format
    xmllint --noout --schema "$here/$format.xsd" "$work/$format.out" 2>"$work/$format.xmllint" ||
        fail "$format: $(cat "$work/$format.xmllint")"
done
[ "$(grep -c '<error ' "$work/checkstyle.out")" = "$findings" ] || fail "checkstyle: not every finding"
# A test case per checked file (the project and its five members), failed where there are findings.
grep -q "<testsuites name=\"vrt\" tests=\"6\" failures=\"$files\" errors=\"0\">" "$work/junit.out" ||
    fail "junit counts: $(sed -n 2p "$work/junit.out")"

# azure: one command per finding; unescaped, each source path is a file of the project.
check azure
[ "$(wc -l <"$work/azure.out")" = "$findings" ] || fail "azure: not every finding"
grep -Ev '^##vso\[task\.logissue type=warning;sourcepath=[^];]+(;linenumber=[0-9]+)?;code=[A-Za-z]+;\][^]]' \
    "$work/azure.out" && fail "azure: a line outside the command's grammar"
sed -E 's/^##vso\[task\.logissue type=warning;sourcepath=([^;]*);.*/\1/' "$work/azure.out" |
    sed -e 's/%3B/;/g' -e 's/%5D/]/g' -e 's/%AZP25/%/g' | sort -u | while read -r path; do
        [ -f "$path" ] || { echo "FAILED: azure: no file $path"; exit 1; }
    done || failed=1

# GitLab fingerprints are those of the findings, not of their lines: three lines inserted at the
# top of a member move its findings and change no fingerprint.
fingerprints() { python3 -c 'import json,sys; [print(i["fingerprint"], i["location"]["lines"]["begin"]) for i in json.load(open(sys.argv[1]))]' "$1"; }
fingerprints "$work/gitlab.out" >"$work/before"
{ head -n 1 modCommon.bas; printf "' one\r\n' two\r\n' three\r\n"; tail -n +2 modCommon.bas; } >"$work/shifted"
cp "$work/shifted" modCommon.bas
check gitlab
fingerprints "$work/gitlab.out" >"$work/after"
cmp -s "$work/before" "$work/after" && fail "gitlab: inserting lines moved no finding"
[ "$(cut -d' ' -f1 "$work/before" | sort)" = "$(cut -d' ' -f1 "$work/after" | sort)" ] ||
    fail "gitlab: fingerprints changed with the lines"

# --output: the same report as on standard output, in the file; a file that cannot be written is
# an error and leaves nothing behind.
check sarif
check sarif --output report.sarif
[ -s "$work/sarif.out" ] && fail "--output: the report went to standard output too"
"$vrt" check --rules Example.vrp --format sarif Example.vbp | cmp -s - report.sarif || fail "--output differs"
mkdir taken
"$vrt" check --rules Example.vrp --output taken Example.vbp >/dev/null 2>"$work/err"
[ $? = 2 ] && [ -d taken ] && [ -z "$(ls taken)" ] || fail "--output onto a folder: $(cat "$work/err")"

exit $failed
