#!/usr/bin/env bash
# bench/compare.sh OLD_VRT NEW_VRT [PROJECT.vbp|FOLDER...]
#
# Runs two vrt binaries on the same projects and says whether their output is byte for byte the
# same: the report of `check` in the formats text, json and sarif, the log of --log (time stamps
# and timings masked), the exit status, each with --jobs 1 and --jobs 2, once with the default
# rules and once with every rule ticked (a .vrp from NEW_VRT's `rules --write`), and the line
# counts of `stats --tsv`. Without projects named it takes
# examples/, every fixture project under tests/golden and tests/data and the generated corpora in
# /tmp/c2 and /tmp/c20 when they are there (python3 bench/gen_corpus.py --size-mb 2 --seed 1 --out
# /tmp/c2; --size-mb 20 for /tmp/c20). Member files without a project (the annotated rule fixtures
# under tests/data/rules/fixtures) are checked by a project written around each of them.
#
# Prints one line per difference and a summary; exits 0 when everything matched, 1 otherwise.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 OLD_VRT NEW_VRT [PROJECT.vbp|FOLDER...]" >&2; exit 2; }
old=$1
new=$2
shift 2
for v in "$old" "$new"; do
    [ -x "$v" ] || { echo "compare: $v is not an executable" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

projects=("$@")
if [ ${#projects[@]} -eq 0 ]; then
    projects=("$root/examples")
    while IFS= read -r p; do projects+=("$p"); done < <(
        find "$root/tests/golden/fixtures" "$root/tests/data" -name '*.vbp' | sort)
    # Each annotated member file alone, in a project of its own.
    n=0
    while IFS= read -r member; do
        n=$((n + 1))
        dir="$work/members/$n"
        mkdir -p "$dir"
        cp "$member" "$dir/"
        base=$(basename "$member")
        case "${base##*.}" in
        bas) line="Module=M$n; $base" ;;
        cls) line="Class=C$n; $base" ;;
        frm) line="Form=$base" ;;
        *) continue ;;
        esac
        printf 'Type=Exe\r\n%s\r\nName="P%d"\r\n' "$line" "$n" >"$dir/P.vbp"
        projects+=("$dir/P.vbp")
    done < <(find "$root/tests/data/rules/fixtures" -maxdepth 1 -type f | sort)
    for c in /tmp/c2 /tmp/c20; do
        [ -f "$c/BenchProject.vbp" ] && projects+=("$c/BenchProject.vbp")
    done
fi

"$new" rules --write "$work/all.vrp" >/dev/null || { echo "compare: rules --write failed" >&2; exit 2; }

mask_log() { sed -E -f "$root/bench/mask_log.sed"; }

# run VRT TAG COMMAND ARGS...: output, masked log and exit status of one run into $work/TAG.*
run() {
    local vrt=$1 tag=$2
    shift 2
    "$vrt" "$@" >"$work/$tag.out" 2>"$work/$tag.err"
    echo $? >"$work/$tag.rc"
    mask_log <"$work/$tag.err" >"$work/$tag.log"
}

runs=0
diffs=0
# compare WHAT COMMAND ARGS...: runs both and counts what differs.
compare() {
    local what=$1 part
    shift
    run "$old" old "$@"
    run "$new" new "$@"
    runs=$((runs + 1))
    for part in out log rc; do
        if ! cmp -s "$work/old.$part" "$work/new.$part"; then
            diffs=$((diffs + 1))
            echo "DIFFERS ($part): $what"
            diff "$work/old.$part" "$work/new.$part" | head -6
        fi
    done
}
for project in "${projects[@]}"; do
    for rules in default all; do
        ruleArgs=()
        [ "$rules" = all ] && ruleArgs=(--rules "$work/all.vrp")
        for jobs in 1 2; do
            for format in text json sarif; do
                args=(--jobs "$jobs" --format "$format" "${ruleArgs[@]}")
                # The log once per rule set and jobs: it does not depend on the format.
                [ "$format" = text ] && args+=(--log)
                compare "$project rules=$rules jobs=$jobs format=$format" check "${args[@]}" \
                    "$project"
            done
        done
    done
    compare "$project stats" stats --tsv "$project"
done
echo "compare: ${#projects[@]} projects, $runs runs of each vrt, $diffs differences"
[ "$diffs" -eq 0 ]
