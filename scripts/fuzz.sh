#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS] [TARGET...] : builds the libFuzzer targets with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer into build/fuzz and runs each for SECONDS (default 30), starting
# from its seed corpus in fuzz/corpus/<target>. New inputs go to build/fuzz/corpus/<target>; a
# crash is written to build/fuzz/crashes/ and fails the script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(FuzzSource FuzzProject FuzzCheckerProject FuzzWildcard FuzzBaseline
    FuzzProjectGroup)
dir="$root/build/fuzz"
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVETRIN_SANITIZE=ON
       -DVETRIN_FUZZ=ON -DVETRIN_GUI=OFF -DVETRIN_TESTS=OFF)
# shellcheck source=lib/build-tree.sh
. "$root/scripts/lib/build-tree.sh"
build_tree "$dir" "${targets[@]}"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$dir/crashes"
for t in "${targets[@]}"; do
    seeds="$root/fuzz/corpus/$t"
    work="$dir/corpus/$t"
    mkdir -p "$work"
    echo "== $t: ${seconds}s"
    # Only the summary lines: the final statistics and any failure report.
    if ! "$dir/bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$dir/crashes/$t-" "$work" "$seeds" >"$dir/$t.log" 2>&1; then
        tail -n 60 "$dir/$t.log"
        echo "$t failed; see $dir/$t.log and $dir/crashes/" >&2
        exit 1
    fi
    grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|Done [0-9]+ runs)' "$dir/$t.log" || tail -n 3 "$dir/$t.log"
done
