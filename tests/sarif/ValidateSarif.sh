#!/bin/sh
# Validates vrt's SARIF for the example project with the reference validator
# (npm package @microsoft/sarif-multitool-linux, installed into tests/sarif/node_modules on first
# use): no error and no warning may be reported.
#   ValidateSarif.sh VRT SOURCE_DIR
# Exits 77 (skipped) only when the validator is not there and npm cannot fetch it.
set -u
vrt=$1 root=$2
here="$root/tests/sarif"
tool="$here/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool"
if [ ! -f "$tool" ]; then
    if ! command -v npm >/dev/null ||
        ! npm install --prefix "$here" --no-save --no-audit --no-fund \
            @microsoft/sarif-multitool-linux >"${TMPDIR:-/tmp}/vrt-sarif-npm.log" 2>&1; then
        echo "SKIPPED: the SARIF validator could not be installed from npm (see ${TMPDIR:-/tmp}/vrt-sarif-npm.log)"
        exit 77
    fi
fi
chmod u+x "$tool" # npm may leave the package's own chmod step unrun
work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-sarif.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT

failed=0
validate() { # name, vrt arguments... (run in examples/)
    name=$1
    shift
    (cd "$root/examples" && "$vrt" check "$@" --format sarif Example.vbp) >"$work/$name.sarif"
    status=$?
    [ "$status" -le 1 ] || { echo "vrt exited $status"; failed=1; return; }
    DOTNET_SYSTEM_GLOBALIZATION_INVARIANT=1 "$tool" validate "$work/$name.sarif" \
        --output "$work/$name.result.sarif" --log ForceOverwrite >"$work/$name.log" 2>&1
    # The validator reports its findings as a SARIF log of its own.
    count=$(python3 -c 'import json,sys
runs = json.load(open(sys.argv[1]))["runs"]
bad = [r for run in runs for r in run.get("results", []) if r.get("level", "warning") in ("error", "warning")]
for r in bad: print(r.get("ruleId"), r.get("level", "warning"), r["message"].get("text", r["message"]), file=sys.stderr)
print(len(bad))' "$work/$name.result.sarif") || { cat "$work/$name.log"; failed=1; return; }
    if [ "$count" != 0 ]; then
        echo "$name: the validator reported $count errors or warnings"
        failed=1
    fi
}
validate example --rules Example.vrp
validate defaults
[ $failed = 0 ]
